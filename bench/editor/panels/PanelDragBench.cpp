// A person dragging the level slider of a Blur on the first video clip of
// the W1 project (four CIF layers), with a key on that level: each mouse
// move goes through the root's input to the panel, the worker composes the
// frame, and the root draws the whole editor into a 1280 x 960 window
// picture. Prints the median and the worst of 200 moves.
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "values/Messages.h"
#include "editor/workspace/EditorPanels.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "bench/compose/Projects.h"
#include "bench/editor/workspace/EditorFrames.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"

using namespace vantrel;

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kBlur = 149;
constexpr int kMatrixGroup = 438;

bool Measure(const std::string& project) {
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    if (!OpenProjectFile(root, project)) {
        std::printf("W1: %s does not open\n", project.c_str());
        return false;
    }
    Rect row;
    {
        auto edit = root.Edit();
        Clip* video = nullptr;
        for (int i = 0; i < root.ChildCount() && !video; ++i)
            if (root.ChildAt(i)->HasVideo() && root.ChildAt(i)->HoldsPicture()) video = root.ChildAt(i);
        if (!video) {
            std::printf("W1: no video clip\n");
            return false;
        }
        root.Select(video);
        root.SetTime(1000);
        root.Editor().Panels().AddEffect(true, kBlur);
        VariableOwner* blur = video->CurrentVideoEffect();
        blur->Table().SetValueByName("IDS_EFFECT_LEVEL", 0, 0.2);
        blur->Table().SetValueByName("IDS_MATRIX_SIZE", 0, 7);
        root.Editor().Panels().Parameters().RunGroupChoice(kMatrixGroup);
        root.Editor().LayOut(bench::kEditorLayoutWidth, bench::kEditorLayoutHeight);
        const int level = blur->Table().FindByName("IDS_EFFECT_LEVEL");
        for (const auto& r : root.Editor().Panels().Parameters().Rows())
            if (r.index == level) row = r.value;
    }
    if (row.IsEmpty()) {
        std::printf("W1: the level slider has no row\n");
        return false;
    }
    const int y = (row.top + row.bottom) / 2;
    root.Input(nullptr, kLeftButtonDown, row.left + 2, y, 0);
    bench::WaitForPreview(root);
    QImage window(1280, 960, QImage::Format_RGB32);
    std::vector<double> ms;
    for (int i = 0; i < 200; ++i) {
        const int x = row.left + 2 + (i * 7) % std::max(1, row.Width() - 4);
        const auto start = Clock::now();
        root.Input(nullptr, kMouseMove, x, y, kLeftButtonHeld);
        bench::WaitForPreview(root);
        bench::PaintEditorScaled(root, window);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    root.Input(nullptr, kLeftButtonUp, row.left + 2, y, 0);
    const VariableOwner* blur = root.Editor().Panels().CurrentEffect();
    std::printf("level keys %d, level at 1 s %.3f\n", blur->Table().ByName("IDS_EFFECT_LEVEL")->KeyCount(),
                blur->Table().ValueByName("IDS_EFFECT_LEVEL", 1000));
    std::sort(ms.begin(), ms.end());
    std::printf("W1 blur level drag: median %.2f ms, worst %.2f ms (200 moves, %d clips, frame %s)\n",
                ms[ms.size() / 2], ms.back(), root.ChildCount(), FinishedFrame(root) ? "made" : "missing");
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallCompositionParts();
    std::string error;
    const std::string w1 = bench::WriteW1Project("/tmp/vantrel-bench-w1", 10, error);
    if (w1.empty()) {
        std::printf("W1: %s\n", error.c_str());
        return 1;
    }
    return Measure(w1) ? 0 : 1;
}
