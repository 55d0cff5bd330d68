#include <gtest/gtest.h>

#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/ProjectCommands.h"
#include "editor/workspace/Workspace.h"
#include "tests/support/RecordingDrawContext.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::ScopedDialogs;

// An output size whose pictures cannot be made must not end the program:
// the "Error" box names the size and the program goes on at "320 / 240".
TEST(WorkspaceOutputSize, AFailedSizeSaysWhyAndKeeps320x240) {
    ScopedDialogs platform;
    ScriptedWindow window;
    std::vector<int> asked;
    bool largeFails = true, everyFails = false;
    WorkspaceOptions options;
    options.startWorker = false;
    options.hooks.allocateOutput = [&](Workspace&, int id) {
        asked.push_back(id);
        return !everyFails && !(largeFails && id == 640);
    };
    Workspace root(nullptr, &window, nullptr, options);
    EXPECT_TRUE(platform.dialogs.boxes.empty());
    EXPECT_EQ(asked, std::vector<int>{82});

    root.SetOutputSizeOrDefault(639);
    ASSERT_EQ(root.OutputSizeId(), 639);
    // Chosen from the menu: the size fails, the box says so.
    platform.menus.answers = {640};
    ResultFlags out = 0;
    root.Command(&window, 356, out);
    EXPECT_EQ(root.OutputSizeId(), 82);
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].caption, "Error");
    EXPECT_NE(platform.dialogs.boxes[0].text.find("352 / 288 (CIF PAL)"), std::string::npos);
    EXPECT_NE(platform.dialogs.boxes[0].text.find("320 / 240"), std::string::npos);
    EXPECT_EQ(asked.back(), 82);  // the fallback's pictures are made

    // Not even the fallback: still a box, still running, still 320 / 240.
    everyFails = true;
    EXPECT_TRUE(NewProject(root));
    EXPECT_EQ(root.OutputSizeId(), 82);
    EXPECT_EQ(platform.dialogs.boxes.size(), 2u);
    EXPECT_EQ(window.title.rfind("Vantrel", 0), 0u);
}

// The current clip's own picture (surface 1) is drawn in its pane only
// while a clip is current; the composite is drawn in the preview always.
TEST(WorkspaceViews, TheClipViewShowsOnlyWhileAClipIsCurrent) {
    ScopedDialogs platform;
    ScriptedWindow window;
    Surface composite, detail;
    composite.Allocate(32, 24);
    detail.Allocate(16, 16);
    WorkspaceOptions options;
    options.startWorker = false;
    options.hooks.finishedFrame = [&](Workspace&) { return &composite; };
    options.hooks.detailView = [&](Workspace&) { return &detail; };
    Workspace root(nullptr, &window, nullptr, options);
    auto drawn = [&] {
        root.Editor().LayOut(1024, 768);
        testing::RecordingDrawContext dc;
        root.Paint(dc, 0, 0, 1024, 768, 0);
        int composites = 0, details = 0;
        for (const auto& s : dc.stretches) {
            composites += s.picture == &composite && root.Editor().Layout().Of(kPreviewRegion).Contains(s.dest.left, s.dest.top);
            details += s.picture == &detail && root.Editor().Layout().Of(kClipViewRegion).Contains(s.dest.left, s.dest.top);
        }
        return std::pair{composites, details};
    };
    EXPECT_EQ(drawn(), (std::pair{1, 0}));
    Clip* clip = root.NewChildClip(kTextStringType);
    ASSERT_NE(clip, nullptr);
    root.SetCurrentChild(clip);
    EXPECT_EQ(drawn(), (std::pair{1, 1}));
    root.SetCurrentChild(nullptr);
    EXPECT_EQ(drawn(), (std::pair{1, 0}));
}

}  // namespace
}  // namespace vantrel
