#include "controls/ValueSlider.h"

#include "controls/DoubleClickControl.h"
#include "tests/controls/ControlTestSupport.h"

namespace vantrel {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);

class SliderTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        surface_.Allocate(100, 20);
        Place(slider_, 370, 623, {0, 0, 100, 20});  // green face
        slider_.SetRange(0, 10);
    }
    void Paint() {
        PainterDrawContext dc(surface_);
        slider_.Paint(dc, 0, 0, 100, 20, 0);
    }
    ResultFlags Send(std::uint32_t message, int x, std::uintptr_t keys = 0) {
        return slider_.Input(&window_, message, x, 10, keys);
    }
    ValueSlider slider_;
};

TEST_F(SliderTest, KnobSitsAtTheMappedValueWithARaisedEdgeInASunkenTrack) {
    slider_.SetValue(5);
    Paint();
    EXPECT_EQ(slider_.KnobRect(), (Rect{45, 0, 55, 20}));
    EXPECT_EQ(At(0, 10), kBlack) << "track sunk";
    EXPECT_EQ(At(99, 10), kWhite);
    EXPECT_EQ(At(45, 10), kWhite) << "knob raised";
    EXPECT_EQ(At(54, 10), kBlack);
    EXPECT_EQ(At(50, 10), kGreen);
    EXPECT_EQ(At(30, 10), kGreen);
}

TEST_F(SliderTest, ValuesOutsideTheRangeAreClampedWhenPaintedAndTheKnobStaysInside) {
    slider_.SetValue(25);
    Paint();
    EXPECT_DOUBLE_EQ(slider_.Value(), 10);
    EXPECT_EQ(slider_.KnobRect(), (Rect{95, 0, 100, 20}));
    EXPECT_EQ(At(95, 10), kWhite);
    // Four pixels are not more than twice the edge width: no knob edge.
    slider_.SetMetric(1, 8);
    Paint();
    EXPECT_EQ(slider_.KnobRect(), (Rect{96, 0, 100, 20}));
    EXPECT_EQ(At(96, 10), kGreen);
}

TEST_F(SliderTest, NoKnobWhenMinimumEqualsMaximumAndEveryDragGivesTheMinimum) {
    slider_.SetRange(3, 3);
    slider_.SetValue(8);
    Paint();
    EXPECT_DOUBLE_EQ(slider_.Value(), 3);
    EXPECT_TRUE(slider_.KnobRect().IsEmpty());
    for (int x = 2; x < 98; ++x) ASSERT_EQ(At(x, 10), kGreen) << x;
    EXPECT_EQ(At(0, 10), kBlack) << "edge still drawn";
    Send(kLeftButtonDown, 70);
    EXPECT_DOUBLE_EQ(slider_.Value(), 3);
    Send(kMouseMove, 10);
    Send(kLeftButtonUp, 90);
    EXPECT_DOUBLE_EQ(slider_.Value(), 3);
}

TEST_F(SliderTest, DragCapturesTellsTheParentAndPinsAtBothEnds) {
    const ResultFlags down = Send(kLeftButtonDown, 30);
    EXPECT_EQ(down, kCaptureMe | kRelayout);
    EXPECT_TRUE(window_.captured);
    EXPECT_TRUE(slider_.IsDragging());
    EXPECT_EQ(slider_.Press(), Control::kPressed);
    EXPECT_DOUBLE_EQ(slider_.Value(), 3);
    Paint();
    EXPECT_EQ(At(0, 10), kWhite) << "track raised while dragging";
    EXPECT_EQ(At(25, 10), kBlack) << "knob sunk while dragging";

    EXPECT_EQ(Send(kMouseMove, -40), kRelayout);
    EXPECT_DOUBLE_EQ(slider_.Value(), 0);
    Send(kMouseMove, 400);
    EXPECT_DOUBLE_EQ(slider_.Value(), 10);
    EXPECT_EQ(Send(kRightButtonDown, 50), 0u) << "other messages do nothing while dragging";
    EXPECT_DOUBLE_EQ(slider_.Value(), 10);

    parent_.handles = true;
    parent_.answer = kChanged;
    const ResultFlags up = Send(kLeftButtonUp, 250);
    EXPECT_EQ(up & (kReleaseMe | kChanged), kReleaseMe | kChanged);
    EXPECT_DOUBLE_EQ(slider_.Value(), 10);
    EXPECT_FALSE(slider_.IsDragging());
    EXPECT_EQ(slider_.Press(), Control::kUp);
    EXPECT_FALSE(window_.captured);
    EXPECT_EQ(parent_.commands, (std::vector<int>{370, 370, 370, 370}));
}

TEST_F(SliderTest, DisabledOrCtrlPressesStartNoDrag) {
    slider_.SetPress(Control::kDisabled);
    EXPECT_EQ(Send(kLeftButtonDown, 50), 0u);
    EXPECT_FALSE(slider_.IsDragging());
    slider_.SetPress(Control::kUp);
    Send(kLeftButtonDown, 50, kControlHeld);
    EXPECT_FALSE(slider_.IsDragging());
    Send(kLeftButtonDown, 150);  // outside
    EXPECT_FALSE(slider_.IsDragging());
    EXPECT_TRUE(parent_.commands.empty());
}

TEST_F(ControlTest, DoubleClicksReachTheParentOnlyWithoutCtrlAndInside) {
    DoubleClickControl control;
    Place(control, 636, 555, {0, 0, 20, 20});
    parent_.handles = true;
    parent_.answer = kRelayout | kChanged;
    EXPECT_EQ(control.Input(&window_, kLeftButtonDoubleClick, 5, 5, 0), kRelayout | kChanged);
    EXPECT_EQ(control.Input(&window_, kRightButtonDoubleClick, 5, 5, 0), kRelayout | kChanged);
    control.Input(&window_, kLeftButtonDoubleClick, 25, 5, 0);
    control.Input(&window_, kLeftButtonDown, 5, 5, 0);
    EXPECT_EQ(parent_.commands, (std::vector<int>{636, 636}));
    parent_.handles = false;
    EXPECT_EQ(control.Input(&window_, kRightButtonDoubleClick, 5, 5, 0), 0u);
    EXPECT_EQ(parent_.commands.size(), 3u);
}

}  // namespace
}  // namespace vantrel
