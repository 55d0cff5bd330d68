#include <gtest/gtest.h>

#include <algorithm>

#include "items/StringTable.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "editor/workspace/WorkspaceLayout.h"
#include "tests/support/RecordingDrawContext.h"
#include "tests/support/ScriptedEditor.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A 1024 x 768 window (layout and client coordinates agree) whose display
// preferences the test sets, and which records the commands it hands to
// the program.
struct DisplayPreferencesTest : testing::ScriptedEditorTest {
    DisplayPreferences display;
    std::vector<int> programCommands;

    void SetUp() override {
        window.client = {0, 0, 1024, 768};
        WorkspaceOptions options = Options();
        options.displayPreferences = [this] { return display; };
        options.programCommand = [this](Window*, int command, ResultFlags&) {
            programCommands.push_back(command);
            return true;
        };
        Open(std::move(options));
        root->FinishInput(kRelayout);
    }
    Rect Of(int id) const {
        return id > 0 ? root->Editor().ControlById(id)->Rectangle() : root->Editor().Layout().Of(id);
    }
    testing::RecordingDrawContext Paint() {
        testing::RecordingDrawContext dc;
        root->Paint(dc, 0, 0, 1024, 768, 0);
        return dc;
    }
};

TEST_F(DisplayPreferencesTest, ThePreviewMenuAddsCopySaveSkinAndLanguageToTheProjectMenu) {
    platform.menus.answers = {647};
    root->Input(&window, kRightButtonUp, Centre(Of(kPreviewRegion)).x, Centre(Of(kPreviewRegion)).y, 0);
    ASSERT_EQ(platform.menus.shown.size(), 1u);
    const std::vector<MenuEntry>& menu = platform.menus.shown[0];
    EXPECT_EQ(menu.front().command, kNewProjectCommand);
    ASSERT_GE(menu.size(), 5u);
    const std::vector<MenuEntry> last(menu.end() - 4, menu.end());
    std::vector<std::string> captions;
    for (const MenuEntry& entry : last) {
        EXPECT_EQ(entry.kind, MenuEntry::Kind::Submenu);
        captions.push_back(entry.caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{Str(221), Str(921), Str(575), Str(645)}));
    auto commands = [](const MenuEntry& submenu) {
        std::vector<int> ids;
        for (const MenuEntry& entry : submenu.entries) ids.push_back(entry.command);
        return ids;
    };
    EXPECT_EQ(commands(last[0]), (std::vector<int>{643, 644}));
    EXPECT_EQ(commands(last[1]), (std::vector<int>{649, 650}));
    EXPECT_EQ(commands(last[2]), (std::vector<int>{572, 570, 482}));
    EXPECT_EQ(commands(last[3]), (std::vector<int>{646, 647, 125}));
    // The language is the program's to apply.
    EXPECT_EQ(programCommands, std::vector<int>{647});
}

TEST_F(DisplayPreferencesTest, HoverHelpAndStatusMessagesFollowTheirSwitches) {
    const Rect somewhere{10, 10, 50, 50};
    EXPECT_TRUE(root->ShowHoverText("help", somewhere));
    EXPECT_EQ(root->Editor().HoverText(), "help");
    display.toolTips = false;
    EXPECT_FALSE(root->ShowHoverText("help", somewhere));
    EXPECT_EQ(root->Editor().HoverText(), "");

    const Control& status = *root->Editor().ControlById(kStatusLineControl);
    root->SetStatusText("Done!");
    Paint();
    EXPECT_EQ(status.PendingCaption(), "Done!");
    display.statusMessages = false;
    Paint();
    EXPECT_EQ(status.PendingCaption(), "");
}

TEST_F(DisplayPreferencesTest, LocatorsShowInTheArrangementAndBesideApplyUndoAsAsked) {
    Clip* clip = root->NewChildClip(kTextStringType);
    root->SetCurrentChild(clip);
    root->SetLocator(2, 1500);
    root->CommitAll();
    root->FinishInput(kRelayout);
    const Colour locator = root->Editor().ArrangementEditor().Palette().locator;
    auto locatorFills = [&] {
        const auto dc = Paint();
        return std::count_if(dc.fills.begin(), dc.fills.end(), [&](const auto& fill) { return fill.second == locator; });
    };
    EXPECT_GT(locatorFills(), 0);
    EXPECT_TRUE(Of(kFirstLocatorCell).IsEmpty());
    display.locatorsInRoot = false;
    EXPECT_EQ(locatorFills(), 0);

    // In the clip detail: the row stands without pending changes, four
    // locators on each side, and a click goes to the locator.
    display.locatorsInClipDetail = true;
    root->FinishInput(kRelayout);
    for (int i = 0; i < 8; ++i) {
        const Rect cell = Of(kFirstLocatorCell - i);
        ASSERT_FALSE(cell.IsEmpty()) << i;
        EXPECT_EQ(cell.top, Of(kFirstLocatorCell).top);
        if (i > 0) {
            EXPECT_GT(cell.left, Of(kFirstLocatorCell - i + 1).left);
        }
    }
    EXPECT_TRUE(Of(kApplyCommand).IsEmpty());
    EXPECT_GT(Of(kFirstLocatorCell - 4).left - Of(kFirstLocatorCell - 3).right, Of(kFirstLocatorCell).Width());
    const Point third = Centre(Of(kFirstLocatorCell - 2));
    root->Input(&window, kLeftButtonUp, third.x, third.y, 0);
    EXPECT_EQ(root->Time(), 1500);
    display.locatorsInClipDetail = false;
    root->FinishInput(kRelayout);
    EXPECT_TRUE(Of(kFirstLocatorCell - 2).IsEmpty());
}

// Clip info and mutes stand atop the clip pane, or atop the arrangement
// pane when only that is asked for; the effect buttons without a current
// clip only with "Global Effects".
TEST(LayoutPreferences, ClipInfoPlaceAndGlobalEffects) {
    LayoutState state;
    state.clientWidth = 1024;
    state.clientHeight = 768;
    auto paneOf = [](const LayoutResult& layout, int id) {
        const Rect rect = layout.Of(id);
        for (int pane = 0; pane < 4; ++pane)
            if (!rect.IsEmpty() && layout.panes[std::size_t(pane)].Intersect(rect) == rect) return pane;
        return -1;
    };
    EXPECT_EQ(paneOf(ComputeLayout(state), kClipInfoCommand), kTopRight);
    state.clipInfoInArrangement = true;
    EXPECT_EQ(paneOf(ComputeLayout(state), kMuteAudioCommand), kTopRight);
    state.clipInfoInClipPane = false;
    LayoutResult layout = ComputeLayout(state);
    for (int id : {kClipInfoCommand, kClipTypeIconCommand, kMuteAudioCommand, kMuteVideoCommand})
        EXPECT_EQ(paneOf(layout, id), kBottomRight) << id;
    EXPECT_EQ(paneOf(layout, kClipOffsetField), kTopRight);
    state.clipInfoInArrangement = false;
    EXPECT_TRUE(ComputeLayout(state).Of(kClipInfoCommand).IsEmpty());

    EXPECT_TRUE(ComputeLayout(state).Of(kAddVideoEffectCommand).IsEmpty());
    state.globalEffects = true;
    EXPECT_EQ(paneOf(ComputeLayout(state), kAddVideoEffectCommand), kTopRight);
    state.globalEffects = false;
    state.clipCurrent = true;
    EXPECT_EQ(paneOf(ComputeLayout(state), kAddAudioEffectCommand), kTopRight);
}

}  // namespace
}  // namespace vantrel
