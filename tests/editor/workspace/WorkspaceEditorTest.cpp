#include <gtest/gtest.h>

#include <filesystem>

#include "items/Control.h"
#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/RootControls.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::ScopedDialogs;
using testing::TempFolder;

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct EditorTest : testing::ScriptedEditorTest {
    ScriptedClipboard clipboard;
    PlatformServices previous = SetPlatform({nullptr, nullptr, &clipboard, nullptr, nullptr});
    TempFolder folder;
    std::vector<int> topics;

    void SetUp() override {
        window.client = {0, 0, 1280, 960};
        WorkspaceOptions options = Options();
        options.showHelpTopic = [this](int topic) { topics.push_back(topic); };
        Open(std::move(options));
    }
    void TearDown() override {
        root.reset();
        SetPlatform(previous);
    }
    Clip* AddClip() {
        Clip* clip = root->NewChildClip(kTextStringType);
        root->SetCurrentChild(clip);
        root->FinishInput(kRelayout);
        return clip;
    }
    // Layout coordinates to the 1280 x 960 client area.
    static Point ToClient(Point p) { return {p.x * 1280 / 1024, p.y * 960 / 768}; }
    ResultFlags Send(std::uint32_t message, Point layout, std::uintptr_t flags = 0) {
        const Point c = ToClient(layout);
        return root->Input(&window, message, c.x, c.y, flags);
    }
    void Click(Point layout) {
        Send(kLeftButtonDown, layout, kLeftButtonHeld);
        Send(kLeftButtonUp, layout);
    }
    Rect RectOf(int id) const { return root->Editor().ControlById(id)->Rectangle(); }
};

TEST_F(EditorTest, EveryControlOfTheTableIsAttachedWithItsId) {
    for (const RootControlRow& row : RootControlRows()) {
        Control* control = root->Editor().ControlById(row.id);
        ASSERT_NE(control, nullptr) << row.id;
        EXPECT_EQ(control->GetId(), row.id);
        EXPECT_EQ(control->StyleId(), row.styleId);
        EXPECT_EQ(control->Parent(), root.get());
    }
    EXPECT_EQ(root->Editor().ControlById(139)->StyleId(), 629);
    EXPECT_EQ(root->Editor().ControlById(360)->StyleId(), 93);
}

TEST_F(EditorTest, ALargeWindowIsLaidOutAt1024x768AndInputScaledBack) {
    root->FinishInput(kRelayout);
    EXPECT_EQ(root->Editor().Layout().area, (Rect{0, 0, 1024, 768}));
    // Client x 640 is layout x 512: the vertical splitter of a 1024-wide area.
    const Rect splitter = root->Editor().Layout().Of(kVerticalSplitter);
    ASSERT_FALSE(splitter.IsEmpty());
    EXPECT_TRUE(splitter.Contains(512, 100));
    root->Input(&window, kMouseMove, 640, 125, 0);
    EXPECT_EQ(window.cursor, Cursor::SizeHorizontal);
}

TEST_F(EditorTest, EveryRectangleIsClearedBeforeALayout) {
    AddClip();
    root->FinishInput(kChanged);
    EXPECT_FALSE(RectOf(342).IsEmpty());  // Apply with pending changes
    root->CommitAll();
    root->FinishInput(kRelayout);
    EXPECT_TRUE(RectOf(342).IsEmpty());
    EXPECT_TRUE(RectOf(343).IsEmpty());
    EXPECT_FALSE(RectOf(346).IsEmpty());  // the transport row stays
}

TEST_F(EditorTest, AClickOnAButtonRunsItsCommand) {
    AddClip();
    root->FinishInput(kChanged);
    ASSERT_TRUE(root->IsChanged());
    Click(Centre(RectOf(342)));  // "Apply"
    EXPECT_FALSE(root->IsChanged());
    EXPECT_EQ(root->CapturedChild(), nullptr);
    // A button whose command is not offered is drawn disabled.
    EXPECT_EQ(root->Editor().ControlById(343)->Press(), Control::kDisabled);
}

TEST_F(EditorTest, MuteButtonsFollowTheFlag) {
    Clip* clip = AddClip();
    const Point mute = Centre(RectOf(368));
    Click(mute);
    EXPECT_TRUE(clip->MuteAudio());
    EXPECT_TRUE(dynamic_cast<CheckButton*>(root->Editor().ControlById(368))->Checked());
    Click(mute);
    EXPECT_FALSE(clip->MuteAudio());
}

