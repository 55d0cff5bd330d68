// One arrow key at a time, as a person scrubs: the key goes through the
// root's input, the worker composes the frame, and the root draws the whole
// editor into a 1280 x 960 window picture through the scaled painter. Prints
// the median and the worst of 200 changes for the example project and for
// the W1 project (four CIF layers).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "app/core/Messages.h"
#include "app/core/WorkerThread.h"
#include "app/workspace/Workspace.h"
#include "bench/compose/Projects.h"
#include "media/compose/Composition.h"
#include "media/make/WorkspaceMake.h"
#include "platform/qt/PainterDrawContext.h"

using namespace vantrel;

namespace {
using Clock = std::chrono::steady_clock;

void WaitForPreview(Workspace& root) {
    WorkerThread* worker = root.State()->Worker();
    while (worker->PendingCommand() != WorkerThread::kEmpty) std::this_thread::yield();
    root.State()->WaitWorkerIdle();
}

// byFrame: each change moves one 15 fps frame on (as a ruler drag does),
// so every preview decodes new pictures; otherwise one arrow key, one
// quantize unit back and forth.
bool Measure(const char* name, const std::string& project, bool byFrame) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    if (!root.OpenProjectFile(project)) {
        std::printf("%s: %s does not open\n", name, project.c_str());
        return false;
    }
    root.LayOut(1024, 768);
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
        WaitForPreview(root);
        {
            QPainter painter(&window);
            painter.scale(1.25, 1.25);
            PainterDrawContext dc(painter);
            dc.SetSmoothPictures(true);
            auto edit = root.Edit();
            root.Paint(dc, 0, 0, 1024, 768, 0);
        }
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-8s %-6s median %.2f ms, worst %.2f ms (200 changes, %d clips, frame %s)\n", name,
                byFrame ? "frame" : "arrow", ms[ms.size() / 2], ms.back(), root.ChildCount(),
                FinishedFrame(root) ? "made" : "missing");
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallCompositionParts();
    const std::string example = std::string(VANTREL_SOURCE_DIR) + "/data/program/9/samps/example.kwp";
    Measure("example", example, false);
    Measure("example", example, true);
    std::string error;
    const std::string w1 = bench::WriteW1Project("/tmp/vantrel-bench-w1", 10, error);
    if (w1.empty())
        std::printf("W1: %s\n", error.c_str());
    else
    {
        Measure("W1", w1, false);
        Measure("W1", w1, true);
    }
    return 0;
}
