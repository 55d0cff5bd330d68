// A project whose 256 children stand on tracks just below 2^31, as a
// hostile file can have them: one compose of the children as they stand, and
// one read of the project (which closes the empty rows) followed by a
// compose. Both must cost what 256 small children cost.
#include <benchmark/benchmark.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <string>

#include "values/Stream.h"
#include "model/clips/Clip.h"
#include "compose/Composition.h"
#include "media/sources/PictureExport.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

constexpr int kChildren = 256;

const std::string& SmallStill() {
    static const std::string path = [] {
        const auto folder = std::filesystem::temp_directory_path() / "vantrel-tracks-bench";
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "small.bmp").string();
        Surface picture(32, 24);
        picture.Fill(picture.Bounds(), MakePixel(10, 200, 30, 255));
        SaveBitmapFile(picture, 32, 24, file);
        return file;
    }();
    return path;
}

std::unique_ptr<Clip> Root() {
    InstallCompositionParts();
    auto root = std::make_unique<Clip>();
    root->SetArrangement(true);
    DeclareAll(root->Table(), ClipDeclarations(ClipKind::kSubArrangement));
    root->SetOutputSizeId(82);
    root->RestoreTimes(0, 10000, 0);
    return root;
}

std::unique_ptr<Clip> HighTracks() {
    std::unique_ptr<Clip> root = Root();
    for (int i = 0; i < kChildren; ++i) {
        Clip* clip = root->ImportMedia(SmallStill());
        if (!clip) return nullptr;
        clip->RestoreTimes(0, 10000, 0);
        clip->SetTrack(INT_MAX - i);
    }
    root->SetTime(1000);
    return root;
}

void ComposeHighTracks(benchmark::State& state) {
    std::unique_ptr<Clip> root = HighTracks();
    if (!root) return state.SkipWithError("cannot open the still");
    for (auto _ : state) benchmark::DoNotOptimize(Compose(*root, kComposeMake));
}

void LoadAndComposeHighTracks(benchmark::State& state) {
    std::unique_ptr<Clip> source = HighTracks();
    if (!source) return state.SkipWithError("cannot open the still");
    MemoryOutStream out;
    source->Save(out);
    for (auto _ : state) {
        std::unique_ptr<Clip> root = Root();
        MemoryInStream in(out.bytes);
        root->Load(in);
        root->SetTime(1000);
        benchmark::DoNotOptimize(Compose(*root, kComposeMake));
    }
}

BENCHMARK(ComposeHighTracks)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAndComposeHighTracks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
