#include <gtest/gtest.h>

#include "editor/arrangement/ArrangementView.h"
#include "tests/model/clips/ClipFixtures.h"

namespace vantrel {
namespace {

using testing::AddAt;
using testing::MakeRoot;

TEST(ArrangementView, HorizontalZoomKeepsThirtyMillisecondFloorAndLength) {
    Clip clip;
    clip.RestoreTimes(0, 10000, 0);
    ArrangementView view(&clip);
    clip.SetView(0, 30);
    EXPECT_EQ(view.ZoomInHorizontal(), 0u);
    EXPECT_EQ(clip.ViewSpan(), 30);
    clip.SetView(0, 50);
    view.ZoomInHorizontal();
    EXPECT_EQ(clip.ViewSpan(), 30);
    clip.SetView(0, 100);
    view.ZoomInHorizontal();
    EXPECT_EQ(clip.ViewSpan(), 50);
    clip.SetView(0, 6000);
    view.ZoomOutHorizontal();
    EXPECT_EQ(clip.ViewSpan(), 10000);
    EXPECT_EQ(view.ZoomOutHorizontal(), 0u);
    clip.RestoreTimes(0, 20, 0);
    clip.SetView(0, 50);
    view.ZoomInHorizontal();
    EXPECT_EQ(clip.ViewSpan(), 20);
}

TEST(ArrangementView, VerticalZoomAndFitRowsStayWithinBounds) {
    auto root = MakeRoot();
    ArrangementView view(root.get());
    view.SetTrackHeight(10);
    EXPECT_EQ(view.ZoomInVertical(), 0u);
    view.SetTrackHeight(512);
    EXPECT_EQ(view.ZoomOutVertical(), 0u);
    view.SetTrackHeight(300);
    view.ZoomOutVertical();
    EXPECT_EQ(view.TrackHeight(), 512);
    AddAt(*root, kGradientType, 0, 1000, 0);
    AddAt(*root, kGradientType, 0, 1000, 2);
    view.SetVerticalScroll(2);
    view.FitRows(400);  // 3 tracks + 1
    EXPECT_EQ(view.TrackHeight(), 100);
    EXPECT_EQ(view.VerticalScroll(), 0);  // everything fits: nothing to scroll
    view.FitRows(20);
    EXPECT_EQ(view.TrackHeight(), 10);
    view.FitRows(100000);
    EXPECT_EQ(view.TrackHeight(), 512);
}

TEST(ArrangementView, FitCoversASubArrangementOnly) {
    auto root = MakeRoot();
    Clip* sub = AddAt(*root, kSubArrangementType, 2000, 5000, 0);
    ASSERT_NE(sub, nullptr);
    sub->SetOffset(500);
    ArrangementView view(sub);
    view.FitViewAndMakeStrip();
    EXPECT_EQ(sub->ViewStart(), 500);
    EXPECT_EQ(sub->ViewSpan(), 4500);
    EXPECT_EQ(sub->MakeStart(), 500);
    EXPECT_EQ(sub->MakeEnd(), 4500);
    view.Show(root.get());
    EXPECT_EQ(view.FitViewAndMakeStrip(), 0u);
}

TEST(ArrangementView, FollowsTheTimeWithinTheEndsButNotUnderACapture) {
    auto root = MakeRoot();
    root->RestoreTimes(0, 10000, 0);
    root->SetView(0, 2000);
    ArrangementView view(root.get());
    view.FollowTime(5000);
    EXPECT_EQ(root->ViewStart(), 4000);
    view.FollowTime(300);
    EXPECT_EQ(root->ViewStart(), 0);
    view.FollowTime(9900);
    EXPECT_EQ(root->ViewStart(), 8000);
    Clip ruler;
    root->SetCapturedChild(&ruler);
    view.FollowTime(5000);
    EXPECT_EQ(root->ViewStart(), 8000);
    root->SetCapturedChild(nullptr);
}

}  // namespace
}  // namespace vantrel
