#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace basalt {

enum class Container { Mp4, Avi, Mkv, Wav };
enum class Quality { Low, Medium, High };
// How hard H.264 works for its quality: Automatic is thorough at the small
// classic sizes, as makes always were, and fast from VGA up, where a
// thorough encode would take many times the composition.
enum class Speed { Automatic, Fast, Thorough };

struct OutputOptions {
    std::string path;
    Container container = Container::Mp4;
    Quality quality = Quality::Medium;
    bool video = false;
    bool audio = false;
    int width = 0;
    int height = 0;
    double framesPerSecond = 0;
    // The exact rate num / den when given (rateNum > 0); else the rate is
    // framesPerSecond as the nearest fraction.
    int rateNum = 0, rateDen = 0;
    Speed speed = Speed::Automatic;
    // Cores the output may use. With more than one, frames and audio are
    // encoded on a thread of their own behind a short queue while the caller
    // goes on with the next frame, and the encoders may use threads too.
    int threads = 1;
    // The file's "artist", "copyright" and "comment" tags (a WAV file's
    // INFO chunk); an empty one is left out.
    std::string artist, copyright, comment;
};

// Encodes frames and audio handed in at program times (ms) into one file.
// Positions in the output come from those times, not from the number of
// calls, so a dropped frame leaves a gap rather than shifting the rest.
// WriteVideo and WriteAudio copy what they are given before they return,
// whether the encoding happens at once or on the encoding thread; either
// way it happens in the order of the calls.
class OutputWriter {
public:
    OutputWriter();
    ~OutputWriter();
    OutputWriter(const OutputWriter&) = delete;
    OutputWriter& operator=(const OutputWriter&) = delete;

    // False, with nothing left open, when the file or an encoder cannot be
    // opened or the options make no sense.
    bool Open(const OutputOptions& options);
    // BGRA rows top to bottom, pitch in pixels.
    void WriteVideo(std::int32_t timeMs, int width, int height, int pitch, const std::uint32_t* pixels);
    // Interleaved signed 16-bit stereo at 44100 Hz.
    void WriteAudio(std::int32_t timeMs, const std::int16_t* samples, int sampleFrames);
    // Drains the encoders and finishes the file; false when anything failed
    // on the way. Safe to call when nothing is open.
    bool Close();
    bool IsOpen() const;
    // The encoder the video stream ended up with ("libx264", "mpeg4", ...).
    std::string VideoEncoderName() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace basalt
