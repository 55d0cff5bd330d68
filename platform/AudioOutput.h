#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace vantrel {

// Interleaved little-endian PCM: signed 16-bit or unsigned 8-bit samples.
struct PcmFormat {
    int samplesPerSecond = 0;
    int channels = 0;
    int bitsPerSample = 0;
    int BytesPerFrame() const { return channels * bitsPerSample / 8; }
    int BytesPerSecond() const { return samplesPerSecond * BytesPerFrame(); }
    bool Valid() const {
        return samplesPerSecond > 0 && channels > 0 && (bitsPerSample == 8 || bitsPerSample == 16);
    }
};

// A sound device fed by pushing. Its clock is what has been heard, so the
// picture of a played clip follows the sound rather than the wall clock.
// One thread uses an output at a time.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // False when the device cannot play this format (or there is none).
    virtual bool Start(const PcmFormat& format) = 0;
    // Bytes the device takes now without blocking.
    virtual std::size_t FreeBytes() const = 0;
    // Takes up to `bytes` (whole frames); answers how many it took.
    virtual std::size_t Write(const std::uint8_t* data, std::size_t bytes) = 0;
    // Microseconds of sound played since Start.
    virtual std::int64_t PlayedMicroseconds() const = 0;
    virtual void Stop() = 0;
    // True for a real device; the silent clock says false.
    virtual bool Audible() const = 0;
};

// Plays nothing but keeps the time a device would: written sound counts as
// played as the steady clock runs, never ahead of what was written, from a
// buffer of a quarter second. Used where there is no sound device (tests,
// batch runs, a machine without a sound server).
class SilentAudioOutput final : public AudioOutput {
public:
    bool Start(const PcmFormat& format) override;
    std::size_t FreeBytes() const override;
    std::size_t Write(const std::uint8_t* data, std::size_t bytes) override;
    std::int64_t PlayedMicroseconds() const override;
    void Stop() override;
    bool Audible() const override { return false; }

private:
    // Brings the played time up to now: it runs with the steady clock and
    // stops where the written sound ends, as a device that ran dry.
    void Advance() const;
    std::int64_t WrittenMicroseconds() const;
    PcmFormat format_;
    bool started_ = false;
    std::int64_t written_ = 0;
    mutable std::int64_t played_ = 0;      // microseconds
    mutable std::int64_t lastUpdate_ = 0;  // steady clock, microseconds
};

// The program's sound device. The Qt platform installs the real one; until
// then, or when it cannot start, the silent clock answers.
using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>()>;
void SetAudioOutputFactory(AudioOutputFactory factory);
// A started output for the format: the installed device when it starts,
// otherwise a started silent clock. Null only for an invalid format.
std::unique_ptr<AudioOutput> OpenAudioOutput(const PcmFormat& format);

}  // namespace vantrel
