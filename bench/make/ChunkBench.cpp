// Chunked makes of the W1 workload (60 s, 352 x 288, 15 fps, lossless
// .mkv), each process pinned to one core: the processor time of the chunks
// together against one whole make, for 2, 4 and 8 chunks, and the time the
// join takes. The chunks run one after the other, so the sum is what a
// cluster pays for them, whatever it spreads them over.
#include <benchmark/benchmark.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "bench/compose/Projects.h"
#include "make/Join.h"
#include "make/Make.h"

namespace {

using vantrel::bench::ChildCpuSeconds;
using vantrel::bench::ProgramPath;
using vantrel::bench::W1Folder;

constexpr int kSeconds = 60;
constexpr int kFrames = kSeconds * 15;


// Processor seconds of the make in `wanted` chunks (1: whole, as it always
// ran), each chunk a process of its own pinned to one core; the chunk files
// are left for the join.
double MakeIn(const std::string& project, const std::string& output, int wanted, std::vector<std::string>& files,
              bool& ok) {
    const std::vector<vantrel::MakeChunk> chunks = vantrel::SplitMake(0, kSeconds * 1000, kFrames, wanted);
    files.clear();
    const double before = ChildCpuSeconds();
    for (const vantrel::MakeChunk& chunk : chunks) {
        files.push_back(wanted == 1 ? output : vantrel::ChunkFileName(output, {chunk.frames, kFrames}));
        const std::string range = wanted == 1 ? std::string()
                                              : " --range " + std::to_string(chunk.fromMs) + " " +
                                                    std::to_string(chunk.toMs);
        const std::string command = "QT_QPA_PLATFORM=offscreen taskset -c 1 '" + ProgramPath() + "' --make '" + project +
                                    "' '" + files.back() + "'" + range + " --quiet > /dev/null";
        ok = ok && std::system(command.c_str()) == 0;
    }
    return ChildCpuSeconds() - before;
}

std::map<int, double> overheadByChunks;

// Argument: chunks. Each iteration makes the whole W1 once and in chunks
// once, back to back, so that the machine's load (other builds on a shared
// machine) touches both alike; the overhead is of their summed times.
void Chunked(benchmark::State& state) {
    const int wanted = int(state.range(0));
    std::string error;
    const std::string project = vantrel::bench::WriteW1Project(W1Folder(), kSeconds, error);
    if (project.empty()) return state.SkipWithError(error.c_str());
    const std::string output = W1Folder() + "/chunked.mkv", whole = W1Folder() + "/whole.mkv";
    double wholeCpu = 0, chunkedCpu = 0, joinSeconds = 0;
    std::vector<std::string> files;
    for (auto _ : state) {
        bool ok = true;
        wholeCpu += MakeIn(project, whole, 1, files, ok);
        chunkedCpu += MakeIn(project, output, wanted, files, ok);
        if (!ok) return state.SkipWithError("vantrel --make failed");
        const auto start = std::chrono::steady_clock::now();
        std::string message;
        if (vantrel::JoinChunks(output, files, message) != 0) return state.SkipWithError(message.c_str());
        joinSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        for (const std::string& file : files) std::filesystem::remove(file);
    }
    const double iterations = double(state.iterations());
    state.counters["whole_cpu_s"] = wholeCpu / iterations;
    state.counters["chunks_cpu_s"] = chunkedCpu / iterations;
    state.counters["join_s"] = joinSeconds / iterations;
    // Joining is remuxing: its time grows with the output's length.
    state.counters["join_s_per_hour"] = joinSeconds / iterations * 3600.0 / kSeconds;
    overheadByChunks[wanted] = chunkedCpu / wholeCpu - 1.0;
}

BENCHMARK(Chunked)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [chunks, overhead] : overheadByChunks)
        std::printf("W1 %d s in %d chunks: %+.1f %% processor time against the whole make\n", kSeconds, chunks,
                    100.0 * overhead);
    return 0;
}
