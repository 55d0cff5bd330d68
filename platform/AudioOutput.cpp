#include "platform/AudioOutput.h"

#include <algorithm>
#include <chrono>
#include <mutex>

namespace vantrel {

namespace {
std::int64_t NowMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::mutex& FactoryMutex() {
    static std::mutex mutex;
    return mutex;
}

AudioOutputFactory& Factory() {
    static AudioOutputFactory factory;
    return factory;
}

constexpr std::int64_t kSilentBufferMicroseconds = 250000;
}  // namespace

bool SilentAudioOutput::Start(const PcmFormat& format) {
    if (!format.Valid()) return false;
    format_ = format;
    started_ = true;
    written_ = 0;
    played_ = 0;
    lastUpdate_ = NowMicroseconds();
    return true;
}

std::int64_t SilentAudioOutput::WrittenMicroseconds() const {
    return format_.BytesPerSecond() > 0 ? written_ * 1000000 / format_.BytesPerSecond() : 0;
}

void SilentAudioOutput::Advance() const {
    const std::int64_t now = NowMicroseconds();
    if (started_) played_ = std::min(WrittenMicroseconds(), played_ + (now - lastUpdate_));
    lastUpdate_ = now;
}

std::size_t SilentAudioOutput::FreeBytes() const {
    if (!started_) return 0;
    Advance();
    const std::int64_t queued = WrittenMicroseconds() - played_;
    const std::int64_t free = std::max<std::int64_t>(0, kSilentBufferMicroseconds - queued);
    const std::int64_t bytes = free * format_.BytesPerSecond() / 1000000;
    return std::size_t(bytes - bytes % format_.BytesPerFrame());
}

std::size_t SilentAudioOutput::Write(const std::uint8_t*, std::size_t bytes) {
    if (!started_) return 0;
    const std::size_t taken = std::min(bytes, FreeBytes());
    written_ += std::int64_t(taken);
    return taken;
}

std::int64_t SilentAudioOutput::PlayedMicroseconds() const {
    Advance();
    return played_;
}

void SilentAudioOutput::Stop() {
    Advance();
    started_ = false;
}

void SetAudioOutputFactory(AudioOutputFactory factory) {
    std::lock_guard lock(FactoryMutex());
    Factory() = std::move(factory);
}

std::unique_ptr<AudioOutput> OpenAudioOutput(const PcmFormat& format) {
    if (!format.Valid()) return nullptr;
    AudioOutputFactory factory;
    {
        std::lock_guard lock(FactoryMutex());
        factory = Factory();
    }
    if (factory)
        if (std::unique_ptr<AudioOutput> device = factory(); device && device->Start(format)) return device;
    auto silent = std::make_unique<SilentAudioOutput>();
    silent->Start(format);
    return silent;
}

}  // namespace vantrel
