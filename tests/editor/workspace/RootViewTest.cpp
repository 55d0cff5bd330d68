#include <gtest/gtest.h>

#include "editor/workspace/Workspace.h"
#include "platform/Window.h"
#include "tests/model/clips/ClipFixtures.h"
#include "tests/support/RecordingDrawContext.h"
#include "tests/support/ScriptedEditor.h"

#include <thread>

namespace vantrel {
namespace {

// Records what the root hands its window side.
struct RecordingView final : RootView {
    int layouts = 0, paints = 0, inputs = 0, treeEdits = 0, clears = 0;
    std::vector<std::int32_t> times;
    std::vector<std::string> statuses;
    ResultFlags settled = 0;
    Control* named = nullptr;

    Rect LayOutClient(int width, int height) override {
        ++layouts;
        return {0, 0, width, height};
    }
    void Paint(DrawContext&) override { ++paints; }
    ResultFlags Input(Window*, std::uint32_t, int, int, std::uintptr_t) override { return ++inputs, 0; }
    bool ShowHoverText(const std::string&, const Rect&) override { return true; }
    ResultFlags Settle(ResultFlags flags) override { return settled |= flags, flags & ~kResetPanes; }
    void TreeEdited() override { ++treeEdits; }
    void TimeChanged(std::int32_t rootTime) override { times.push_back(rootTime); }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void ProjectCleared() override { ++clears; }
    Clip* ShownArrangement() const override { return nullptr; }
    Control* ControlById(int id) const override { return id == 4242 ? named : nullptr; }
    void NameControls(RootNames&) const override {}
};

// A window that hands out a drawing surface, so that painting shows.
class DrawingWindow final : public Window {
public:
    Rect ClientRect() const override { return {0, 0, 640, 480}; }
    void SetTitle(const std::string&) override {}
    std::string Title() const override { return {}; }
    bool IsMinimised() const override { return false; }
    void SetCapture() override {}
    void ReleaseCapture() override {}
    bool HasCapture() const override { return false; }
    void SetCursor(Cursor) override {}
    bool StartTimer(int, int) override { return true; }
    void StopTimer(int) override {}
    std::optional<Point> PointerPosition() const override { return std::nullopt; }
    std::vector<std::string> DroppedFiles(std::intptr_t) const override { return {}; }
    std::unique_ptr<DrawContext> BeginDraw() override { return std::make_unique<testing::RecordingDrawContext>(); }
    void Close() override {}
};

WorkspaceOptions WithView(RecordingView*& seen) {
    WorkspaceOptions options;
    options.startWorker = false;
    options.makeView = [&seen](Workspace&) {
        auto view = std::make_unique<RecordingView>();
        seen = view.get();
        return view;
    };
    return options;
}

// The model tells its window side of input, time, status and clearing
// through the interface alone, and asks it what it shows and names.
TEST(RootViewTest, TheRootsCallsReachItsWindowSideAndWithoutAWindowNothingIsDrawn) {
    testing::ScopedDialogs platform;
    RecordingView* view = nullptr;
    Workspace root(nullptr, nullptr, nullptr, WithView(view));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->statuses.back(), "Done!");  // the start-up's last progress line
    EXPECT_GE(view->clears, 1);

    root.SetTime(1234);
    EXPECT_EQ(view->times, std::vector<std::int32_t>{1234});
    root.SetStatusText("Processing: 3");
    EXPECT_EQ(view->statuses.back(), "Processing: 3");
    EXPECT_EQ(root.StatusText(), "");  // not kept in the tree

    root.Input(nullptr, kMouseMove, 5, 5, 0);
    ResultFlags out = 0;
    root.Command(nullptr, 999999, out);
    EXPECT_EQ(view->inputs, 1);
    EXPECT_EQ(view->treeEdits, 2);
    root.FinishInput(kResetPanes);
    EXPECT_TRUE(view->settled & kResetPanes);
    EXPECT_EQ(root.ShownArrangement(), &root);  // the view shows none

    Control control;
    view->named = &control;
    EXPECT_EQ(root.ResolveName("4242"), &control);

    EXPECT_EQ(root.Arrange(0, 0, 800, 600), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(view->layouts, 1);
    EXPECT_EQ(view->paints, 0);
}

TEST(RootViewTest, WithAWindowEveryArrangeDrawsOnce) {
    testing::ScopedDialogs platform;
    DrawingWindow window;
    RecordingView* view = nullptr;
    Workspace root(nullptr, &window, nullptr, WithView(view));
    ASSERT_NE(view, nullptr);
    const int paints = view->paints, layouts = view->layouts;
    root.FinishInput(kRepaint);
    EXPECT_EQ(view->paints, paints + 1);
    EXPECT_EQ(view->layouts, layouts + 1);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// A make moves the time on the worker frame by frame: the view, which
// belongs to the main thread, follows only when that thread next paints or
// handles input, never from the worker.
using testing::ScriptedEditorTest;
TEST_F(ScriptedEditorTest, ATimeMovedOnAnotherThreadIsFollowedOnTheMainThread) {
    Clip& arrangement = *root;
    arrangement.RestoreTimes(0, 100000, 0);
    arrangement.SetView(0, 10000);
    std::thread([&] {
        auto edit = root->Edit();
        root->SetTime(50000);
    }).join();
    EXPECT_EQ(arrangement.ViewStart(), 0);
    root->Input(&window, kMouseMove, 5, 5, 0);
    EXPECT_EQ(arrangement.ViewStart(), 45000);
}

}  // namespace
}  // namespace vantrel
