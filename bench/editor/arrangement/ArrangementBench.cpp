// Dragging a clip in the arrangement window: hit test, overlap check and
// the redraw of the window into a recording context for every mouse move,
// and a whole drag with its drop (compacting the tracks). An arrangement
// holds at most 256 clips, so the 1000 clips of the project sit in four sub
// arrangements of 250 and the window shows one of them.
#include <benchmark/benchmark.h>

#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "bench/editor/arrangement/ArrangementFixture.h"
#include "tests/support/RecordingDrawContext.h"

namespace vantrel {
namespace {

constexpr int kGroups = 4, kClipsPerGroup = 250, kTracks = 10;

struct Project {
    std::unique_ptr<Workspace> root;
    Clip* shown = nullptr;

    Project() {
        WorkspaceOptions options;
        options.startWorker = false;
        root = std::make_unique<Workspace>(nullptr, nullptr, nullptr, options);
        for (int g = 0; g < kGroups; ++g) {
            root->SetTimeValue(g * 100000);
            Clip* group = root->NewChildClip(kSubArrangementType);
            bench::FillArrangement(*group, kClipsPerGroup, kTracks, 1000, 200);
            group->SetPosition(g * 400000);
            group->SetSize(group->Length());
        }
        root->SetSize(kGroups * 400000);
        root->Editor().LayOut(1024, 768);
        shown = root->ChildAt(0);
        root->Editor().ArrangementEditor().Enter(shown);
        root->Editor().ArrangementEditor().SetPicturesShown(false);
        // A minute across, as one works.
        shown->SetView(0, 60000);
        root->Editor().View().SetTrackHeight(20);
        root->Editor().LayOut(1024, 768);
    }
    // The centre of the first clip on track 3, in layout coordinates (the
    // client area equals the layout area here).
    Point Grab() const {
        const Rect box = root->Editor().ArrangementEditor().BoxOf(*shown->ChildAt(3));
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
};

void BM_DragMoveAndRedraw(benchmark::State& state) {
    Project project;
    ArrangementWindow& window = project.root->Editor().ArrangementEditor();
    const Point grab = project.Grab();
    project.root->Input(nullptr, kLeftButtonDown, grab.x, grab.y, kLeftButtonHeld);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 200;
        project.root->Input(nullptr, kMouseMove, grab.x + step * 3, grab.y + (step % 40) * 2, kLeftButtonHeld);
        testing::RecordingDrawContext dc;
        window.Draw(dc);
        benchmark::DoNotOptimize(dc.fills.size());
    }
    project.root->Input(nullptr, kLeftButtonUp, grab.x, grab.y, 0);
}
BENCHMARK(BM_DragMoveAndRedraw)->Unit(benchmark::kMicrosecond);

// Press, one move to a free place, drop (position, track, compacting) and
// the redraw: the most a single move can cost.
void BM_DragDropCompactRedraw(benchmark::State& state) {
    Project project;
    ArrangementWindow& window = project.root->Editor().ArrangementEditor();
    int flip = 0;
    for (auto _ : state) {
        const Point grab = project.Grab();
        const int dy = (flip ^= 1) ? 20 * (kTracks + 1) : -20 * (kTracks + 1);
        project.root->Input(nullptr, kLeftButtonDown, grab.x, grab.y, kLeftButtonHeld);
        project.root->Input(nullptr, kMouseMove, grab.x, grab.y + dy / 2, kLeftButtonHeld);
        project.root->Input(nullptr, kLeftButtonUp, grab.x, grab.y + dy / 2, 0);
        testing::RecordingDrawContext dc;
        window.Draw(dc);
        benchmark::DoNotOptimize(dc.fills.size());
    }
}
BENCHMARK(BM_DragDropCompactRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();
