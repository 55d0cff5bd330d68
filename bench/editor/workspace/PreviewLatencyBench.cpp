// One arrow key at a time, as a person scrubs: the key goes through the
// root's input, the worker composes the frame, and the root draws the whole
// editor into a 1280 x 960 window picture through the scaled painter. Prints
// the median and the worst of 200 changes for the example project, for
// the W1 project (four CIF layers) and for the W4 project (four Full HD
// H.264 layers). The "window" rows take the whole road
// of the editor: the key into the root, the worker's refresh request queued
// onto the window's thread, and the refresh that lays out and draws the new
// frame into the real main window's picture.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "values/Messages.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "bench/compose/Projects.h"
#include "bench/editor/workspace/EditorFrames.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"
#include "platform/WindowEvents.h"
#include "platform/qt/QtMainWindow.h"

using namespace vantrel;

namespace {
using Clock = std::chrono::steady_clock;

// byFrame: each change moves one 15 fps frame on (as a ruler drag does),
// so every preview decodes new pictures; otherwise one arrow key, one
// quantize unit back and forth.
bool Measure(const char* name, const std::string& project, bool byFrame) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    if (!OpenProjectFile(root, project)) {
        std::printf("%s: %s does not open\n", name, project.c_str());
        return false;
    }
    root.Editor().LayOut(bench::kEditorLayoutWidth, bench::kEditorLayoutHeight);
    QImage window(1280, 960, QImage::Format_RGB32);
    std::vector<double> ms;
    for (int i = 0; i < 200; ++i) {
        const auto start = Clock::now();
        if (byFrame) {
            auto edit = root.Edit();
            root.FinishInput(root.SetGlobalTime(std::int32_t((i + 1) * 1000 / 15 % std::max(root.GetSize(), 1))));
        } else {
            root.Input(nullptr, kKeyUp, 0, 0, i % 2 ? kVkLeft : kVkRight);
        }
        bench::WaitForPreview(root);
        bench::PaintEditorScaled(root, window);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s %-6s median %.2f ms, worst %.2f ms (200 changes, %d clips, frame %s)\n", name,
                byFrame ? "frame" : "arrow", ms[ms.size() / 2], ms.back(), root.ChildCount(),
                FinishedFrame(root) ? "made" : "missing");
    return true;
}
// A drag along the ruler: a new time every 100 ms for 10 s, each a new
// frame of every layer. A change whose frame is not shown before the next
// one comes would be the start of a queue; the worker's one command slot
// drops such a frame rather than queueing it, and the count says how often.
bool MeasureRulerDrag(const char* name, const std::string& project) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    if (!OpenProjectFile(root, project)) return false;
    root.Editor().LayOut(bench::kEditorLayoutWidth, bench::kEditorLayoutHeight);
    QImage window(1280, 960, QImage::Format_RGB32);
    std::vector<double> ms;
    int late = 0;
    const auto begin = Clock::now();
    for (int i = 0; i < 100; ++i) {
        const auto due = begin + std::chrono::milliseconds(100 * i);
        std::this_thread::sleep_until(due);
        const auto start = Clock::now();
        {
            auto edit = root.Edit();
            root.FinishInput(root.SetGlobalTime(std::int32_t((i * 137 + 40) % std::max(root.GetSize(), 1))));
        }
        bench::WaitForPreview(root);
        bench::PaintEditorScaled(root, window);
        const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ms.push_back(took);
        if (took > 100) ++late;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s %-6s median %.2f ms, worst %.2f ms, %d of 100 changes later than the next one\n", name, "drag",
                ms[ms.size() / 2], ms.back(), late);
    return true;
}

// What the window procedure does with a refresh: lay out and draw.
struct RefreshCounter final : WindowEvents {
    Workspace* root = nullptr;
    QtMainWindow* window = nullptr;
    int refreshes = 0;
    void Input(std::uint32_t, int, int, std::uintptr_t) override {}
    void Resized() override {
        if (!root) return;
        const Rect client = window->ClientRect();
        root->Arrange(client.left, client.top, client.right, client.bottom);
        ++refreshes;
    }
    void Activated(bool) override {}
    void Timer(int) override {}
    void Destroyed() override {}
};

bool MeasureThroughWindow(const char* name, const std::string& project) {
    QtMainWindow window("bench");
    window.resize(1280, 960);
    window.show();
    RefreshCounter events;
    events.window = &window;
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, &window, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    if (!OpenProjectFile(root, project)) return false;
    events.root = &root;
    window.SetEvents(&events);
    std::vector<double> ms;
    for (int i = 0; i < 200; ++i) {
        const auto start = Clock::now();
        const int before = events.refreshes;
        root.Input(&window, kKeyUp, 0, 0, i % 2 ? kVkLeft : kVkRight);
        while (events.refreshes == before) QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        bench::WaitForPreview(root);
        QCoreApplication::processEvents();
    }
    window.SetEvents(nullptr);
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s %-6s median %.2f ms, worst %.2f ms (200 changes, %d clips)\n", name, "window",
                ms[ms.size() / 2], ms.back(), root.ChildCount());
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallCompositionParts();
    const std::string example = std::string(VANTREL_SOURCE_DIR) + "/data/program/9/samps/example.kwp";
    Measure("example", example, false);
    Measure("example", example, true);
    MeasureThroughWindow("example", example);
    std::string error;
    const std::string w1 = bench::WriteW1Project("/tmp/vantrel-bench-w1", 10, error);
    if (w1.empty())
        std::printf("W1: %s\n", error.c_str());
    else
    {
        Measure("W1", w1, false);
        Measure("W1", w1, true);
        MeasureThroughWindow("W1", w1);
    }
    // W4: four Full HD H.264 layers, the media shared with w4_bench.
    const std::string w4 = bench::WriteW4Project("/tmp/vantrel-w4-bench", 60, error);
    if (w4.empty()) {
        std::printf("W4: %s\n", error.c_str());
    } else {
        Measure("W4", w4, false);
        Measure("W4", w4, true);
        MeasureThroughWindow("W4", w4);
        MeasureRulerDrag("W4", w4);
    }
    return 0;
}
