#include "editor/arrangement/ClipPictures.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "media/sources/MediaOpen.h"

namespace vantrel {

ClipPictures::ClipPictures(std::function<void()> ready) : ready_(std::move(ready)) {
    thread_ = std::thread([this] { Run(); });
}

ClipPictures::~ClipPictures() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void ClipPictures::SetReady(std::function<void()> ready) {
    std::lock_guard lock(mutex_);
    ready_ = std::move(ready);
}

std::shared_ptr<const ClipPicture> ClipPictures::Get(const std::string& path) {
    if (path.empty() || IsRemoteAddress(path)) return nullptr;
    std::lock_guard lock(mutex_);
    const auto [entry, first] = pictures_.try_emplace(path);
    if (first) {
        queue_.push_back(path);
        wake_.notify_one();
    }
    return entry->second;
}

void ClipPictures::WaitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return (queue_.empty() && !busy_) || stop_; });
}

void ClipPictures::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
        if (stop_) break;
        const std::string path = queue_.front();
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        auto picture = std::make_shared<ClipPicture>(Read(path, [this] {
            std::lock_guard guard(mutex_);
            return stop_;
        }));
        lock.lock();
        pictures_[path] = std::move(picture);
        std::function<void()> ready = ready_;
        lock.unlock();
        if (ready) ready();
        lock.lock();
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
    busy_ = false;
    idle_.notify_all();
}

ClipPicture ClipPictures::Read(const std::string& path, const std::function<bool()>& stop) {
    std::unique_ptr<MediaSource> source = OpenMediaSource(path);
    return source ? Read(*source, stop) : ClipPicture{};
}

namespace {
// The loudest sample of a stretch of PCM, scaled to 0 .. 255.
int Loudest(const std::uint8_t* bytes, int frames, const AudioFormat& format) {
    int loudest = 0;
    const int channels = std::max(format.channels, 1);
    for (int f = 0; f < frames; ++f) {
        const std::uint8_t* frame = bytes + std::int64_t(f) * format.blockAlign;
        for (int c = 0; c < channels; ++c) {
            int level = 0;
            if (format.bitsPerSample == 16) {
                std::int16_t sample;
                std::memcpy(&sample, frame + c * 2, 2);
                level = std::abs(int(sample)) >> 7;
            } else if (format.bitsPerSample == 8) {
                level = std::abs(int(frame[c]) - 128) * 2;
            }
            loudest = std::max(loudest, level);
        }
    }
    return std::min(loudest, 255);
}
}  // namespace

ClipPicture ClipPictures::Read(MediaSource& source, const std::function<bool()>& stop) {
    ClipPicture out;
    if (source.HasPicture() && source.Width() > 0 && source.Height() > 0) {
        source.ReadFrame(0);
        const int height = kThumbnailHeight;
        const int width = std::clamp(source.Width() * height / source.Height(), 1, height * 4);
        if (out.thumbnail.Allocate(width, height))
            out.thumbnail.StretchFrom(source.Picture(), {0, 0, source.Width(), source.Height()}, out.thumbnail.Bounds());
    }
    const AudioFormat& format = source.Audio();
    if (source.HasAudio() && format.blockAlign > 0 && format.samplesPerSecond > 0) {
        const int seconds = std::min((source.LengthMs() + 999) / 1000, kMaxWaveSeconds);
        const int framesPerPeak = std::max(format.samplesPerSecond * ClipPicture::kPeakMs / 1000, 1);
        const int peaksPerSecond = 1000 / ClipPicture::kPeakMs;
        for (int second = 0; second < seconds; ++second) {
            if (stop && stop()) break;
            if (!source.ReadAudioSecond(second * 1000)) break;
            const std::vector<std::uint8_t>& block = source.AudioBlock();
            const int frames = int(block.size()) / format.blockAlign;
            for (int p = 0; p < peaksPerSecond; ++p) {
                const int from = p * framesPerPeak;
                const int count = std::min(framesPerPeak, frames - from);
                out.peaks.push_back(count > 0 ? std::uint8_t(Loudest(block.data() + std::int64_t(from) * format.blockAlign,
                                                                     count, format))
                                              : 0);
            }
        }
        // The last second is read whole; what lies past the end is silence.
        out.peaks.resize(std::min<std::size_t>(out.peaks.size(),
                                               std::size_t(source.LengthMs() / ClipPicture::kPeakMs + 1)));
    }
    return out;
}

}  // namespace vantrel
