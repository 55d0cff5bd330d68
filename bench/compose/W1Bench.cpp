// The W1 make workload as whole processes on one core: vantrel --make
// against ffmpeg's command line doing the same composition and mix, on the
// same generated fixtures, for 20 s and 60 s of material.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "bench/compose/Projects.h"

namespace {

std::string Folder() { return (std::filesystem::temp_directory_path() / "vantrel-w1-bench").string(); }

// The program beside this benchmark's folder (build/bench/.. /vantrel).
std::string Program() {
    char buffer[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "vantrel";
    return (std::filesystem::path(std::string(buffer, std::size_t(n))).parent_path().parent_path() / "vantrel")
        .string();
}

void Vantrel(benchmark::State& state) {
    const int seconds = int(state.range(0));
    std::string error;
    const std::string project = vantrel::bench::WriteW1Project(Folder(), seconds, error);
    if (project.empty()) return state.SkipWithError(error.c_str());
    const std::string output = Folder() + "/vantrel-" + std::to_string(seconds) + ".mkv";
    const std::string command = "QT_QPA_PLATFORM=offscreen taskset -c 1 '" + Program() + "' --make '" + project +
                                "' '" + output + "' 2>/dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("vantrel --make failed");
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()) * seconds * 15, benchmark::Counter::kIsRate);
}

void Ffmpeg(benchmark::State& state) {
    const int seconds = int(state.range(0));
    std::string error;
    if (vantrel::bench::WriteW1Project(Folder(), seconds, error).empty()) return state.SkipWithError(error.c_str());
    const std::string command =
        "taskset -c 1 " + vantrel::bench::W1FfmpegCommand(Folder(), seconds,
                                                          Folder() + "/ffmpeg-" + std::to_string(seconds) + ".mkv");
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("ffmpeg failed");
    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()) * seconds * 15, benchmark::Counter::kIsRate);
}

BENCHMARK(Vantrel)->Arg(20)->Arg(60)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(Ffmpeg)->Arg(20)->Arg(60)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
