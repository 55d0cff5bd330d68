// What F1 costs in the browser: reading a page of the full 8191 characters,
// splitting and classifying its words, measuring them in the serif face and
// drawing the pane, on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <fstream>

#include "items/ProgramFolder.h"
#include "values/Surface.h"
#include "editor/browser/InfoBrowser.h"
#include "platform/qt/PainterDrawContext.h"

namespace vantrel {
namespace {

std::string FullPage() {
    std::string page = "<vrh>";
    const char* words[] = {" Shows", " <H=less=506>", " time", " <M=Opacity=cc.IDS_OPACITY>", " across", " <br>",
                           " the", " arrangement,", " so", " short", " clips", " are", " easier", " to", " hit."};
    for (int i = 0; page.size() < kMaxPageText - 40; ++i) page += words[i % std::size(words)];
    return page;
}

void ShowAndDrawAFullPage(benchmark::State& state) {
    const std::string folder = (std::filesystem::temp_directory_path() / "vantrel-page-bench/").string();
    std::filesystem::create_directories(folder + "9");
    std::ofstream(folder + "9/full.vrh", std::ios::binary) << FullPage();
    SetProgramFolder(folder);
    InfoBrowser browser;
    InfoBrowser::Outside outside = browser.GetOutside();
    outside.refreshOff = [] { return true; };
    browser.SetOutside(outside);
    browser.SetRectangle({0, 0, 512, 364});
    Surface surface;
    surface.Allocate(512, 364);
    for (auto _ : state) {
        browser.ShowNamedPage("9/full.vrh");  // the same page again is read again
        PainterDrawContext dc(surface);
        browser.Paint(dc, 0, 0, 512, 364, 0);
        benchmark::DoNotOptimize(browser.ScrollRange());
    }
    state.counters["words"] = double(browser.Words().size());
    std::filesystem::remove_all(folder);
}
BENCHMARK(ShowAndDrawAFullPage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantrel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