// The time grid's row: its settings are buttons that ask for a value,
// "Music Time Change" hands the grid on, and the arrows step by the grid,
// or by one output frame (the make's frame times) with quantizing off.
TEST_F(EditorTest, TheTimeGridIsSetInItsRowAndTheArrowsFollowIt) {
    Clip* clip = AddClip();
    const Rect row = root->Editor().Layout().Of(kTimeGridRegion);
    for (int id : {636, 336, 337, 338, 339}) EXPECT_EQ(RectOf(id).Intersect(row), RectOf(id)) << id;
    auto right = [&](std::int32_t from) {
        root->SetGlobalTime(from);
        root->Input(&window, kKeyUp, 0, 0, kVkRight);
        return root->Time();
    };
    EXPECT_EQ(right(0), 66);
    EXPECT_EQ(right(66), 133);
    root->SetGlobalTime(150);  // between frames: back to the one before
    root->Input(&window, kKeyUp, 0, 0, kVkLeft);
    EXPECT_EQ(root->Time(), 133);

    platform.menus.answers = {5};  // "Quantize Sec/15"
    Click(Centre(RectOf(339)));
    EXPECT_EQ(root->Grid().Settings().quantizeMode, kQuantizeSec15);
    EXPECT_EQ(right(66), 133);
    platform.dialogs.textAnswers = {"120", "0", "3"};  // a zero tempo changes nothing
    Click(Centre(RectOf(336)));
    Click(Centre(RectOf(336)));
    Click(Centre(RectOf(337)));
    EXPECT_EQ(root->Grid().Settings().beatsPerMinute, 120);
    EXPECT_EQ(root->Grid().Settings().unitsPerBar, 3);
    Click(Centre(RectOf(636)));
    EXPECT_EQ(clip->Grid().Settings(), root->Grid().Settings());
}

TEST_F(EditorTest, PaneFocusKeys) {
    root->FinishInput(kRelayout);
    root->Input(&window, kKeyUp, 0, 0, kVkNumpad0 + 2);
    EXPECT_EQ(root->Editor().PaneFocus(), 0x20);
    root->Input(&window, kKeyUp, 0, 0, kVkNumpad0 + 8);  // a focus is set: nothing
    EXPECT_EQ(root->Editor().PaneFocus(), 0x20);
    root->Input(&window, kKeyUp, 0, 0, kVkEscape);
    EXPECT_EQ(root->Editor().PaneFocus(), 0);
    root->Input(&window, kKeyUp, 0, 0, kVkNumpad0 + 8);
    EXPECT_EQ(root->Editor().PaneFocus(), 0x10);
    EXPECT_TRUE(root->Editor().Layout().panes[kBottomLeft].IsEmpty());
    EXPECT_TRUE(root->Editor().Layout().panes[kBottomRight].IsEmpty());
    root->Input(&window, kKeyUp, 0, 0, kVkNumpad0 + 5);
    EXPECT_EQ(root->Editor().PaneFocus(), 0);
    // F9 over the lower panes focuses them.
    const Point low = ToClient(Centre(root->Editor().Layout().panes[kBottomRight]));
    root->Input(&window, kKeyUp, low.x, low.y, kVkF1 + 8);
    EXPECT_EQ(root->Editor().PaneFocus(), 0x20);
}

TEST_F(EditorTest, OtherKeysGoToTheControlUnderThePointer) {
    root->FinishInput(kRelayout);
    topics.clear();
    Send(kKeyUp, Centre(RectOf(591)), kVkF1);
    EXPECT_EQ(topics, std::vector<int>{591});
    Send(kKeyUp, Centre(RectOf(356)), kVkF1);
    EXPECT_EQ(topics.back(), 356);
}

TEST_F(EditorTest, HoverHelpNamesTheControlAndEmptySpace) {
    AddClip();
    root->Editor().SetSplitRatios(0.5, 0.5);
    Send(kMouseMove, Centre(RectOf(360)));
    EXPECT_EQ(root->Editor().HoverText(), Str(360));
    EXPECT_TRUE(root->Editor().HoverArmed());
    EXPECT_EQ(root->Editor().HitAt({-5, -5}), 0);
    root->Input(&window, kMouseMove, -10, -10, 0);
    EXPECT_EQ(root->Editor().HoverText(), Str(331));
    Send(kLeftButtonDown, {1, 1});
    EXPECT_FALSE(root->Editor().HoverArmed());
}

