#include <gtest/gtest.h>

#include <algorithm>

#include "items/StringTable.h"
#include "editor/panels/CurveView.h"
#include "editor/panels/ParameterPanel.h"
#include "editor/panels/RectanglePanel.h"
#include "editor/panels/ValueClipboard.h"
#include "platform/scripted/ScriptedPlatform.h"
#include "tests/support/RecordingDrawContext.h"
#include "model/variables/Catalogue.h"

namespace vantrel {
namespace {

bool Has(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

// Every id a menu showed, submenus included.
std::vector<int> Flatten(const std::vector<MenuEntry>& entries) {
    std::vector<int> ids;
    for (const MenuEntry& e : entries) {
        if (e.kind == MenuEntry::Kind::Command) ids.push_back(e.command);
        const std::vector<int> inner = Flatten(e.entries);
        ids.insert(ids.end(), inner.begin(), inner.end());
    }
    return ids;
}

struct PanelFixture : ::testing::Test {
    ScriptedPlatform platform;
    ScriptedWindow window;
    VariableOwner owner;
    ParameterPanel panel;

    PanelFixture() {
        ValueClipboard::Instance().Clear();
        RectanglePanel::ClearClipboard();
        owner.Table().SetId(386);
        VariableTable& t = owner.Table();
        t.Declare("IDS_LOOSE", 0, 0, 10, 5);  // no group entry before it
        t.Declare("IDS_GROUP_A", 430, 0, 0, 0, kNoColour, kNoColour, kGroupHeader);
        t.Declare("IDS_A1", 107, -1, 1, 0);
        t.Declare("IDS_A2", 108, 0, 1, 0, kNoColour, kNoColour, kSwitch);
        t.Declare("IDS_A_HIDDEN", 0, 0, 1, 0, kNoColour, kNoColour, kHidden);
        t.Declare("IDS_SET", 695, 0, 0, 0, kNoColour, kNoColour, kGroupHeader);
        t.Declare("IDS_S1", 109, 0, 2, 1);
        panel.SetTarget(&owner);
    }
    Variable& Var(const char* name) { return *owner.Table().ByName(name); }
    const ParameterPanel::Row& RowOf(const char* name) {
        panel.Arrange(0, 0, 280, 200);
        const int index = owner.Table().FindByName(name);
        for (const auto& row : panel.Rows())
            if (row.index == index) return row;
        ADD_FAILURE() << name << " has no row";
        return panel.Rows().front();
    }
    Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
};

TEST_F(PanelFixture, GroupsRowsAndTheGroupMenu) {
    // The table's own id heads the list when the first variable is loose;
    // the hidden entry also counts as a group entry.
    EXPECT_EQ(panel.GroupIds(), (std::vector<int>{386, 430, 0, 695}));
    // The current variable (the last declared) picks its group.
    EXPECT_EQ(panel.ShownRows(), std::vector<int>{6});
    panel.RunGroupChoice(430);
    EXPECT_EQ(owner.Table().CurrentId(), 107);
    EXPECT_EQ(panel.ShownRows(), (std::vector<int>{2, 3}));  // up to the hidden entry, which is never a row
    panel.RunGroupChoice(386);
    EXPECT_EQ(panel.ShownRows(), std::vector<int>{0});
    // A "Variable Set" id is selected directly.
    panel.RunGroupChoice(695);
    EXPECT_EQ(owner.Table().SelectedGroup(), 695);
    EXPECT_EQ(panel.ShownRows(), std::vector<int>{6});
    // Layout: the bar is one row high and the rows split 2 : 10 : 2.
    panel.Arrange(0, 0, 280, 200);
    EXPECT_EQ(panel.Bar(), (Rect{0, 180, 280, 200}));
    ASSERT_EQ(panel.Rows().size(), 1u);
    EXPECT_EQ(panel.Rows()[0].value, (Rect{40, 0, 240, 180}));
}

TEST_F(PanelFixture, DragAndValueDialogSetTheValueAtTheCurrentTimeWithinTheRange) {
    owner.Table().SetTimeValue(500);
    const auto& row = RowOf("IDS_S1");
    const Rect v = row.value;
    EXPECT_EQ(panel.Input(&window, kLeftButtonDown, v.left + 5, v.top + 5, 0) & kCaptureMe, kCaptureMe);
    EXPECT_TRUE(panel.Input(&window, kMouseMove, v.right + 50, v.top, 0) & kChanged);  // clamped to the row
    EXPECT_EQ(panel.Input(&window, kLeftButtonUp, v.right, v.top, 0) & kReleaseMe, kReleaseMe);
    EXPECT_DOUBLE_EQ(Var("IDS_S1").ValueAt(500), 2.0);
    EXPECT_TRUE(Var("IDS_S1").HasKeyAt(500));

    platform.dialogs.textAnswers = {std::string("7.5"), std::string("abc"), std::string("nan"), std::string(" -3")};
    const Point c = Centre(v);
    EXPECT_TRUE(panel.Input(&window, kLeftButtonDoubleClick, c.x, c.y, 0) & kChanged);
    EXPECT_DOUBLE_EQ(Var("IDS_S1").ValueAt(500), 2.0);  // above the maximum: the maximum
    EXPECT_EQ(platform.dialogs.textPrompts.size(), 1u);
    EXPECT_EQ(panel.Input(&window, kLeftButtonDoubleClick, c.x, c.y, 0), 0u);  // no number: nothing
    EXPECT_EQ(panel.Input(&window, kLeftButtonDoubleClick, c.x, c.y, 0), 0u);  // not a finite number either
    panel.Input(&window, kLeftButtonDoubleClick, c.x, c.y, 0);
    EXPECT_DOUBLE_EQ(Var("IDS_S1").ValueAt(500), 0.0);
    EXPECT_EQ(FormatThreeDecimals(0.12345), "0.123");

    // F1 over the row: its topic; over nothing with no group selected: 386.
    // (No root here to show it, so only the panel's answer is checked.)
    int told = 0;
    panel.SetVariableHelpSink([&](const Variable& var) { told = var.DeclaredId(); });
    panel.Input(&window, kKeyUp, c.x, c.y, kVkF1);
    EXPECT_EQ(told, 109);
}

TEST_F(PanelFixture, RowMenuOffersPasteOnlyAfterACopyAndDeletesOnlyOnAKey) {
    Variable& s1 = Var("IDS_S1");
    EXPECT_FALSE(Has(panel.RowEditChoices(s1), 222));
    EXPECT_FALSE(Has(panel.RowEditChoices(s1), 36));
    const Point c = Centre(RowOf("IDS_S1").value);
    platform.menus.answers = {221};
    panel.Input(&window, kRightButtonDown, c.x, c.y, 0);
    const std::vector<int> shown = Flatten(platform.menus.shown.back());
    EXPECT_EQ(shown, (std::vector<int>{221, 225, 125, 126, 127}));
    // The copy pastes onto the same variable of another owner.
    VariableOwner other;
    other.Table().Declare("IDS_S1", 109, 0, 2, 0);
    ParameterPanel second;
    second.SetTarget(&other);
    EXPECT_TRUE(Has(second.RowEditChoices(*other.Table().ByName("IDS_S1")), 222));
    EXPECT_EQ(second.RunRowChoice(*other.Table().ByName("IDS_S1"), 222), kChanged);
    EXPECT_DOUBLE_EQ(other.Table().ValueByName("IDS_S1", 0), 1.0);
    EXPECT_FALSE(Has(panel.RowEditChoices(Var("IDS_A1")), 222));

    // Five keys; "Use Value Start To End" at 2500 leaves one key there.
    for (int i = 0; i < 5; ++i) s1.SetValueAt(i * 1000, i * 0.5);
    owner.Table().SetTimeValue(2500);
    EXPECT_TRUE(Has(panel.RowEditChoices(s1), 222));
    EXPECT_EQ(panel.RunRowChoice(s1, 225), kChanged);
    ASSERT_EQ(s1.KeyCount(), 1);
    EXPECT_EQ(s1.Key(0).time, 2500);
    EXPECT_DOUBLE_EQ(s1.Key(0).value, 1.25);
    EXPECT_TRUE(Has(panel.RowEditChoices(s1), 36));
    panel.RunRowChoice(s1, 127);
    EXPECT_DOUBLE_EQ(s1.ValueAt(0), 2.0);
}

TEST_F(PanelFixture, GroupSettingsCopyAndPasteAndSwitchesTurnOver) {
    panel.RunGroupChoice(430);
    const Point c = Centre(RowOf("IDS_A2").value);
    panel.Input(&window, kLeftButtonDown, c.x, c.y, 0);
    panel.Input(&window, kLeftButtonUp, c.x, c.y, 0);
    EXPECT_DOUBLE_EQ(Var("IDS_A2").ValueAt(0), 1.0);
    Var("IDS_A1").SetValueAt(0, -0.5);
    EXPECT_EQ(panel.RunGroupChoice(284), kRepaint);
    Var("IDS_A1").SetValueAt(0, 0.9);
    Var("IDS_A2").SetValueAt(0, 0);
    platform.menus.answers = {285};
    ResultFlags out = 0;
    panel.Command(&window, ParameterPanel::kClickGroupSelector, out);
    EXPECT_TRUE(Has(Flatten(platform.menus.shown.back()), 285));
    EXPECT_DOUBLE_EQ(Var("IDS_A1").ValueAt(0), -0.5);
    EXPECT_DOUBLE_EQ(Var("IDS_A2").ValueAt(0), 1.0);
    // A control that is pointed at by the help marks itself; the table
    // names the panel and its bar to scripts and to the help.
    Var("IDS_A1").Command(&window, Control::kHelpHoverCommand, out);
    EXPECT_GT(Var("IDS_A1").FlashCount(), 0);
    EXPECT_EQ(owner.Table().ResolveName("IDS_PARAMETERS"), &panel);
    Control* selector = owner.Table().ResolveName("#191");
    ASSERT_NE(selector, nullptr);
    selector->Command(&window, Control::kHelpHoverCommand, out);
    EXPECT_GT(selector->FlashCount(), 0);
}

// A window whose picture holds one known pixel.
class PixelWindow final : public Window {
public:
    Point at{};
    Colour colour = 0;
    bool captured = false;
    Rect ClientRect() const override { return {0, 0, 1024, 768}; }
    void SetTitle(const std::string&) override {}
    std::string Title() const override { return {}; }
    bool IsMinimised() const override { return false; }
    void SetCapture() override { captured = true; }
    void ReleaseCapture() override { captured = false; }
    bool HasCapture() const override { return captured; }
    void SetCursor(Cursor) override {}
    bool StartTimer(int, int) override { return true; }
    void StopTimer(int) override {}
    std::optional<Point> PointerPosition() const override { return std::nullopt; }
    std::vector<std::string> DroppedFiles(std::intptr_t) const override { return {}; }
    std::unique_ptr<DrawContext> BeginDraw() override {
        auto dc = std::make_unique<testing::RecordingDrawContext>();
        dc->pixels[{at.x, at.y}] = colour;
        return dc;
    }
    void Close() override {}
};

TEST(KeyColourPickerTest, DraggingPicksTheWindowPixelIntoTheKeyColour) {
    ScriptedPlatform platform;
    VariableOwner key;
    DeclareGroup(key.Table(), catalogue::kChromaKeyVars);
    ParameterPanel panel;
    panel.SetTarget(&key, true);
    panel.Arrange(0, 0, 200, 200);
    const Rect strip = panel.PickerStrip();
    ASSERT_EQ(strip, (Rect{0, 0, 200, 20}));
    // The hidden colour channels have no rows; the tolerances do.
    EXPECT_EQ(panel.Rows().size(), 2u);
    PixelWindow window;
    window.at = {500, 300};
    window.colour = Rgb(255, 51, 0);
    EXPECT_EQ(panel.Input(&window, kLeftButtonDown, 10, 5, 0) & kCaptureMe, kCaptureMe);
    EXPECT_TRUE(panel.Input(&window, kMouseMove, 500, 300, kLeftButtonHeld) & kChanged);
    EXPECT_TRUE(panel.Input(&window, kLeftButtonUp, 500, 300, 0) & kReleaseMe);
    EXPECT_DOUBLE_EQ(key.Table().ValueByName("IDS_RED", 0), 1.0);
    EXPECT_DOUBLE_EQ(key.Table().ValueByName("IDS_GREEN", 0), 0.2);
    EXPECT_DOUBLE_EQ(key.Table().ValueByName("IDS_BLUE", 0), 0.0);
    // Drawn in the key colour, captioned in its inverse.
    testing::RecordingDrawContext dc;
    panel.Paint(dc, 0, 0, 200, 200, 0);
    EXPECT_NE(std::find(dc.fills.begin(), dc.fills.end(), std::pair{strip, Rgb(255, 51, 0)}), dc.fills.end());
    EXPECT_NE(std::find(dc.texts.begin(), dc.texts.end(), Str(616)), dc.texts.end());
}

struct RectangleFixture : ::testing::Test {
    ScriptedPlatform platform;
    ScriptedWindow window;
    VariableOwner owner;
    RectanglePanel panel;
    static constexpr std::array<int, 4> kIds{49, 50, 51, 52};

    RectangleFixture() {
        RectanglePanel::ClearClipboard();
        DeclareGroup(owner.Table(), catalogue::kDestinationRect);
        owner.Table().SetTimeValue(1000);
        panel.SetTarget(&owner, kIds, 423);
        panel.SetPixelSize(100, 50);
        panel.Arrange(0, 0, 200, 220);
    }
    void Set(Fractions r) { panel.Apply(r); }
    void ExpectNow(Fractions r) {
        const Fractions got = panel.Current();
        EXPECT_NEAR(got.left, r.left, 1e-9);
        EXPECT_NEAR(got.top, r.top, 1e-9);
        EXPECT_NEAR(got.right, r.right, 1e-9);
        EXPECT_NEAR(got.bottom, r.bottom, 1e-9);
    }
};

TEST_F(RectangleFixture, SnapsCentreAndOutsideMovesKeepTheSize) {
    Set({0.1, 0.2, 0.5, 0.4});
    EXPECT_EQ(panel.RunChoice(474), kChanged);
    ExpectNow({0.3, 0.4, 0.7, 0.6});
    panel.RunChoice(60);
    ExpectNow({0.6, 0.4, 1.0, 0.6});
    EXPECT_FALSE(Has(panel.SnapChoices(), 60));
    EXPECT_TRUE(Has(panel.SnapChoices(), 58));
    panel.RunChoice(59);
    ExpectNow({0.6, 0.0, 1.0, 0.2});
    panel.RunChoice(67);  // beyond top right: top = -height, left = old right
    ExpectNow({1.0, -0.2, 1.4, 0.0});
    panel.RunChoice(62);
    ExpectNow({-0.4, -0.2, 0.0, 0.0});
    panel.RunChoice(65);
    ExpectNow({-0.4, 0.0, 0.0, 0.2});
    panel.RunChoice(156);  // to width: full width, height in proportion, centred
    ExpectNow({0.0, 0.25, 1.0, 0.75});
    panel.RunChoice(57);
    ExpectNow({0, 0, 1, 1});
    EXPECT_TRUE(panel.MoveOutsideChoices().empty());
    EXPECT_EQ(panel.SnapChoices(), (std::vector<int>{474, 156, 157}));
}

TEST_F(RectangleFixture, ChangesKeyAllFourTogetherAndTheClipboardCrossesOwners) {
    Set({0.1, 0.1, 0.3, 0.2});
    for (int id : kIds) EXPECT_TRUE(owner.HasKeyNow(id)) << id;
    EXPECT_FALSE(Has(panel.EditChoices(), 222));
    panel.RunChoice(221);
    VariableOwner other;
    DeclareGroup(other.Table(), catalogue::kDestinationRect);
    other.Table().SetTimeValue(300);
    RectanglePanel second;
    second.SetTarget(&other, kIds, 423);
    EXPECT_TRUE(Has(second.EditChoices(), 222));
    second.RunChoice(222);
    for (int id : kIds) EXPECT_TRUE(other.Table().ById(id)->HasKeyAt(300));
    EXPECT_NEAR(other.ValueById(51), 0.3, 1e-9);
    // Paste Aspect Ratio: the width stays, the height follows 2 : 1.
    other.SetValueNow(52, 0.9);
    second.RunChoice(262);
    EXPECT_NEAR(other.ValueById(52) - other.ValueById(50), 0.1, 1e-9);

    // A click on the north button moves one output pixel; a drag on the
    // left edge follows the pointer at the drawing's scale.
    const Rect north = panel.ButtonRect(RectanglePanel::kNorth);
    panel.Input(&window, kLeftButtonDown, north.left + 2, north.top + 2, 0);
    panel.Input(&window, kLeftButtonUp, north.left + 2, north.top + 2, 0);
    ExpectNow({0.1, 0.08, 0.3, 0.18});
    const Rect edge = panel.ButtonRect(RectanglePanel::kLeftEdge);
    const int viewWidth = panel.ButtonRect(RectanglePanel::kRightEdge).left - edge.right;
    panel.Input(&window, kLeftButtonDown, edge.left + 1, edge.top + 5, 0);
    panel.Input(&window, kMouseMove, edge.left + 1 + viewWidth / 4, edge.top + 5, 0);
    EXPECT_EQ(panel.Input(&window, kLeftButtonUp, edge.left + 1 + viewWidth / 4, edge.top + 5, 0) & kReleaseMe,
              kReleaseMe);
    // The drawing spans two frame widths.
    EXPECT_NEAR(panel.Current().left, 0.1 + 2.0 * (viewWidth / 4) / double(viewWidth), 1e-9);

    // "Use Start To End" leaves one key per variable, at the current time.
    owner.Table().SetTimeValue(4000);
    Set({0, 0, 1, 1});
    owner.Table().SetTimeValue(2000);
    panel.RunChoice(265);
    for (int id : kIds) EXPECT_EQ(owner.Table().ById(id)->KeyCount(), 1) << id;
    EXPECT_EQ(panel.ResolveName("#612"), panel.ButtonControl(RectanglePanel::kNextKeyButton));
    EXPECT_EQ(panel.ResolveName("SW"), panel.ButtonControl(RectanglePanel::kSouthWest));
    EXPECT_EQ(panel.ResolveName("elsewhere"), &panel);
}

TEST(CurveViewTest, MarksDragOnlyTheirValueAndTheMenusFollowTheKeys) {
    ScriptedPlatform platform;
    ScriptedWindow window;
    VariableOwner owner;
    owner.Table().Declare("IDS_LEVEL", 74, 0, 1, 0.5);
    Variable& v = *owner.Table().ByName("IDS_LEVEL");
    v.SetView(0, 1000);
    v.SetValueAt(0, 0.0);
    v.SetValueAt(500, 1.0);
    CurveView view;
    view.SetRectangle({0, 0, 108, 108});  // a 100 x 100 area inside
    view.SetVariable(&owner, &v);
    EXPECT_EQ(view.MarkAt(view.XOfTime(500), view.YOfValue(1.0)), 1);
    EXPECT_EQ(view.MarkChoices(0), (std::vector<int>{125, 126, 127, 234, 36}));
    EXPECT_EQ(view.MarkChoices(1), (std::vector<int>{125, 126, 127, 233, 36}));

    const int x = view.XOfTime(500), y = view.YOfValue(1.0);
    EXPECT_EQ(view.Input(&window, kLeftButtonDown, x, y, 0) & kCaptureMe, kCaptureMe);
    view.Input(&window, kMouseMove, x + 30, view.YOfValue(0.25), 0);
    view.Input(&window, kLeftButtonUp, x + 30, view.YOfValue(0.25), 0);
    ASSERT_EQ(v.KeyCount(), 2);
    EXPECT_EQ(v.Key(1).time, 500);
    EXPECT_NEAR(v.Key(1).value, 0.25, 0.02);

    platform.menus.answers = {CurveView::kAdd};
    view.Input(&window, kRightButtonUp, view.XOfTime(250), view.YOfValue(0.9), 0);
    ASSERT_EQ(v.KeyCount(), 3);
    EXPECT_NEAR(v.Key(1).time, 250, 10);
    EXPECT_NEAR(v.Key(1).value, v.ValueAt(v.Key(1).time), 1e-9);
    view.RunMarkChoice(2, 126);
    EXPECT_DOUBLE_EQ(v.Key(2).value, 0.0);
    view.RunMarkChoice(1, 233);
    EXPECT_EQ(v.KeyCount(), 2);
    // Single-value variables have no marks.
    owner.Table().Declare("IDS_ONCE", 0, 0, 1, 0, kNoColour, kNoColour, kSingleValue);
    Variable& once = *owner.Table().ByName("IDS_ONCE");
    once.SetValueAt(0, 1);
    view.SetVariable(&owner, &once);
    EXPECT_EQ(view.MarkAt(view.XOfTime(0), view.YOfValue(1)), -1);
}

}  // namespace
}  // namespace vantrel
