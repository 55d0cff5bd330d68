#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "values/Surface.h"

namespace vantrel {

enum class SourceKind { Avi, Wav, Movie, Still };

// PCM as delivered by a source's one-second reads: interleaved, little-endian,
// signed for 16 bits and unsigned for 8 bits.
struct AudioFormat {
    int formatTag = 1;
    int channels = 0;
    int samplesPerSecond = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;      // bytes per sample frame
    int bytesPerSecond = 0;  // also the size of one one-second block
};

// Picture surfaces are allocated with the width rounded up to a multiple of
// 4 (pitch = width = rounded width); the source keeps the true width apart.
// The extra columns stay cleared.
int RoundedWidth(int width);
bool AllocatePictureSurface(Surface& surface, int width, int height);

// One opened media file: its picture (a still or the current video frame),
// its length and its sound in one-second blocks. The worker thread reads
// frames and seconds; one source is never read from two threads at once.
class MediaSource {
public:
    virtual ~MediaSource() = default;

    virtual SourceKind Kind() const = 0;

    bool HasPicture() const { return !picture_.IsEmpty(); }
    // The picture surface; its width is the rounded one.
    Surface& Picture() { return picture_; }
    const Surface& Picture() const { return picture_; }
    // True picture size (the media rectangle is 0, 0, Width(), Height()).
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Length in ms; 0 for stills.
    virtual int LengthMs() const { return 0; }
    // Seconds as the stream reports them (movie streams); others derive it.
    virtual double DurationSeconds() const { return LengthMs() / 1000.0; }
    // The video's frame rate as the fraction the container states; 0/0 when
    // there is none (stills, sound).
    struct Rate {
        int num = 0, den = 0;
    };
    virtual Rate FrameRate() const { return {}; }

    bool HasAudio() const { return audio_.bytesPerSecond > 0; }
    const AudioFormat& Audio() const { return audio_; }
    // Bytes of one one-second block: what the clip's audio block cache needs.
    int AudioSecondBytes() const { return audio_.bytesPerSecond; }

    // Decodes the frame shown at media time ms into Picture(). A failure
    // leaves the previous picture in place.
    virtual bool ReadFrame(int /*mediaTimeMs*/) { return HasPicture(); }
    // Fills AudioBlock() with the second starting at (timeMs / 1000) seconds;
    // silence where there is nothing to read. False when there is no audio.
    virtual bool ReadAudioSecond(int /*timeMs*/) { return false; }
    const std::vector<std::uint8_t>& AudioBlock() const { return audioBlock_; }

    // The file actually opened (after a download or a located substitute).
    const std::string& Path() const { return path_; }
    void SetPath(const std::string& path) { path_ = path; }

protected:
    void FillSilence();
    bool AllocateAudioBlock();

    Surface picture_;
    int width_ = 0, height_ = 0;
    AudioFormat audio_;
    std::vector<std::uint8_t> audioBlock_;
    std::string path_;
};

}  // namespace vantrel
