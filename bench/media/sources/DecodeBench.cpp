// Frame decoding speed of the movie reader against ffmpeg's own command
// line on the same 352 x 288 H.264 file, in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "media/sources/MediaOpen.h"

namespace {

constexpr int kFps = 30;
constexpr int kSequentialFrames = 300;
constexpr int kRandomFrames = 100;

const std::string& TestFile() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / "vantrel-decode-bench";
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "cif.mp4").string();
        if (!std::filesystem::exists(file)) {
            const std::string command =
                "ffmpeg -nostdin -v error -y -f lavfi -i testsrc2=s=352x288:r=30:d=12 "
                "-c:v libx264 -preset medium -g 60 -bf 2 -pix_fmt yuv420p " + file;
            if (std::system(command.c_str()) != 0) return std::string();
        }
        return file;
    }();
    return path;
}

void SequentialFrames(benchmark::State& state) {
    auto source = vantrel::OpenMediaSource(TestFile());
    if (!source) return state.SkipWithError("no test file");
    for (auto _ : state) {
        for (int frame = 0; frame < kSequentialFrames; ++frame)
            benchmark::DoNotOptimize(source->ReadFrame(frame * 1000 / kFps + 1));
        state.PauseTiming();
        source->ReadFrame(0);  // back to the start for the next round
        state.ResumeTiming();
    }
    state.counters["fps"] =
        benchmark::Counter(double(kSequentialFrames) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void RandomFrames(benchmark::State& state) {
    auto source = vantrel::OpenMediaSource(TestFile());
    if (!source) return state.SkipWithError("no test file");
    std::mt19937 random(42);
    std::uniform_int_distribution<int> time(0, 11900);
    for (auto _ : state)
        for (int i = 0; i < kRandomFrames; ++i) benchmark::DoNotOptimize(source->ReadFrame(time(random)));
    state.counters["fps"] =
        benchmark::Counter(double(kRandomFrames) * double(state.iterations()), benchmark::Counter::kIsRate);
}

// The reference: ffmpeg decoding every frame of the file (360) to nothing.
void FfmpegCommandLine(benchmark::State& state) {
    if (TestFile().empty()) return state.SkipWithError("no test file");
    const std::string command = "ffmpeg -nostdin -v error -i " + TestFile() + " -f null - >/dev/null 2>&1";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("ffmpeg failed");
    state.counters["fps"] = benchmark::Counter(360.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(SequentialFrames)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(RandomFrames)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(FfmpegCommandLine)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
