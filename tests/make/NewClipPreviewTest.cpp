#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "editor/workspace/EditorWindow.h"
#include "items/WorkerThread.h"
#include "compose/Composition.h"
#include "make/WorkspaceMake.h"
#include "platform/scripted/ScriptedPlatform.h"

namespace vantrel {
namespace {

void WaitForPreview(Workspace& root) {
    RootState& state = *root.State();
    while (state.Worker()->PendingCommand() != WorkerThread::kEmpty) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    state.WaitWorkerIdle();
}

// A new project, a right click, "New Media Clip", "Gradient": the clip is in
// the preview at once, and Print Screen copies that frame.
TEST(NewClips, AGradientFromTheMenuShowsAtOnceAndPrintScreenCopiesIt) {
    ScriptedPlatform platform;
    ScriptedWindow window;
    InstallCompositionParts();
    WorkspaceOptions options;
    options.hooks = CompositionWorkerHooks();
    Workspace root(nullptr, &window, nullptr, options);
    root.Editor().LayOut(1024, 768);
    const Rect preview = root.Editor().Layout().Of(kPreviewRegion);
    const int x = (preview.left + preview.right) / 2, y = (preview.top + preview.bottom) / 2;
    platform.menus.answers = {387, kGradientType};
    root.Input(&window, kRightButtonUp, x, y, 0);
    ASSERT_EQ(root.ChildCount(), 1);
    ASSERT_EQ(root.CurrentChild(), root.ChildAt(0));
    WaitForPreview(root);

    const Surface* frame = root.CompositePicture();
    ASSERT_NE(frame, nullptr);
    // White at the left top, blue at the right bottom: the default corners.
    const Pixel leftTop = frame->At(0, 0), rightBottom = frame->At(frame->Width() - 1, frame->Height() - 1);
    EXPECT_GT(PixelRed(leftTop), 240);
    EXPECT_GT(PixelGreen(leftTop), 240);
    EXPECT_GT(PixelBlue(rightBottom), 200);
    EXPECT_LT(PixelRed(rightBottom), 40);

    root.Input(&window, kKeyUp, x, y, 0x2C);  // Print Screen
    EXPECT_EQ(platform.clipboard.images, 1);
    EXPECT_EQ(platform.clipboard.lastWidth, 320);  // the output frame, not a skin picture
    EXPECT_EQ(platform.clipboard.lastHeight, 240);
}

// The words the editor sets are the ones the generator draws and describes.
TEST(NewClips, ATextClipsGeneratorFollowsItsWordsAndTypeface) {
    InstallCompositionParts();
    WorkspaceOptions options;
    options.startWorker = false;
    Workspace root(nullptr, nullptr, nullptr, options);
    Clip* text = root.NewChildClip(kTextStringType);
    ASSERT_NE(text, nullptr);
    text->SetTypeface("DejaVu Serif");
    EXPECT_NE(text->Generator()->InfoLines(*text).find("\"DejaVu Serif\""), std::string::npos);
}

}  // namespace
}  // namespace vantrel
