// Rounds per second of a counting loop: "x += 1 ;" and an if that ends it.
#include <string>

#include <benchmark/benchmark.h>

#include "items/Control.h"
#include "script/ScriptContext.h"

namespace {

constexpr int kRounds = 100000;

void LoopRounds(benchmark::State& state, const std::string& text) {
    vantrel::Control host;
    for (auto _ : state) {
        auto context = vantrel::ScriptContext::FromText(&host, text, "bench.vrm");
        std::string output;
        if (!context->Run("", output) || output != "100000.000000") {
            state.SkipWithError("the loop did not count to the end");
            return;
        }
        benchmark::DoNotOptimize(output);
    }
    state.SetItemsProcessed(state.iterations() * kRounds);
    state.counters["rounds/s"] = benchmark::Counter(double(state.iterations()) * kRounds, benchmark::Counter::kIsRate);
}

void BM_CountingLoop(benchmark::State& state) {
    LoopRounds(state, "<vrs> ; x = 0 ; loop { x += 1 ; if x >= 100000 return x ; }");
}
BENCHMARK(BM_CountingLoop)->Unit(benchmark::kMillisecond);

// The same with the test in a block and a second variable, as tutorials write it.
void BM_CountingLoopWithBlock(benchmark::State& state) {
    LoopRounds(state, "<vrs> ; x = 0 ; y = 0 ; loop { x += 1 ; if x >= 100000 { return x ; } y += 2 ; }");
}
BENCHMARK(BM_CountingLoopWithBlock)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