TEST_F(EditorTest, TheHoverBoxStaysInsideTheArea) {
    const Rect area{0, 0, 800, 600};
    EXPECT_EQ(EditorWindow::HoverBox({100, 100}, {50, 10}, area), (Rect{116, 116, 170, 130}));
    const Rect corner = EditorWindow::HoverBox({790, 595}, {50, 10}, area);
    EXPECT_EQ(corner.Intersect(area), corner);
    EXPECT_EQ(corner.right, 800);
    EXPECT_LT(corner.bottom, 595);
    const Rect huge = EditorWindow::HoverBox({10, 10}, {2000, 10}, area);
    EXPECT_EQ(huge.left, 0);
}

TEST_F(EditorTest, RightClickOnTheRegionsOpensTheClipMenuButNotOnAButton) {
    root->FinishInput(kRelayout);
    Send(kRightButtonUp, Centre(root->Editor().Layout().Of(kPreviewRegion)));
    ASSERT_EQ(platform.menus.shown.size(), 1u);
    EXPECT_EQ(platform.menus.shown[0].front().command, kNewProjectCommand);
    Send(kRightButtonUp, Centre(RectOf(591)));
    EXPECT_EQ(platform.menus.shown.size(), 1u);
}

TEST_F(EditorTest, DraggingASplitterSetsItsRatio) {
    root->FinishInput(kRelayout);
    const Point grip = Centre(root->Editor().Layout().Of(kVerticalSplitter));
    Send(kLeftButtonDown, grip, kLeftButtonHeld);
    EXPECT_TRUE(window.captured);
    Send(kMouseMove, {256, grip.y}, kLeftButtonHeld);
    Send(kLeftButtonUp, {256, grip.y});
    EXPECT_FALSE(window.captured);
    EXPECT_DOUBLE_EQ(root->Editor().HorizontalRatio(), 0.25);
    EXPECT_EQ(root->Editor().Layout().panes[kTopLeft].right, 254);
    // "New Project" brings the ratios back to the middle.
    root->ClearAll();
    EXPECT_DOUBLE_EQ(root->Editor().HorizontalRatio(), 0.5);
}

TEST_F(EditorTest, FormatAndRateMenus) {
    platform.menus.answers = {640};
    ResultFlags out = 0;
    root->Command(&window, kVideoFormatCommand, out);
    EXPECT_EQ(root->OutputSizeId(), 640);
    ASSERT_EQ(platform.menus.shown.size(), 1u);
    std::vector<int> offered;
    for (const MenuEntry& entry : platform.menus.shown[0]) offered.push_back(entry.command);
    EXPECT_EQ(offered, (std::vector<int>{80, 488, 489, 81, 82, 639, 640, 820, 821, 822, 823, 824, 825, 826, 827}));

    platform.menus.answers = {132};
    root->Command(&window, kFramesPerSecondCommand, out);
    EXPECT_EQ(root->FrameRateId(), 132);
    EXPECT_EQ(root->FramesPerSecondSetting(), 5);
    root->Command(&window, kFramesPerSecondCommand, out);  // dismissed
    EXPECT_EQ(root->FrameRateId(), 132);
    EXPECT_EQ(out, 0u);

    // An unknown size falls back to "320 / 240" without a word.
    EXPECT_TRUE(root->SetOutputSizeOrDefault(9999));
    EXPECT_EQ(root->OutputSizeId(), 82);
    EXPECT_TRUE(platform.dialogs.boxes.empty());
}

TEST_F(EditorTest, MakeStartAndEndTimeKeepTheStripInOrder) {
    root->SetTimeValue(3000);
    ResultFlags out = 0;
    root->Command(&window, kMakeStartTimeCommand, out);
    EXPECT_EQ(root->MakeStart(), 3000);
    EXPECT_GE(root->MakeEnd(), 3000);
    root->SetTimeValue(1000);
    root->Command(&window, kMakeEndTimeCommand, out);
    EXPECT_EQ(root->MakeStart(), 1000);
    EXPECT_EQ(root->MakeEnd(), 1000);
    root->SetTimeValue(5000);
    root->Command(&window, kMakeEndTimeCommand, out);
    EXPECT_EQ(root->MakeStart(), 1000);
    EXPECT_EQ(root->MakeEnd(), 5000);
    EXPECT_NE(out & kChanged, 0u);
}

