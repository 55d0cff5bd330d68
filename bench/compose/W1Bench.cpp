// The W1 make workload as whole processes: vantrel --make against ffmpeg's
// command line doing the same composition and mix, on the same generated
// fixtures, for 20 s and 60 s of material. Two modes: pinned to one core
// (taskset, ffmpeg held to one thread everywhere), and free to use every
// core (ffmpeg with its default threading). After the runs it prints our
// time over ffmpeg's for each mode and length, measured in this same run.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "bench/compose/Projects.h"

namespace {

using vantrel::bench::ChildCpuSeconds;
using vantrel::bench::ProgramPath;
using vantrel::bench::W1Folder;

// Runs `command` once per iteration; false when it failed.
bool RunEach(benchmark::State& state, const std::string& command) {
    const double cpuBefore = ChildCpuSeconds();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return false;
    state.counters["cpu_s"] = benchmark::Counter((ChildCpuSeconds() - cpuBefore) / double(state.iterations()));
    return true;
}

// Argument 0: seconds of material; argument 1: 1 = one core, 0 = every core.
void Vantrel(benchmark::State& state) {
    const int seconds = int(state.range(0));
    const bool oneCore = state.range(1) != 0;
    std::string error;
    const std::string project = vantrel::bench::WriteW1Project(W1Folder(), seconds, error);
    if (project.empty()) return state.SkipWithError(error.c_str());
    const std::string output = W1Folder() + "/vantrel-" + std::to_string(seconds) + ".mkv";
    const std::string command = std::string("QT_QPA_PLATFORM=offscreen ") + (oneCore ? "taskset -c 1 " : "") + "'" +
                                ProgramPath() + "' --make '" + project + "' '" + output + "' 2>/dev/null";
    if (!RunEach(state, command)) return state.SkipWithError("vantrel --make failed");
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()) * seconds * 15, benchmark::Counter::kIsRate);
}

void Ffmpeg(benchmark::State& state) {
    const int seconds = int(state.range(0));
    const bool oneCore = state.range(1) != 0;
    std::string error;
    if (vantrel::bench::WriteW1Project(W1Folder(), seconds, error).empty()) return state.SkipWithError(error.c_str());
    const std::string command =
        (oneCore ? "taskset -c 1 " : "") +
        vantrel::bench::W1FfmpegCommand(W1Folder(), seconds, W1Folder() + "/ffmpeg-" + std::to_string(seconds) + ".mkv",
                                        oneCore);
    if (!RunEach(state, command)) return state.SkipWithError("ffmpeg failed");
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()) * seconds * 15, benchmark::Counter::kIsRate);
}

// Alternating ours and ffmpeg's per case keeps the two close in time, so a
// change in the machine's load touches both.
BENCHMARK(Vantrel)->Args({20, 1})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Ffmpeg)->Args({20, 1})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Vantrel)->Args({60, 1})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Ffmpeg)->Args({60, 1})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Vantrel)->Args({20, 0})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Ffmpeg)->Args({20, 0})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Vantrel)->Args({60, 0})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Ffmpeg)->Args({60, 0})->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

// Keeps each run's mean wall time by name beside the usual console table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
                const auto cpu = run.counters.find("cpu_s");
                if (cpu != run.counters.end()) cpu_[run.benchmark_name()] = cpu->second.value;
            }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const char* mode : {"1", "0"})
            for (const char* length : {"20", "60"}) {
                const std::string suffix = std::string("/") + length + "/" + mode + "/iterations:3/real_time";
                const auto ours = seconds_.find("Vantrel" + suffix), theirs = seconds_.find("Ffmpeg" + suffix);
                if (ours == seconds_.end() || theirs == seconds_.end() || theirs->second <= 0) continue;
                const double ourCpu = cpu_[ours->first], theirCpu = cpu_[theirs->first];
                std::printf("W1 %s s, %s: vantrel %.3f s, ffmpeg %.3f s, ratio %.3f (processor time %.3f s / %.3f s,"
                            " ratio %.3f)\n",
                            length, std::string(mode) == "1" ? "one core" : "every core", ours->second, theirs->second,
                            ours->second / theirs->second, ourCpu, theirCpu, theirCpu > 0 ? ourCpu / theirCpu : 0.0);
            }
    }

private:
    std::map<std::string, double> seconds_;
    std::map<std::string, double> cpu_;
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
