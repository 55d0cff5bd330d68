#include <gtest/gtest.h>

#include "app/core/Control.h"
#include "app/core/PushButton.h"
#include "app/core/StringTable.h"
#include "platform/test/ScriptedPlatform.h"

namespace vantrel {
namespace {

TEST(RectTest, LeftAndTopEdgesAreInsideRightAndBottomAreNot) {
    const Rect r{10, 20, 30, 40};
    EXPECT_TRUE(r.Contains(10, 20));
    EXPECT_FALSE(r.Contains(30, 25));
    EXPECT_FALSE(r.Contains(15, 40));
    EXPECT_TRUE(r.Contains(29, 39));
    EXPECT_TRUE((Rect{5, 5, 5, 10}).IsEmpty());
    EXPECT_FALSE((Rect{5, 5, 6, 6}).IsEmpty());
}

TEST(RectTest, CutFromLeftNeverTakesMoreThanIsLeft) {
    Rect r{0, 0, 100, 10};
    EXPECT_EQ(r.CutFromLeft(30), (Rect{0, 0, 30, 10}));
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.CutFromLeft(500), (Rect{30, 0, 100, 10}));
    EXPECT_TRUE(r.IsEmpty());
    EXPECT_EQ((Rect{0, 0, 10, 10}).Intersect({5, -5, 20, 5}), (Rect{5, 0, 10, 5}));
}

TEST(ItemTest, SetSpanClampsButSetPositionStoresAsGiven) {
    Item item;
    EXPECT_EQ(item.SetSpan(-5, 0), kChanged);
    EXPECT_EQ(item.GetPosition(), 0);
    EXPECT_EQ(item.GetSize(), 1);
    item.SetPosition(-5);
    EXPECT_EQ(item.GetPosition(), -5);
}

TEST(ItemTest, LocalTimeSubtractsPositionAndAddsOffset) {
    Item item;
    item.SetPosition(2000);
    item.SetOffset(500);
    EXPECT_EQ(item.SetTime(10000), kRepaint);
    EXPECT_EQ(item.Time(), 8500);
}

TEST(ItemTest, GlobalTimeMovesTheRoot) {
    Item root, child;
    child.SetParent(&root);
    child.SetGlobalTime(1234);
    EXPECT_EQ(root.Time(), 1234);
    EXPECT_EQ(child.MoveGlobalTime(-34), kRepaint);
    EXPECT_EQ(root.Time(), 1200);
    EXPECT_EQ(child.Root(), &root);
}

TEST(ItemTest, FinishInputReleasesCaptureAndMarksChanges) {
    ScriptedWindow window;
    Item root;
    root.SetWindow(&window);
    window.captured = true;
    root.SetChanged(false);
    EXPECT_EQ(root.FinishInput(kReleaseMe), kReleaseMe | kRepaint);
    EXPECT_FALSE(window.captured);
    EXPECT_EQ(root.FinishInput(kChanged | 0x1000), kChanged | kRepaint | 0x1000);
    EXPECT_TRUE(root.IsChanged());
}

TEST(StringTableTest, IdsOutsideTheTableGiveTheEmptyText) {
    EXPECT_EQ(Str(0), "");
    EXPECT_EQ(Str(1024), "");
    EXPECT_EQ(Str(-3), "");
    EXPECT_EQ(Str(590), "Error");
    StringTable table;
    EXPECT_FALSE(table.Set(1024, "x"));
    EXPECT_TRUE(table.Set(1023, std::string(2000, 'a')));
    EXPECT_EQ(table.Text(1023).size(), StringTable::kMaxText);
}

class ControlTest : public ::testing::Test {
protected:
    ScriptedPlatform platform_;
    ScriptedWindow window_;
};

TEST_F(ControlTest, RunCommandAnswersIdAndTypeToOneWordOnly) {
    Control control;
    control.SetId(636);
    std::string answer = "old";
    EXPECT_TRUE(control.RunCommand("GetID", answer));
    EXPECT_EQ(answer, "636");
    EXPECT_TRUE(control.RunCommand("GetType", answer));
    EXPECT_EQ(answer, "UIItem");
    EXPECT_TRUE(control.RunCommand("getid", answer));
    EXPECT_EQ(answer, "636");
    EXPECT_FALSE(control.RunCommand("GetID now", answer));
    EXPECT_EQ(answer, "");
    EXPECT_FALSE(control.RunCommand("Nothing", answer));
}

TEST_F(ControlTest, AttachRefusesMissingArguments) {
    Control control;
    Item parent;
    EXPECT_FALSE(control.Attach(&parent, nullptr, nullptr, 5, 5));
    EXPECT_FALSE(control.IsAttached());
    EXPECT_EQ(control.Parent(), nullptr);
}

// A parent that routes like the root does: captured child first, then the
// first child whose rectangle holds the point.
class Panel : public Control {
public:
    std::vector<Control*> children;
    std::vector<int> commands;
    ResultFlags Input(Window* window, std::uint32_t message, int x, int y, std::uintptr_t keys) override {
        if (captured_) return DispatchToChild(captured_, captured_, window, message, x, y, keys);
        for (Control* child : children)
            if (child->Rectangle().Contains(x, y)) return DispatchToChild(child, child, window, message, x, y, keys);
        return 0;
    }
    bool Command(Window*, int command, ResultFlags& out) override {
        commands.push_back(command);
        out = kChanged;
        return true;
    }
};

class Recorder : public Control {
public:
    int moves = 0;
    ResultFlags Input(Window* window, std::uint32_t message, int, int, std::uintptr_t) override {
        if (message == kLeftButtonDown) {
            window->SetCapture();
            return kCaptureMe;
        }
        if (message == kLeftButtonUp) return kReleaseMe;
        if (message == kMouseMove) ++moves;
        return 0;
    }
};

TEST_F(ControlTest, CaptureSurvivesAMoveFarOutsideAndEndsOnRelease) {
    Panel panel;
    panel.SetWindow(&window_);
    Recorder child;
    child.SetParent(&panel);
    child.SetRectangle({0, 0, 10, 10});
    panel.children.push_back(&child);

    panel.Input(&window_, kLeftButtonDown, 5, 5, kLeftButtonHeld);
    EXPECT_EQ(panel.CapturedChild(), &child);
    panel.Input(&window_, kMouseMove, -30000, 30000, kLeftButtonHeld);
    EXPECT_EQ(child.moves, 1);
    const ResultFlags up = panel.Input(&window_, kLeftButtonUp, 5000, 5, 0);
    EXPECT_TRUE(up & kRepaint);
    EXPECT_EQ(panel.CapturedChild(), nullptr);
    EXPECT_FALSE(window_.captured);
    panel.Input(&window_, kMouseMove, 5000, 5, 0);
    EXPECT_EQ(child.moves, 1);
}

TEST_F(ControlTest, PushButtonDeliversItsIdOnlyWhenReleasedInside) {
    Panel panel;
    panel.SetWindow(&window_);
    PushButton button;
    button.SetParent(&panel);
    button.SetId(25);
    button.SetRectangle({0, 0, 20, 20});
    panel.children.push_back(&button);

    EXPECT_EQ(button.Input(&window_, kLeftButtonDown, 5, 5, 0), kCaptureMe | kRelayout);
    EXPECT_EQ(button.Press(), Control::kPressed);
    EXPECT_EQ(button.Input(&window_, kMouseMove, 50, 5, 0), kRelayout);
    EXPECT_EQ(button.Press(), Control::kUp);
    button.Input(&window_, kLeftButtonUp, 50, 5, 0);
    EXPECT_TRUE(panel.commands.empty());

    button.Input(&window_, kLeftButtonDown, 5, 5, 0);
    const ResultFlags r = button.Input(&window_, kLeftButtonUp, 5, 5, 0);
    EXPECT_EQ(panel.commands, std::vector<int>{25});
    EXPECT_EQ(r, kChanged | kReleaseMe | kRelayout);

    button.SetPress(Control::kDisabled);
    EXPECT_EQ(button.Input(&window_, kLeftButtonDown, 5, 5, 0), 0u);
}

}  // namespace
}  // namespace vantrel
