// Projects whose times and track numbers sit at the ends of the int32 range,
// as a hand-made or hostile file can hold them. Under the sanitizer build
// any overflow stops the run (see the options below).
#include <gtest/gtest.h>

#include <climits>

#include "values/Stream.h"
#include "compose/Composition.h"
#include "tests/compose/Fixtures.h"
#include "editor/arrangement/ArrangementView.h"

extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }

namespace vantrel {
namespace {

using testing::MakeRoot;
using testing::Place;
using testing::TempFolder;
using testing::WriteBitmap;

constexpr Pixel kRed = MakePixel(0, 0, 255, 0);
constexpr Pixel kBlue = MakePixel(255, 0, 0, 0);
Pixel Rgb(Pixel p) { return p & 0x00FFFFFFu; }

class HostileTracks : public ::testing::Test {
protected:
    void SetUp() override { MakeRoot(root); }
    Surface& Frame(Clip& arrangement, std::int32_t time) {
        arrangement.SetTime(time);
        EXPECT_TRUE(Compose(arrangement, kComposeMake));
        return *FinishedFrame(arrangement);
    }
    TempFolder folder;
    Clip root;
};

TEST_F(HostileTracks, ChildrenOnTracksNearTheTopOfTheRangeComposeInTrackOrder) {
    const std::string blue = WriteBitmap(folder, "blue.bmp", 32, 24, kBlue, kBlue);
    const std::string red = WriteBitmap(folder, "red.bmp", 32, 24, kRed, kRed);
    // 255 blue children on the highest tracks there are, and the red one on
    // the lowest of them, added first: it must still lie on top.
    Clip* top = root.ImportMedia(red);
    ASSERT_NE(top, nullptr);
    Place(*top, INT_MAX - 255, 0, 5000);
    for (int i = 0; i < 255; ++i) {
        Clip* clip = root.ImportMedia(blue);
        ASSERT_NE(clip, nullptr) << i;
        Place(*clip, INT_MAX - i, 0, 5000);
    }
    ASSERT_EQ(root.ChildCount(), 256);
    EXPECT_EQ(root.TrackCount(), INT_MAX);  // saturated, not wrapped

    const std::vector<Clip*> order = root.ChildrenInDrawingOrder();
    ASSERT_EQ(order.size(), 256u);
    EXPECT_EQ(order.front()->Track(), INT_MAX);
    EXPECT_EQ(order.back(), top);
    EXPECT_EQ(Rgb(Frame(root, 1000).At(10, 10)), Rgb(MakePixel(0, 0, 254, 0)));

    // Read back, the rows are those the editor keeps: 0 .. 255, no gaps,
    // the same order.
    MemoryOutStream out;
    ASSERT_TRUE(root.Save(out));
    Clip loaded;
    MakeRoot(loaded);
    MemoryInStream in(out.bytes);
    ASSERT_TRUE(loaded.Load(in));
    ASSERT_EQ(loaded.ChildCount(), 256);
    EXPECT_EQ(loaded.TrackCount(), 256);
    EXPECT_EQ(loaded.ChildAt(0)->Track(), 0);
    EXPECT_EQ(loaded.ChildAt(1)->Track(), 255);
    EXPECT_EQ(Rgb(Frame(loaded, 1000).At(10, 10)), Rgb(MakePixel(0, 0, 254, 0)));
}

TEST_F(HostileTracks, TrackCommandsAtTheTopOfTheRangeSaturate) {
    const std::string blue = WriteBitmap(folder, "blue.bmp", 32, 24, kBlue, kBlue);
    Clip* a = root.ImportMedia(blue);
    Clip* b = root.ImportMedia(blue);
    ASSERT_TRUE(a && b);
    Place(*a, INT_MAX, 0, 5000);
    Place(*b, INT_MAX - 1, 0, 5000);
    root.InsertTrack(INT_MAX - 1);
    EXPECT_EQ(a->Track(), INT_MAX);
    EXPECT_EQ(b->Track(), INT_MAX);
    root.MoveDown(b);
    EXPECT_GE(b->Track(), 0);
    // Compacting closes the two billion empty rows at once.
    root.CompactTracks();
    EXPECT_LE(root.TrackCount(), 2);
    ArrangementView view(&root);
    EXPECT_TRUE(view.FitRows(480) & kRepaint);
}

TEST_F(HostileTracks, TimesAtTheEndsOfTheRangeSaturateInsteadOfWrapping) {
    const std::string red = WriteBitmap(folder, "red.bmp", 32, 24, kRed, kRed);
    Clip* late = root.ImportMedia(red);
    Clip* early = root.ImportMedia(red);
    ASSERT_TRUE(late && early);
    // Start 2147483647 with a parent time past the position: the local time
    // is beyond the range and stays at its end.
    late->RestoreTimes(0, 10000, INT_MAX);
    late->SetTrack(0);
    late->SetTime(500);
    EXPECT_EQ(late->Time(), INT_MAX);
    EXPECT_TRUE(late->IsActive());
    // Start 2147483646 and length 10000: the end is the end of time.
    late->RestoreTimes(0, 10000, INT_MAX - 1);
    late->SetTime(0);
    EXPECT_TRUE(late->IsActive());
    early->RestoreTimes(INT_MAX, 10000, INT_MIN);
    early->SetTrack(1);
    early->SetTime(INT_MIN);
    EXPECT_EQ(early->Time(), INT_MIN);

    for (const std::int32_t time : {INT_MAX, INT_MIN, 0, -1}) {
        Frame(root, time);
        root.MoveGlobalTime(time);
    }
    root.SetTime(INT_MAX);
    root.MoveGlobalTime(INT_MAX);
    EXPECT_EQ(root.Time(), INT_MAX);
    root.MoveGlobalTime(INT_MIN);
    EXPECT_EQ(root.Time(), -1);

    // Moving the left edge of a clip far out keeps position and length in range.
    late->RestoreTimes(INT_MAX - 10, 20, 0);
    late->SetOffset(INT_MIN);
    EXPECT_EQ(late->Start(), INT_MIN);
    EXPECT_GE(late->Length(), 20);
    root.AutoAdjustMakeStrip();
    root.DefaultMakeStrip();
    EXPECT_GE(root.Length(), 1);
}

}  // namespace
}  // namespace vantrel
