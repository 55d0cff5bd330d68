// Every effect type over a CIF and a full-HD picture, in megapixels per
// second, beside a plain copy loop over the same pixels; the matrix filters
// also at their largest window.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "effects/EffectRegistry.h"

namespace vantrel {
namespace {

Surface Picture(int w, int h) {
    Surface s(w, h);
    std::mt19937 random(1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.At(x, y) = Pixel(random()) | 0x80000000u;
    return s;
}

void Report(benchmark::State& state, int w, int h) {
    state.counters["MP/s"] =
        benchmark::Counter(double(w) * h / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void CopyLoop(benchmark::State& state, int w, int h) {
    const Surface source = Picture(w, h);
    Surface destination(w, h);
    for (auto _ : state) {
        for (int y = 0; y < h; ++y) std::memcpy(destination.Row(y), source.Row(y), std::size_t(w) * 4);
        benchmark::DoNotOptimize(destination.Row(0));
    }
    Report(state, w, h);
}

// Defaults that would make an effect skip its work are moved off them.
struct Busy {
    int type, id;
    double value;
};
constexpr Busy kBusy[] = {{103, 104, -0.3}, {106, 240, 0.5}, {297, 298, 0.5}, {297, 299, -0.5},
                          {252, 240, 0.5},  {292, 240, 0.5}, {256, 240, 0.5}, {266, 267, 30}};

void RunEffect(benchmark::State& state, int type, int w, int h, double matrixSize) {
    auto effect = CreateVideoEffect(type);
    if (matrixSize > 0) effect->SetValueNow(73, matrixSize);
    for (const Busy& b : kBusy)
        if (b.type == type) effect->SetValueNow(b.id, b.value);
    const Surface picture = Picture(w, h);
    Surface source = picture, destination = picture;
    for (auto _ : state) {
        // The composition hands fresh copies each frame; keys would otherwise
        // find nothing left to test after the first run.
        state.PauseTiming();
        source = picture;
        destination = picture;
        state.ResumeTiming();
        benchmark::DoNotOptimize(effect->Process(source, destination, source.Bounds()));
    }
    Report(state, w, h);
}

void RunAudio(benchmark::State& state, int type) {
    auto effect = CreateAudioEffect(type);
    std::vector<std::int16_t> samples(2 * 44100);
    std::mt19937 random(2);
    for (auto& s : samples) s = std::int16_t(random());
    std::vector<std::int16_t> out(samples.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(effect->Process(samples.data(), out.data(), std::int32_t(samples.size() * 2)));
    state.counters["s audio/s"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}

const int kSizes[][2] = {{352, 288}, {1920, 1080}};

int Register() {
    for (const auto& size : kSizes) {
        const int w = size[0], h = size[1];
        const std::string suffix = "/" + std::to_string(w) + "x" + std::to_string(h);
        benchmark::RegisterBenchmark(("copy" + suffix).c_str(), CopyLoop, w, h);
        for (int type : VideoEffectTypes()) {
            if (type == 122) continue;  // no plugin loaded here
            const std::string name = std::to_string(type) + " " + std::string(EffectName(Effect::Kind::kVideo, type));
            benchmark::RegisterBenchmark((name + suffix).c_str(), RunEffect, type, w, h, 0.0);
            if (type == 149 || type == 72 || type == 78)
                benchmark::RegisterBenchmark((name + " size 32" + suffix).c_str(), RunEffect, type, w, h, 32.0);
        }
    }
    for (int type : {142, 514})
        benchmark::RegisterBenchmark((std::string(EffectName(Effect::Kind::kAudio, type)) + " 1 s").c_str(), RunAudio,
                                     type);
    return 0;
}
const int registered = Register();

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
