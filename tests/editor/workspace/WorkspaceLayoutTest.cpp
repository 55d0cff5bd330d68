#include <gtest/gtest.h>

#include <cmath>

#include "editor/workspace/WorkspaceLayout.h"

namespace vantrel {
namespace {

LayoutState Window(int width, int height) {
    LayoutState state;
    state.clientWidth = width;
    state.clientHeight = height;
    return state;
}

TEST(WorkspaceLayout, AreaIsCappedAndInputScaledBack) {
    EXPECT_EQ(LayoutArea(1280, 960), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(LayoutArea(1025, 769), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(LayoutArea(800, 600), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(ClientToLayout(640, 480, 1280, 960), (Point{512, 384}));
    EXPECT_EQ(ClientToLayout(640, 480, 800, 600), (Point{640, 480}));
    EXPECT_EQ(ClientToLayout(5, 5, 0, 0), (Point{5, 5}));
    EXPECT_EQ(ComputeLayout(Window(1280, 960)).area, (Rect{0, 0, 1024, 768}));
}

TEST(WorkspaceLayout, RowsAreCutFromTheBottomInOrderWithTheirWeights) {
    LayoutState state = Window(1024, 768);
    state.hasChildren = true;
    state.clipCurrent = true;
    state.changed = true;
    const LayoutResult layout = ComputeLayout(state);
    EXPECT_EQ(layout.Of(kTimeGridRegion), (Rect{0, 748, 1024, 768}));
    EXPECT_EQ(layout.Of(342), (Rect{0, 728, 512, 748}));
    EXPECT_EQ(layout.Of(343), (Rect{512, 728, 1024, 748}));
    // 3 + 100 + 3 = 106: 0 .. 28, 28 .. 995, 995 .. 1024.
    EXPECT_EQ(layout.Of(347), (Rect{0, 708, 28, 728}));
    EXPECT_EQ(layout.Of(346), (Rect{28, 708, 995, 728}));
    EXPECT_EQ(layout.Of(348), (Rect{995, 708, 1024, 728}));
    EXPECT_EQ(layout.panesArea, (Rect{0, 0, 1024, 708}));

    // Side cells: 4 + 2 + 2 + 4 = 12 shares.
    state.sideCells = true;
    const LayoutResult sides = ComputeLayout(state);
    EXPECT_EQ(sides.Of(342), (Rect{4 * 1024 / 12, 728, 6 * 1024 / 12, 748}));
    EXPECT_EQ(sides.Of(343), (Rect{6 * 1024 / 12, 728, 8 * 1024 / 12, 748}));
}

TEST(WorkspaceLayout, RowsFollowTheState) {
    LayoutState state = Window(1024, 768);
    // Nothing current, no children: no rows at all.
    LayoutResult layout = ComputeLayout(state);
    EXPECT_TRUE(layout.Of(kTimeGridRegion).IsEmpty());
    EXPECT_TRUE(layout.Of(346).IsEmpty());
    EXPECT_EQ(layout.panesArea, layout.area);

    // A running playback: StartTime / Stop / Size and the time alone.
    state.hasChildren = true;
    state.clipCurrent = true;
    state.playing = true;
    layout = ComputeLayout(state);
    EXPECT_TRUE(layout.Of(kTimeGridRegion).IsEmpty());
    EXPECT_TRUE(layout.Of(342).IsEmpty());
    EXPECT_EQ(layout.Of(344).Width() + layout.Of(139).Width() + layout.Of(345).Width(), 1024);
    EXPECT_EQ(layout.Of(139).bottom, 768);
    EXPECT_TRUE(layout.Of(347).IsEmpty());
    EXPECT_EQ(layout.Of(346), (Rect{0, 728, 1024, 748}));

    // The preference keeps an empty row even without changes.
    state.playing = false;
    state.applyRowAlways = true;
    layout = ComputeLayout(state);
    EXPECT_TRUE(layout.Of(342).IsEmpty());
    EXPECT_EQ(layout.Of(346).bottom, 728);
}

TEST(WorkspaceLayout, PanesSplitAtTheRatiosWithTheGap) {
    const LayoutResult layout = ComputeLayout(Window(800, 600));
    // trunc(800 x 0.5 - 2) = 398; trunc(600 x 0.5 - 2) = 298.
    EXPECT_EQ(layout.panes[kTopLeft], (Rect{0, 0, 398, 298}));
    EXPECT_EQ(layout.panes[kTopRight], (Rect{402, 0, 800, 298}));
    EXPECT_EQ(layout.panes[kBottomLeft], (Rect{0, 302, 398, 600}));
    EXPECT_EQ(layout.panes[kBottomRight], (Rect{402, 302, 800, 600}));
    EXPECT_EQ(layout.Of(kHorizontalSplitter), (Rect{0, 298, 800, 302}));
    EXPECT_EQ(layout.Of(kVerticalSplitter), (Rect{398, 0, 402, 298}));
    // The preview sits in the top-left pane, the arrangement window in the
    // bottom-right one.
    EXPECT_TRUE(layout.panes[kTopLeft].Contains(layout.Of(kPreviewRegion).left, layout.Of(kPreviewRegion).top));
    EXPECT_TRUE(layout.panes[kBottomRight].Contains(layout.Of(353).left, layout.Of(353).top));
}

TEST(WorkspaceLayout, RatiosAreClampedAndOverridden) {
    LayoutState state = Window(1000, 700);
    state.horizontalRatio = 0.0;
    state.verticalRatio = 7.0;
    EXPECT_DOUBLE_EQ(HorizontalRatioInForce(state), 0.025);
    EXPECT_DOUBLE_EQ(VerticalRatioInForce(state), 0.975);
    state.horizontalRatio = std::nan("");
    EXPECT_DOUBLE_EQ(HorizontalRatioInForce(state), 0.025);

    state.paneFocus = kFocusUp | kFocusLeft;
    EXPECT_DOUBLE_EQ(HorizontalRatioInForce(state), 1.0);
    EXPECT_DOUBLE_EQ(VerticalRatioInForce(state), 1.0);
    state.paneFocus = kFocusDown | kFocusRight;
    EXPECT_DOUBLE_EQ(HorizontalRatioInForce(state), 0.0);
    EXPECT_DOUBLE_EQ(VerticalRatioInForce(state), 0.0);

    // A make wins over the focus.
    state.making = true;
    EXPECT_DOUBLE_EQ(HorizontalRatioInForce(state), 0.0);
    EXPECT_DOUBLE_EQ(VerticalRatioInForce(state), 1.0);
}

TEST(WorkspaceLayout, FocusUpGivesTheUpperPanesTheWholeHeight) {
    LayoutState state = Window(1024, 768);
    state.paneFocus = kFocusUp;
    const LayoutResult layout = ComputeLayout(state);
    EXPECT_EQ(layout.panes[kTopLeft].bottom, 766);
    EXPECT_TRUE(layout.panes[kBottomLeft].IsEmpty());
    EXPECT_TRUE(layout.panes[kBottomRight].IsEmpty());
    EXPECT_TRUE(layout.Of(353).IsEmpty());
}

TEST(WorkspaceLayout, AMakeShowsOnlyThePreviewWithItsRow) {
    LayoutState state = Window(1024, 768);
    state.hasChildren = true;
    state.clipCurrent = true;
    state.making = true;
    const LayoutResult layout = ComputeLayout(state);
    EXPECT_FALSE(layout.Of(kPreviewRegion).IsEmpty());
    EXPECT_FALSE(layout.Of(139).IsEmpty());
    EXPECT_FALSE(layout.Of(335).IsEmpty());  // the progress of the make
    EXPECT_TRUE(layout.Of(353).IsEmpty());
    EXPECT_TRUE(layout.Of(kInfoBrowserRegion).IsEmpty());
    EXPECT_TRUE(layout.Of(kClipViewRegion).IsEmpty());
}

TEST(WorkspaceLayout, NoRectangleLeavesTheArea) {
    for (int width : {1, 37, 640, 800, 1024, 1600})
        for (int height : {1, 19, 61, 480, 600, 768, 1200}) {
            LayoutState state = Window(width, height);
            state.hasChildren = state.clipCurrent = state.changed = true;
            const LayoutResult layout = ComputeLayout(state);
            for (const LaidOut& item : layout.items) {
                EXPECT_FALSE(item.rect.IsEmpty());
                EXPECT_EQ(item.rect.Intersect(layout.area), item.rect) << item.id << " at " << width << "x" << height;
            }
        }
}

TEST(WorkspaceLayout, F9AndSplitterDrags) {
    const LayoutResult layout = ComputeLayout(Window(800, 600));
    EXPECT_EQ(FocusForPoint(layout, {10, 10}), kFocusUp | kFocusLeft);
    EXPECT_EQ(FocusForPoint(layout, {700, 10}), kFocusUp | kFocusRight);
    EXPECT_EQ(FocusForPoint(layout, {10, 500}), kFocusDown);
    EXPECT_DOUBLE_EQ(RatioFromDrag(layout.panesArea, 200, true), 0.25);
    EXPECT_DOUBLE_EQ(RatioFromDrag(layout.panesArea, 450, false), 0.75);
    EXPECT_DOUBLE_EQ(RatioFromDrag(layout.panesArea, -50, true), 0.025);
    EXPECT_DOUBLE_EQ(RatioFromDrag(Rect{}, 10, true), 0.5);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// "Edit" writes help pages: it shows only while the browser holds a page and
// the author's preference is on; the browser's pane is the curve view
// otherwise.
TEST(WorkspaceLayout, EditButtonOnlyForAShownPageWithThePreference) {
    LayoutState state = Window(1024, 768);
    for (bool shown : {false, true})
        for (bool preference : {false, true}) {
            state.infoBrowserShown = shown;
            state.editHelpButton = preference;
            const LayoutResult layout = ComputeLayout(state);
            EXPECT_EQ(layout.Of(224).IsEmpty(), !(shown && preference)) << shown << preference;
            EXPECT_FALSE(layout.Of(591).IsEmpty());
            EXPECT_EQ(layout.Of(kInfoBrowserRegion).IsEmpty(), !shown);
            EXPECT_EQ(layout.Of(kCurveViewRegion).IsEmpty(), shown);
        }
}

}  // namespace
}  // namespace vantrel
