// Composition speed: frames per second for 1, 4 and 16 layers of 352 x 288
// stills, and 4 layers with a key and a blur each, next to a plain
// per-pixel blend loop over the same number of pixels in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/clips/Clip.h"
#include "compose/Blend.h"
#include "compose/Composition.h"
#include "media/sources/PictureExport.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

constexpr int kWidth = 352, kHeight = 288;

const std::string& StillFile() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / "vantrel-compose-bench";
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "layer.bmp").string();
        Surface picture(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) picture.At(x, y) = MakePixel(x, y, x ^ y, 255);
        SaveBitmapFile(picture, kWidth, kHeight, file);
        return file;
    }();
    return path;
}

std::unique_ptr<Clip> Arrangement(int layers, bool effects) {
    InstallCompositionParts();
    auto root = std::make_unique<Clip>();
    root->SetArrangement(true);
    root->SetOutputSizeId(640);
    root->RestoreTimes(0, 10000, 0);
    for (int i = 0; i < layers; ++i) {
        Clip* clip = root->ImportMedia(StillFile());
        if (!clip) return nullptr;
        clip->RestoreTimes(0, 10000, 0);
        clip->SetTrack(i);
        // Three quarters opaque, so every layer really blends.
        if (Variable* opacity = clip->Table().ById(554)) opacity->SetValueAt(0, -0.25);
        if (effects) {
            clip->AddEffect(EffectKind::kVideo, 30);   // "Green Key"
            clip->AddEffect(EffectKind::kVideo, 149);  // "Blur"
        }
    }
    root->SetTime(1000);
    return root;
}

void Compose(benchmark::State& state, bool effects) {
    const int layers = int(state.range(0));
    std::unique_ptr<Clip> root = Arrangement(layers, effects);
    if (!root) return state.SkipWithError("cannot open the still");
    for (auto _ : state) benchmark::DoNotOptimize(vantrel::Compose(*root, kComposeMake));
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["Mpixel/s"] = benchmark::Counter(double(state.iterations()) * layers * kWidth * kHeight / 1e6,
                                                    benchmark::Counter::kIsRate);
}

void ComposeStills(benchmark::State& state) { Compose(state, false); }
void ComposeKeyAndBlur(benchmark::State& state) { Compose(state, true); }

// The yardstick: the same number of same-size pixel blends, no scaling.
void PlainBlendLoop(benchmark::State& state) {
    const int layers = int(state.range(0));
    Surface source(kWidth, kHeight), destination(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) source.At(x, y) = MakePixel(x, y, x ^ y, 191);
    for (auto _ : state) {
        for (int i = 0; i < layers; ++i) BlendSameSize(source, destination);
        benchmark::DoNotOptimize(destination.Row(0));
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["Mpixel/s"] = benchmark::Counter(double(state.iterations()) * layers * kWidth * kHeight / 1e6,
                                                    benchmark::Counter::kIsRate);
}

BENCHMARK(ComposeStills)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainBlendLoop)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeKeyAndBlur)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
