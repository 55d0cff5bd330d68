#pragma once
// Projects written through the ordinary record writer: the bundled example
// and the W1 make workload of the benchmarks.
#include <string>

namespace vantrel::bench {

// Writes example.kwp into `folder`, which holds the example's media (made by
// make_example_media.sh); media are named relative to the folder.
bool WriteExampleProject(const std::string& folder, std::string& error);

// The W1 workload in `folder`: four 352 x 288 15 fps uncompressed AVIs and
// four 44100 Hz stereo WAVs of `seconds` each (made with ffmpeg once and
// kept), and w1.kwp over them. Answers the project path, empty on failure.
std::string WriteW1Project(const std::string& folder, int seconds, std::string& error);
// ffmpeg's command line doing the same work into `output` (.mkv): with
// oneThread every part of it is held to one thread, otherwise it threads as
// it does by default.
std::string W1FfmpegCommand(const std::string& folder, int seconds, const std::string& output,
                            bool oneThread = true);

// The W4 workload in `folder`: four 1920 x 1080 25 fps H.264 movies (one
// key frame a second) and four WAVs of `seconds` each, laid out and blended
// as W1's, and w4-SECONDS.kwp over them at "1920 / 1080" and the exact 25
// fps. Answers the project path, empty on failure.
std::string WriteW4Project(const std::string& folder, int seconds, std::string& error);
// ffmpeg's command line doing the same work into `output`: FFV1 + FLAC for
// .mkv, H.264 (x264 veryfast, CRF 23) + AAC for .mp4.
std::string W4FfmpegCommand(const std::string& folder, int seconds, const std::string& output);

// Where the W1 workload's media and makes are kept between runs.
std::string W1Folder();
// The program beside the running benchmark's folder (build/bench/../vantrel).
std::string ProgramPath();
// Processor seconds (user + system) of every finished child so far: beside
// the wall time, a figure that other work on a busy machine disturbs less.
double ChildCpuSeconds();

}  // namespace vantrel::bench
