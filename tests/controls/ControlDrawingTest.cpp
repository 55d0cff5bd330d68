#include "controls/ControlDrawing.h"

#include "items/PushButton.h"
#include "items/StringTable.h"
#include "tests/controls/ControlTestSupport.h"

namespace vantrel {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kMark = Rgb(1, 2, 3);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kGreen = Rgb(0, 255, 0);

// 'W' white, 'B' black, '.' untouched, row by row.
std::vector<std::string> Map(Surface& surface, int width, int height) {
    PainterDrawContext dc(surface);
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const Colour c = dc.PixelAt(x, y);
            row += c == kWhite ? 'W' : c == kBlack ? 'B' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

struct EdgeCase {
    const char* name;
    Rect rect;
    bool sunk;
    std::vector<std::string> expected;
};

class EdgeTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeTest, NestedPassesStopWhenTheRectangleIsEmpty) {
    const EdgeCase& c = GetParam();
    Surface surface(5, 6);
    {
        PainterDrawContext dc(surface);
        dc.FillRect(surface.Bounds(), kMark);
        DrawEdge(dc, c.rect, c.sunk, 2);
    }
    EXPECT_EQ(Map(surface, 4, 6), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, EdgeTest,
    ::testing::Values(
        // Two pixels wide: the first pass only, since the inset is empty.
        EdgeCase{"TwoWide", {0, 0, 2, 6}, false, {"....", "WB..", "WB..", "WB..", "WB..", "...."}},
        // Three pixels wide: both passes.
        EdgeCase{"ThreeWide", {0, 0, 3, 6}, false, {"W...", "WWB.", "WBB.", "WBB.", "WBB.", "..B."}},
        EdgeCase{"ThreeWideSunk", {0, 0, 3, 6}, true, {"B...", "BBW.", "BWW.", "BWW.", "BWW.", "..W."}},
        EdgeCase{"Empty", {2, 2, 2, 5}, false, {"....", "....", "....", "....", "....", "...."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinearMap, ClampsBothSidesAndFallsBackToTheOutputMinimum) {
    struct Case { double x, o0, o1, i0, i1, expected; } cases[] = {
        {5, 0, 100, 0, 10, 50},   {-3, 0, 100, 0, 10, 0},   {13, 0, 100, 0, 10, 100},
        {0.5, 10, 20, 0, 1, 15},  {5, 7, 7, 0, 10, 7},      {5, 0, 100, 3, 3, 0},
        {5, 9, 1, 0, 10, 9},      {5, 0, 100, 10, 0, 0},    {2.5, -1, 1, 0, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(LinearMap(c.x, c.o0, c.o1, c.i0, c.i1), c.expected)
            << c.x << " [" << c.o0 << "," << c.o1 << "] [" << c.i0 << "," << c.i1 << "]";
}

using FaceTest = ControlTest;

TEST_F(FaceTest, FlashCountThreeGivesFramesOfThreeTwoOneThenNone) {
    Control control;
    Place(control, 0, 623, {0, 0, 12, 12});  // green face, no caption
    control.SetFlashCount(3);
    platform_.clock.now = 0;  // blue
    const int expectedLines[] = {3, 2, 1, 0};
    for (int paint = 0; paint < 4; ++paint) {
        {
            PainterDrawContext dc(surface_);
            control.Paint(dc, 0, 0, 40, 20, 0);
        }
        int lines = 0;
        while (lines < 6 && At(lines, 6) == kBlue) ++lines;
        EXPECT_EQ(lines, expectedLines[paint]) << "paint " << paint;
        EXPECT_EQ(At(lines, 6), kGreen) << "face inside the frame, paint " << paint;
        EXPECT_EQ(control.FlashCount(), std::max(0, 2 - paint));
    }
}

TEST_F(FaceTest, TheFrameColourFollowsTheClock) {
    struct Case { std::uint32_t now; Colour colour; } cases[] = {
        {0x000, kBlue}, {0x07F, kBlue}, {0x080, kGreen}, {0x100, Rgb(255, 0, 0)},
        {0x200, Rgb(255, 0, 0)}, {0x380, Rgb(255, 0, 0)}, {0x480, kGreen}, {0x400, kBlue},
    };
    Control control;
    Place(control, 0, 623, {0, 0, 12, 12});
    for (const Case& c : cases) {
        platform_.clock.now = c.now;
        control.SetFlashCount(1);
        PainterDrawContext dc(surface_);
        EXPECT_EQ(DrawFlash(control, dc, control.Rectangle()), 0);
        EXPECT_EQ(At(0, 5), c.colour) << std::hex << c.now;
    }
    control.SetFlashCount(-4);
    PainterDrawContext dc(surface_);
    EXPECT_EQ(DrawFlash(control, dc, control.Rectangle()), 0);
    EXPECT_EQ(control.FlashCount(), 0);
}

TEST_F(FaceTest, NoPictureAndNoColourShowsTheBackgroundPictureTiledOnGrey) {
    Control control;
    Place(control, 0, 335, {0, 0, 10, 10});  // its whole chain sets no background
    {
        PainterDrawContext dc(surface_);
        control.Paint(dc, 0, 0, 40, 20, 0);
    }
    EXPECT_EQ(At(4, 4), Rgb(192, 192, 192));
    Surface tile(2, 2);
    tile.Fill(tile.Bounds(), MakePixel(200, 100, 50, 255));
    tile.At(1, 1) = MakePixel(0, 0, 0, 255);
    pictures_.pictures[555] = tile;
    {
        PainterDrawContext dc(surface_);
        control.Paint(dc, 0, 0, 40, 20, 0);
    }
    EXPECT_EQ(At(4, 4), Rgb(50, 100, 200));
    EXPECT_EQ(At(5, 5), kBlack);
    EXPECT_EQ(surface_.At(12, 5), 0u) << "nothing outside the control";
}

TEST_F(FaceTest, AnInheritedPictureIsStretchedButTheApplicationBackgroundNever) {
    Control control;
    Place(control, 0, 370, {0, 0, 10, 10});
    pictures_.pictures[555] = Surface(1, 1);
    pictures_.pictures[555].At(0, 0) = MakePixel(9, 9, 9, 255);
    SettingsStore::Instance().SetBackground(617, Rgb(0, 0, 200));
    {
        PainterDrawContext dc(surface_);
        control.Paint(dc, 0, 0, 40, 20, 0);
    }
    EXPECT_EQ(At(5, 5), Rgb(0, 0, 200)) << "555's picture is not the face; the colour is";
    SettingsStore::Instance().SetImage(617, "/skins/button.png");
    pictures_.LoadPicture(617, "/skins/button.png");
    {
        PainterDrawContext dc(surface_);
        control.Paint(dc, 0, 0, 40, 20, 0);
    }
    EXPECT_EQ(At(5, 5), Rgb(30, 20, 10));
    EXPECT_EQ(At(9, 5), Rgb(30, 20, 10));
    // The 3 x 2 picture keeps its shape across the square face: the face's
    // colour shows above and below it.
    EXPECT_EQ(At(5, 0), Rgb(0, 0, 200));
    EXPECT_EQ(At(5, 9), Rgb(0, 0, 200));
}

TEST_F(FaceTest, PendingCaptionIsShownOnceInTheForegroundColour) {
    surface_.Allocate(120, 30);
    Control control;
    Place(control, 646, 598, {0, 0, 120, 30});  // "Help Titles": blue text on yellow
    control.SetPendingCaption("WWWW");
    auto countBlue = [this] {
        int blue = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x) blue += At(x, y) == kBlue;
        return blue;
    };
    {
        PainterDrawContext dc(surface_);
        DrawFace(control, dc, control.GetId(), kFaceBackground | kFaceCaption);
    }
    const int pending = countBlue();
    EXPECT_GT(pending, 0);
    EXPECT_FALSE(control.PendingCaption().has_value());
    EXPECT_EQ(At(0, 0), Rgb(255, 255, 0));
    {
        PainterDrawContext dc(surface_);
        DrawFace(control, dc, control.GetId(), kFaceBackground | kFaceCaption);
    }
    EXPECT_GT(countBlue(), 0);
    EXPECT_NE(countBlue(), pending) << "the id's text, \"English\", this time";
    {
        PainterDrawContext dc(surface_);
        DrawFace(control, dc, control.GetId(), kFaceBackground);
    }
    EXPECT_EQ(countBlue(), 0) << "background only";
}

TEST_F(FaceTest, PushButtonShowsItsEdgeSunkWhilePressedAndTheFrameWhileFlashing) {
    PushButton button;
    Place(button, 0, 623, {0, 0, 10, 10});
    struct Case { int press, flash; Colour topLeft; } cases[] = {
        {Control::kUp, 0, kWhite}, {Control::kPressed, 0, kBlack}, {Control::kUp, 1, kBlue},
    };
    platform_.clock.now = 0;
    for (const Case& c : cases) {
        button.SetPress(c.press);
        button.SetFlashCount(c.flash);
        PainterDrawContext dc(surface_);
        button.Paint(dc, 0, 0, 40, 20, 0);
        EXPECT_EQ(At(0, 4), c.topLeft) << c.press << "/" << c.flash;
        EXPECT_EQ(At(1, 4), c.flash ? kGreen : c.topLeft) << "edge of two lines; a frame of one";
    }
}

}  // namespace
}  // namespace vantrel
