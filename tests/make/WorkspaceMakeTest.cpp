#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "editor/workspace/EditorWindow.h"
#include "items/WorkerThread.h"
#include "compose/Composition.h"
#include "make/Make.h"
#include "model/variables/Variable.h"
#include "make/WorkspaceMake.h"
#include "tests/compose/Fixtures.h"

namespace vantrel {
namespace {

using testing::Place;
using testing::TempFolder;
using testing::WriteBitmap;

TEST(WorkspaceHooks, ThePreviewComposesTheRootIntoThePreviewSurface) {
    TempFolder folder;
    InstallCompositionParts();
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, nullptr, nullptr, options);
    root.State()->SetAsksForMissingMedia(false);
    Clip* clip = root.ImportMedia(WriteBitmap(folder, "p.bmp", 20, 20, MakePixel(0, 0, 255, 0), 0));
    ASSERT_NE(clip, nullptr);
    Place(*clip, 0, 0, 5000);
    root.SetCurrentChild(clip);
    ASSERT_NE(root.State()->Worker(), nullptr);
    root.State()->Worker()->Post(kWorkerPreview);
    // Idle only counts once the worker has taken the command.
    while (root.State()->Worker()->PendingCommand() != WorkerThread::kEmpty) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    root.State()->WaitWorkerIdle();
    ASSERT_NE(FinishedFrame(root), nullptr);
    EXPECT_EQ(root.Editor().StatusText(), "Done!");
    // The whole output frame is stretched over the preview surface.
    EXPECT_EQ(PixelRed(root.GetSurface()->At(500, 400)), 254);
    // The current child's detail view was drawn (flags 1).
    ASSERT_NE(DetailView(root), nullptr);
    EXPECT_EQ(DetailView(root)->At(48, 0), 0x00FFFFFFu);
}

// The main thread scrubs, keys and moves clips as fast as it can while the
// worker composes every preview it is handed; under ThreadSanitizer this is
// the test that shows the two never touch the tree at once. The last preview
// must be the picture of the last edit: no post may be lost.
TEST(WorkspaceHooks, ScrubbingAndKeyEditsWhilePreviewsCompose) {
    TempFolder folder;
    InstallCompositionParts();
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    std::atomic<int> composed{0};
    options.hooks.preview = [&composed, compose = options.hooks.preview](Workspace& root) {
        ++composed;
        compose(root);
    };
    Workspace root(nullptr, nullptr, nullptr, options);
    RootState& state = *root.State();
    Clip* picture = nullptr;
    Clip* gradient = nullptr;
    {
        auto edit = root.Edit();
        state.SetAsksForMissingMedia(false);
        picture = root.ImportMedia(WriteBitmap(folder, "p.bmp", 40, 30, MakePixel(10, 200, 30, 0), 0));
        ASSERT_NE(picture, nullptr);
        Place(*picture, 0, 0, 10000);
        gradient = root.NewChildClip(kGradientType);
        ASSERT_NE(gradient, nullptr);
        Place(*gradient, 1, 0, 10000);
    }
    std::mt19937 random(12345);
    // On a loaded machine the worker may get in less often: edit on until
    // it has composed between edits a few times.
    for (int i = 0; i < 2000 || (composed.load() <= 10 && i < 40000); ++i) {
        {
            auto edit = root.Edit();
            const auto time = std::int32_t(random() % 10000);
            root.SetGlobalTime(time);
            if (i % 3 == 0) gradient->Table().SetValueByName("IDS_COLOR_LT_R", time, double(i % 97) / 96.0);
            if (i % 7 == 0) gradient->Table().SetValueByName("IDS_DST_R", time + 13, double(i % 89) / 88.0);
            if (i % 11 == 0) gradient->Table().ByName("IDS_COLOR_LT_R")->DeleteKeyAt(time);
            if (i % 50 == 0) picture->SetPosition(std::int32_t(random() % 200));
        }
        // Now and then the main thread pauses as a person's hand would, so
        // the worker gets in between edits and not only after the last.
        if (i % 20 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    {
        auto edit = root.Edit();
        root.SetGlobalTime(4321);
    }
    while (state.Worker()->PendingCommand() != WorkerThread::kEmpty) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    state.WaitWorkerIdle();

    EXPECT_GT(composed.load(), 10);
    auto edit = root.Edit();
    Surface again;
    again.Allocate(root.GetSurface()->Width(), root.GetSurface()->Height());
    PreviewCommand(root, &again);
    const Surface& shown = *root.GetSurface();
    int differing = 0;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x) differing += shown.At(x, y) != again.At(x, y);
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace vantrel
