// The W4 make workload: four Full HD 25 fps H.264 movies laid out and
// blended as W1's, with four sound tracks, made by vantrel --make and by
// ffmpeg's filter graph in the same run, to FFV1 + FLAC .mkv and to H.264 +
// AAC .mp4, every core free. Prints each pair's times, frames per second
// and our time over ffmpeg's. VANTREL_W4_SECONDS shortens the material (60
// by default); the media are made once and kept.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/compose/Projects.h"

namespace {

using vantrel::bench::ChildCpuSeconds;
using vantrel::bench::ProgramPath;

int Seconds() {
    const char* text = std::getenv("VANTREL_W4_SECONDS");
    const int seconds = text ? std::atoi(text) : 60;
    return seconds > 0 ? seconds : 60;
}

std::string Folder() { return vantrel::bench::W1Folder() + "/../vantrel-w4-bench"; }
const char* Extension(benchmark::State& state) { return state.range(0) ? ".mp4" : ".mkv"; }

void Measure(benchmark::State& state, const std::string& command) {
    const double cpuBefore = ChildCpuSeconds();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError(("failed: " + command).c_str());
    state.counters["cpu_s"] = benchmark::Counter((ChildCpuSeconds() - cpuBefore) / double(state.iterations()));
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()) * Seconds() * 25, benchmark::Counter::kIsRate);
}

// Argument 0: 0 = .mkv, 1 = .mp4.
void Vantrel(benchmark::State& state) {
    std::string error;
    const std::string project = vantrel::bench::WriteW4Project(Folder(), Seconds(), error);
    if (project.empty()) return state.SkipWithError(error.c_str());
    const std::string output = Folder() + "/vantrel" + Extension(state);
    Measure(state, "QT_QPA_PLATFORM=offscreen '" + ProgramPath() + "' --make '" + project + "' '" + output +
                       "' --quiet 2>/dev/null");
}

void Ffmpeg(benchmark::State& state) {
    std::string error;
    if (vantrel::bench::WriteW4Project(Folder(), Seconds(), error).empty()) return state.SkipWithError(error.c_str());
    Measure(state, vantrel::bench::W4FfmpegCommand(Folder(), Seconds(), Folder() + "/ffmpeg" + Extension(state)));
}

BENCHMARK(Vantrel)->Arg(0)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(Ffmpeg)->Arg(0)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(Vantrel)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(Ffmpeg)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* kind : {"0", "1"}) {
            const std::string suffix = std::string("/") + kind + "/iterations:1/real_time";
            const auto ours = seconds_.find("Vantrel" + suffix), theirs = seconds_.find("Ffmpeg" + suffix);
            if (ours == seconds_.end() || theirs == seconds_.end() || theirs->second <= 0) continue;
            const double frames = Seconds() * 25.0;
            std::printf("W4 %d s to %s: vantrel %.1f s (%.1f frames/s), ffmpeg %.1f s (%.1f frames/s), ratio %.2f\n",
                        Seconds(), std::string(kind) == "1" ? "H.264 + AAC .mp4" : "FFV1 + FLAC .mkv", ours->second,
                        frames / ours->second, theirs->second, frames / theirs->second, ours->second / theirs->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
