#pragma once
#include <memory>
#include <string>

#include "media/sources/MediaSource.h"

namespace vantrel {

// Movie files decoded with FFmpeg. As an AVI source it takes only AVI
// containers holding a video stream; as a movie stream it takes every other
// container it can read (and AVIs without video), video and/or audio, but
// not single pictures, which belong to the still readers.
//
// Frames: ReadFrame(m) shows the frame whose presentation interval contains
// media time m. Reads that move forward decode on without seeking; a read
// behind the current frame, or past the next key frame, seeks.
// Audio: 16-bit signed PCM, 1 or 2 channels (more are mixed down to 2), at
// the stream's own rate.
class FfmpegSource final : public MediaSource {
public:
    static std::unique_ptr<FfmpegSource> OpenAvi(const std::string& path);
    static std::unique_ptr<FfmpegSource> OpenMovie(const std::string& path);
    ~FfmpegSource() override;

    SourceKind Kind() const override { return kind_; }
    int LengthMs() const override { return lengthMs_; }
    double DurationSeconds() const override { return durationSeconds_; }
    bool ReadFrame(int mediaTimeMs) override;
    bool ReadAudioSecond(int timeMs) override;

    // How often the video and the audio reader have seeked; reads that
    // follow each other should not add to these.
    int VideoSeeks() const;
    int AudioSeeks() const;
    // The video's frame rate as the container states it; 0 when unknown.
    double FramesPerSecond() const { return framesPerSecond_; }
    Rate FrameRate() const override { return rate_; }

    struct Video;
    struct Sound;

private:
    FfmpegSource();
    bool Open(const std::string& path, bool asAvi);

    SourceKind kind_ = SourceKind::Movie;
    int lengthMs_ = 0;
    double durationSeconds_ = 0;
    double framesPerSecond_ = 0;
    Rate rate_;
    std::unique_ptr<Video> video_;
    std::unique_ptr<Sound> sound_;
};

}  // namespace vantrel
