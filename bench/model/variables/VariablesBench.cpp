#include <benchmark/benchmark.h>

#include <string>

#include "values/Stream.h"
#include "model/variables/VariableTable.h"

namespace vantrel {
namespace {

// Reads at times spread over the whole curve, between and on keys.
void BM_ValueAt(benchmark::State& state) {
    const int keys = int(state.range(0));
    VariableTable table;
    table.Declare("IDS_LEVEL", 74, -1e9, 1e9, 0);
    Variable& v = *table.ByName("IDS_LEVEL");
    for (int i = 0; i < keys; ++i) v.SetValueAt(i * 40, double(i % 17));
    const std::int32_t span = keys * 40 + 40;
    std::int32_t t = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(v.ValueAt(t));
        t += 7919;
        if (t >= span) t -= span;
    }
}
BENCHMARK(BM_ValueAt)->Arg(1)->Arg(100)->Arg(10000);

VariableTable& Declared(VariableTable& table) {
    for (int i = 0; i < VariableTable::kMaxVariables; ++i)
        table.Declare("IDS_BENCH_" + std::to_string(i), 700 + i, 0, 1, 0);
    return table;
}

void BM_LoadTable128x1000(benchmark::State& state) {
    VariableTable source;
    Declared(source);
    for (int i = 0; i < source.Count(); ++i)
        for (int k = 0; k < 1000; ++k) source.At(i).SetValueAt(k * 40, k / 1000.0);
    MemoryOutStream out;
    source.Save(out);
    VariableTable target;
    Declared(target);
    for (auto _ : state) {
        MemoryInStream in(out.bytes);
        benchmark::DoNotOptimize(target.Load(in));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(out.bytes.size()));
}
BENCHMARK(BM_LoadTable128x1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
