#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "media/compose/Composition.h"
#include "media/make/WorkspaceMake.h"
#include "tests/media/compose/Fixtures.h"

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
    root.SetAsksForMissingMedia(false);
    Clip* clip = root.ImportMedia(WriteBitmap(folder, "p.bmp", 20, 20, MakePixel(0, 0, 255, 0), 0));
    ASSERT_NE(clip, nullptr);
    Place(*clip, 0, 0, 5000);
    root.SetCurrentChild(clip);
    ASSERT_NE(root.Worker(), nullptr);
    root.Worker()->Post(kWorkerPreview);
    // Idle only counts once the worker has taken the command.
    while (root.Worker()->PendingCommand() != WorkerThread::kEmpty) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    root.WaitWorkerIdle();
    ASSERT_NE(FinishedFrame(root), nullptr);
    EXPECT_EQ(root.StatusText(), "Done!");
    // The whole output frame is stretched over the preview surface.
    EXPECT_EQ(PixelRed(root.GetSurface()->At(500, 400)), 254);
    // The current child's detail view was drawn (flags 1).
    ASSERT_NE(DetailView(root), nullptr);
    EXPECT_EQ(DetailView(root)->At(48, 0), 0x00FFFFFFu);
}

}  // namespace
}  // namespace vantrel