TEST_F(EditorTest, TimeFieldsReadSecondsAndKeepMilliseconds) {
    EXPECT_EQ(TimeField::FormatSeconds(1234), "1.234");
    EXPECT_EQ(TimeField::ParseSeconds("1.234"), 1234);
    EXPECT_EQ(TimeField::ParseSeconds("4.35"), 4350);
    EXPECT_EQ(TimeField::ParseSeconds("0.0019"), 1);
    EXPECT_EQ(TimeField::ParseSeconds("-0.5"), -500);
    EXPECT_EQ(TimeField::ParseSeconds("abc"), std::nullopt);
    EXPECT_EQ(TimeField::ParseSeconds("1e12"), std::nullopt);

    AddClip();
    platform.dialogs.textAnswers = {std::string("2.5")};
    Send(kLeftButtonDoubleClick, Centre(RectOf(346)), kLeftButtonHeld);
    EXPECT_EQ(root->Time(), 2500);
    ASSERT_EQ(platform.dialogs.textPrompts.size(), 1u);
    platform.dialogs.textAnswers = {std::nullopt};  // cancelled
    Send(kLeftButtonDoubleClick, Centre(RectOf(346)), kLeftButtonHeld);
    EXPECT_EQ(root->Time(), 2500);
}

TEST_F(EditorTest, PicturesAreCopiedAndSavedOnlyWhenThereIsOne) {
    ResultFlags out = 0;
    root->Command(&window, kCopyCompositeCommand, out);
    EXPECT_EQ(clipboard.images, 0);  // no children
    AddClip();
    root->Command(&window, kCopyCompositeCommand, out);
    EXPECT_EQ(clipboard.images, 1);
    EXPECT_EQ(clipboard.lastWidth, Workspace::kPreviewWidth);

    const std::string path = folder.Path() + "/frame";
    platform.dialogs.fileAnswers = {path};
    root->Command(&window, kSaveCompositeCommand, out);
    EXPECT_TRUE(std::filesystem::exists(path + ".bmp"));
    ASSERT_EQ(platform.dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(platform.dialogs.saveRequests[0].filters.front().patterns, "*.bmp");
}

TEST_F(EditorTest, AMakeLaysOutThePreviewWithStopUntilItEnds) {
    WorkspaceOptions options;
    options.startWorker = false;
    options.startMake = [](Workspace& r) {
        r.State()->AddActivity(kActivityMake);
        return true;
    };
    Workspace making(nullptr, &window, nullptr, options);
    making.NewChildClip(kTextStringType);
    making.FinishInput(kRelayout);
    ResultFlags out = 0;
    making.Command(&window, kMakeCommand, out);
    EXPECT_FALSE(making.Editor().Layout().Of(139).IsEmpty());  // "Stop"
    EXPECT_TRUE(making.Editor().Layout().Of(353).IsEmpty());
    EXPECT_EQ(making.Editor().Layout().Of(kPreviewRegion).left, 0);
    EXPECT_TRUE(making.Arrange(0, 0, 1280, 960).IsEmpty());
    EXPECT_FALSE(making.Editor().ControlById(139)->Rectangle().IsEmpty());
    // Esc asks the make to stop.
    making.Input(&window, kKeyUp, 0, 0, kVkEscape);
    EXPECT_TRUE(making.State()->StopRequested());
    making.State()->EndActivity(kActivityMake);
    making.Arrange(0, 0, 1280, 960);
    EXPECT_TRUE(making.Editor().Layout().Of(139).IsEmpty());
    EXPECT_FALSE(making.Editor().Layout().Of(353).IsEmpty());
}

TEST_F(EditorTest, ClipInfoAndHelpHome) {
    ResultFlags out = 0;
    root->Command(&window, kClipInfoCommand, out);
    ASSERT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_EQ(platform.dialogs.boxes[0].caption, "Clip Info");
    topics.clear();
    root->Command(&window, kHelpHomeCommand, out);
    EXPECT_EQ(topics, std::vector<int>{591});
}

}  // namespace
}  // namespace vantrel
