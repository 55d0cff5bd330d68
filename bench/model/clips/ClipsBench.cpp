// Loading and saving a project of 1000 clips with 20 keyed variables each.
// An arrangement holds at most 256 clips, so the clips sit in four sub
// arrangements of 250.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "values/Stream.h"
#include "model/clips/Clip.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

constexpr int kGroups = 4;
constexpr int kClipsPerGroup = 250;
constexpr int kKeyedVariables = 20;
constexpr int kKeysPerVariable = 4;

std::unique_ptr<Clip> MakeRoot() {
    auto root = std::make_unique<Clip>();
    root->SetArrangement(true);
    DeclareAll(root->Table(), ClipDeclarations(ClipKind::kSubArrangement));
    return root;
}

std::unique_ptr<Clip> BuildProject() {
    auto root = MakeRoot();
    for (int g = 0; g < kGroups; ++g) {
        root->SetTimeValue(g * 1000);
        Clip* group = root->NewChildClip(kSubArrangementType);
        for (int i = 0; i < kClipsPerGroup; ++i) {
            group->SetTimeValue(i * 100);
            Clip* clip = group->NewChildClip(kGradientType);
            VariableTable& table = clip->Table();
            int keyed = 0;
            for (int v = 0; v < table.Count() && keyed < kKeyedVariables; ++v) {
                Variable& variable = table.At(v);
                if (IsGroupEntry(variable.DeclaredFlags())) continue;
                for (int k = 0; k < kKeysPerVariable; ++k) variable.SetValueAt(k * 250, 0.1 * k);
                ++keyed;
            }
        }
    }
    root->CommitAll();
    return root;
}

std::vector<std::uint8_t> SavedBytes(Clip& root) {
    MemoryOutStream out;
    root.Save(out);
    return std::move(out.bytes);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

void BM_SaveProject(benchmark::State& state) {
    auto root = BuildProject();
    std::size_t bytes = 0;
    for (auto _ : state) {
        MemoryOutStream out;
        benchmark::DoNotOptimize(root->Save(out));
        bytes = out.bytes.size();
    }
    state.counters["file_MB"] = double(bytes) / (1024 * 1024);
    state.counters["peak_RSS_MB"] = PeakMegabytes();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state) {
    const auto bytes = SavedBytes(*BuildProject());
    for (auto _ : state) {
        auto root = MakeRoot();
        MemoryInStream in(bytes);
        if (!root->Load(in)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(root.get());
    }
    state.counters["peak_RSS_MB"] = PeakMegabytes();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
