#include <gtest/gtest.h>

#include <map>

#include "items/Control.h"
#include "items/ControlServices.h"
#include "items/PictureStore.h"
#include "items/PushButton.h"
#include "items/StringTable.h"
#include "platform/scripted/ScriptedPlatform.h"

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

// What a control asks of the skin and its root, recorded.
struct InputLog final : public ControlServices {
    std::vector<int> commands, helpTopics, hoverIds;
    std::map<int, std::string> skinPaths;
    int menuAnswer = 0, menusShown = 0, imagesLoaded = 0;
    int SkinMenu(Control&, Window*) override { return ++menusShown, menuAnswer; }
    bool SkinCommand(Control&, Window*, int command, ResultFlags& out) override {
        commands.push_back(command);
        out = kRepaint;
        return true;
    }
    void SetSkinImagePath(int id, const std::string& path) override { skinPaths[id] = path; }
    void SkinImageLoaded(Control&, int) override { ++imagesLoaded; }
};

class RecordingRoot final : public Item {
public:
    InputLog* log = nullptr;
    bool ShowHoverTextById(int id, const Rect&) override { return log->hoverIds.push_back(id), true; }
    int ShowHelpTopic(int topic) override { return log->helpTopics.push_back(topic), topic; }
};

class OnePictureStore final : public PictureStore {
public:
    bool loads = true;
    std::vector<std::string> tried;
    bool HasPicture(int) const override { return false; }
    bool LoadPicture(int, const std::string& path) override { return tried.push_back(path), loads; }
    const Surface* Picture(int) const override { return nullptr; }
};

TEST_F(ControlTest, InheritedInputAnswersHoverMenuCaptionHelpAndDrops) {
    InputLog log;
    ControlServices* previous = SetControlServices(&log);
    RecordingRoot root;
    root.log = &log;
    OnePictureStore media;
    Control control;
    control.SetParent(&root);
    control.SetMedia(&media);
    control.SetId(636);
    control.SetRectangle({0, 0, 20, 20});
    window_.cursor = Cursor::Wait;

    EXPECT_EQ(control.Input(&window_, kMouseMove, 5, 5, 0), 0u);
    EXPECT_EQ(log.hoverIds, std::vector<int>{636});
    EXPECT_EQ(window_.cursor, Cursor::Arrow);

    // The skin menu wants Ctrl and the pointer inside; nothing chosen is 0.
    log.menuAnswer = 557;
    EXPECT_EQ(control.Input(&window_, kRightButtonUp, 5, 5, 0), 0u);
    EXPECT_EQ(control.Input(&window_, kRightButtonUp, 25, 5, kControlHeld), 0u);
    EXPECT_EQ(log.menusShown, 0);
    EXPECT_EQ(control.Input(&window_, kRightButtonUp, 5, 5, kControlHeld), kRepaint);
    log.menuAnswer = 0;
    EXPECT_EQ(control.Input(&window_, kRightButtonUp, 5, 5, kControlHeld), 0u);
    EXPECT_EQ(log.menusShown, 2);

    EXPECT_EQ(control.Input(&window_, kLeftButtonDoubleClick, 5, 5, 0), 0u);
    EXPECT_EQ(control.Input(&window_, kLeftButtonDoubleClick, 5, 5, kControlHeld), kRepaint);
    EXPECT_EQ(log.commands, (std::vector<int>{557, Control::kSkinCaptionCommand}));

    EXPECT_EQ(control.Input(&window_, kKeyUp, 5, 5, kVkF1 + 1), 0u);
    EXPECT_EQ(control.Input(&window_, kKeyUp, 5, 5, kVkF1), 0u);
    EXPECT_EQ(log.helpTopics, std::vector<int>{636});

    // A drop with nothing readable changes nothing; a path that was read
    // stays the skin's even when its picture will not load.
    window_.drops[7] = {};
    EXPECT_EQ(control.Input(&window_, kFilesDropped, 5, 5, 7), 0u);
    EXPECT_TRUE(log.skinPaths.empty());
    media.loads = false;
    window_.drops[8] = {"/pictures/broken.png", "/pictures/second.png"};
    EXPECT_EQ(control.Input(&window_, kFilesDropped, 5, 5, 8), kRepaint);
    EXPECT_EQ(log.skinPaths[636], "/pictures/broken.png");
    EXPECT_FALSE(control.HasOwnImage());
    EXPECT_EQ(log.helpTopics.size(), 1u);
    media.loads = true;
    EXPECT_EQ(control.Input(&window_, kFilesDropped, 5, 5, 8), kRepaint);
    EXPECT_TRUE(control.HasOwnImage());
    EXPECT_EQ(log.helpTopics, (std::vector<int>{636, 620}));
    EXPECT_EQ(log.imagesLoaded, 1);
    SetControlServices(previous);
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
