#include <gtest/gtest.h>

#include <map>
#include <set>

#include "items/StringTable.h"
#include "editor/workspace/CommandTable.h"
#include "editor/workspace/EditorWindow.h"
#include "editor/workspace/Workspace.h"
#include "tests/support/ScriptedEditor.h"

namespace vantrel {
namespace {

constexpr std::uint32_t Letter(char c) { return kVkA + std::uint32_t(c - 'A'); }

struct KeysTest : testing::ScriptedEditorTest {
    Clip *upper = nullptr, *lower = nullptr;
    void SetUp() override {
        Open();
        auto edit = root->Edit();
        upper = root->NewChildClip(kGradientType);
        upper->RestoreTimes(1000, 2000, 0);
        lower = root->NewChildClip(kTextStringType);
        lower->RestoreTimes(2500, 3000, 1);
        lower->SetTrack(1);
        root->RestoreTimes(0, 10000, 0);
        root->SetView(0, 10000);
        root->SetCurrentChild(nullptr);
        Editor().LayOut(1024, 768);
        root->SettleEdits();
    }
    void Key(std::uint32_t key) { root->Input(&window, kKeyUp, 10, 10, key); }
    const MenuEntry* Entry(const std::string& menu, int command) {
        bar = window.bar.Open();
        for (const MenuEntry& m : bar)
            if (m.caption == menu)
                for (const MenuEntry& e : m.entries)
                    if (e.kind == MenuEntry::Kind::Command && e.command == command) return &e;
        return nullptr;
    }
    std::vector<MenuEntry> bar;
};

// The keys are the table's: one row each, none shadowing a key the editor
// already gives a meaning (digits, keypad, arrows, F1, F9, Esc, Print).
TEST(KeyTable, EachKeyHasOneRowAndLeavesTheEditorsOwnKeysAlone) {
    std::map<std::uint32_t, int> seen;
    for (const CommandRow& row : RootCommandRows()) {
        for (const std::uint32_t key : {row.key, row.otherKey}) {
            if (!key) continue;
            EXPECT_TRUE(seen.emplace(key, row.id).second) << row.id << " and " << seen[key] << " share a key";
            EXPECT_EQ(FindKeyCommand(key), &row);
            const std::uint32_t code = key & kKeyCodeMask;
            if (key & (kKeyWithControl | kKeyWhileKHeld)) continue;
            EXPECT_FALSE(code >= kVk0 && code <= kVk0 + 9) << row.id;
            EXPECT_FALSE(code >= kVkNumpad0 && code <= kVkNumpad0 + 9) << row.id;
            for (std::uint32_t taken : {+kVkLeft, +kVkRight, +kVkF1, kVkF1 + 8, +kVkEscape, 0x2Cu, +kVkBack})
                EXPECT_NE(code, taken) << row.id;
        }
    }
    EXPECT_EQ(KeyName(kKeyWithControl | kKeyWithShift | Letter('S')), "Ctrl+Shift+S");
    EXPECT_EQ(KeyName(kKeyWhileKHeld | Letter('L')), "K+L");
    EXPECT_EQ(FindKeyCommand(Letter('Q')), nullptr);  // Q alone is not Quit
}

TEST_F(KeysTest, MovingKeysGoToEdgesEndsAndSetTheMakeStrip) {
    root->SetGlobalTime(2000);
    Key(kVkNext);  // the next edge on any track: the lower clip's start
    EXPECT_EQ(root->Time(), 2500);
    Key(kVkNext);
    EXPECT_EQ(root->Time(), 3000);
    Key(kVkPrior);
    Key(kVkPrior);
    EXPECT_EQ(root->Time(), 1000);
    Key(kVkPrior);  // nothing before the first edge
    EXPECT_EQ(root->Time(), 1000);
    Key(kVkEnd);
    EXPECT_EQ(root->Time(), 10000);
    Key(kVkHome);
    EXPECT_EQ(root->Time(), 0);
    // K+L and K+J step one frame of the output (15 fps) whatever the grid.
    window.held.insert(Letter('K'));
    Key(Letter('L'));
    Key(Letter('L'));
    EXPECT_EQ(root->Time(), 133);
    Key(Letter('J'));
    EXPECT_EQ(root->Time(), 66);
    window.held.clear();
    root->SetGlobalTime(1500);
    Key(Letter('I'));
    root->SetGlobalTime(4000);
    Key(Letter('O'));
    EXPECT_EQ(root->MakeStart(), 1500);
    EXPECT_EQ(root->MakeEnd(), 4000);
}

// Without a worker nothing plays, but the keys set what a playback follows.
TEST_F(KeysTest, SpaceJKLShuttleTheArrangement) {
    Key(Letter('L'));
    ASSERT_TRUE(root->PlayingArrangement());
    EXPECT_EQ(root->State()->PlaySpeed(), 1);
    for (int speed : {2, 4, 8, 8}) {
        Key(Letter('L'));
        EXPECT_EQ(root->State()->PlaySpeed(), speed);
    }
    Key(Letter('J'));  // turning round starts slow
    EXPECT_EQ(root->State()->PlaySpeed(), -1);
    Key(Letter('J'));
    EXPECT_EQ(root->State()->PlaySpeed(), -2);
    Key(Letter('K'));
    EXPECT_TRUE(root->State()->StopRequested());
    root->State()->SetStopRequest(false);
    Key(kVkSpace);  // Space stops whatever plays
    EXPECT_TRUE(root->State()->StopRequested());
    root->State()->EndActivity(kActivityPlay);
    Key(kVkSpace);
    EXPECT_TRUE(root->PlayingArrangement());
    EXPECT_EQ(root->State()->PlaySpeed(), 1);
    root->State()->EndActivity(kActivityPlay);
}

// The bar lists the table's rows with their captions and keys, greys what is
// not offered, and a choice runs the row like its key.
TEST_F(KeysTest, TheMenuBarIsTheTablesRowsGreyedWhereNotOffered) {
    std::set<int> listed;
    for (const MenuEntry& menu : window.bar.Open()) {
        EXPECT_FALSE(menu.entries.empty()) << menu.caption;
        for (const MenuEntry& e : menu.entries) {
            if (e.kind == MenuEntry::Kind::Separator) continue;
            const CommandRow* row = FindRootCommand(e.command);
            ASSERT_NE(row, nullptr) << e.caption;
            EXPECT_TRUE(listed.insert(e.command).second) << e.caption;
            if (e.command != kUndoLastEditCommand && e.command != kRedoCommand) {
                EXPECT_EQ(e.caption.substr(0, e.caption.find('\t')), CaptionOf(*row));
            }
            if (row->key) {
                EXPECT_EQ(e.caption.substr(e.caption.find('\t') + 1), KeyName(row->key));
            }
        }
    }
    EXPECT_GT(listed.size(), 40u);

    // No path, no current clip, no step: greyed, and a click does nothing.
    EXPECT_FALSE(Entry("File", kSaveProjectCommand)->enabled);
    EXPECT_FALSE(Entry("Edit", kDuplicateClipCommand)->enabled);
    EXPECT_FALSE(Entry("Edit", kRedoCommand)->enabled);
    EXPECT_FALSE(window.bar.Choose("Edit", Str(kDuplicateClipCommand)));
    root->SetCurrentChild(upper);
    ASSERT_TRUE(window.bar.Choose("Edit", Str(kDuplicateClipCommand)));
    EXPECT_EQ(root->ChildCount(), 3);
    EXPECT_TRUE(Entry("Edit", kUndoLastEditCommand)->enabled);
    EXPECT_EQ(Entry("Edit", kUndoLastEditCommand)->caption.rfind("Undo ", 0), 0u);
    ASSERT_TRUE(window.bar.Choose("View", Str(kPreviewPaneCommand)));
    EXPECT_EQ(Editor().PaneFocus(), kFocusUp | kFocusLeft);
    ASSERT_TRUE(window.bar.Choose("View", Str(kFourPanesCommand)));
    EXPECT_EQ(Editor().PaneFocus(), 0);
    ASSERT_TRUE(window.bar.Choose("Play", Str(kGoToEndCommand)));
    EXPECT_EQ(root->Time(), 10000);
}

// Ctrl+Q asks as the close box does: Cancel keeps the window, and the
// Ctrl chords reach their rows (Ctrl+Z takes the duplicate back).
TEST_F(KeysTest, CtrlQAsksFirstAndCtrlChordsRunTheirRows) {
    window.closeRequested = [this] { return root->QueryClose(); };
    root->SetCurrentChild(upper);
    ASSERT_TRUE(window.bar.Choose("Edit", Str(kDuplicateClipCommand)));
    platform.dialogs.boxAnswers = {BoxAnswer::Cancel};
    Key(kKeyWithControl | Letter('Q'));
    EXPECT_EQ(platform.dialogs.boxes.size(), 1u);
    EXPECT_FALSE(window.closed);
    Key(kKeyWithControl | Letter('Z'));
    EXPECT_EQ(root->ChildCount(), 2);
    Key(kKeyWithControl | Letter('Y'));
    EXPECT_EQ(root->ChildCount(), 3);
    platform.dialogs.boxAnswers = {BoxAnswer::No};
    ASSERT_TRUE(window.bar.Choose("File", Str(kQuitCommand)));
    EXPECT_TRUE(window.closed);
}

}  // namespace
}  // namespace vantrel
