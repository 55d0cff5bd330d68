#include "platform/qt/PainterDrawContext.h"

#include <gtest/gtest.h>

#include "values/Surface.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

namespace vantrel {
namespace {

constexpr Pixel kOpaqueWhite = MakePixel(255, 255, 255, 255);
constexpr Pixel kBack = MakePixel(1, 2, 3, 255);

class PainterDrawContextTest : public ::testing::Test {
protected:
    PainterDrawContextTest() : surface_(8, 6, 10) { surface_.Fill(surface_.Bounds(), kBack); }
    // The pixels of a row as 'x' for changed and '.' for background.
    std::string Row(int y) const {
        std::string row;
        for (int x = 0; x < surface_.Width(); ++x) row += surface_.At(x, y) == kBack ? '.' : 'x';
        return row;
    }
    Surface surface_;
};

// A window that scales its layout twice as much across as down draws text
// at the scale down: the letters are as wide as unscaled, and measuring
// says so in layout units.
TEST(PainterText, AStretchedDeviceDrawsTextAtItsVerticalScale) {
    struct Drawn { int ink, measured; };
    auto draw = [](double sx) {
        QImage image(400, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(sx, 1);
        Drawn out{0, 0};
        {
            PainterDrawContext dc(painter);
            TextStyle style;
            style.heightPx = 16;
            style.centred = false;
            dc.Text("MMMM", {0, 0, int(400 / sx), 40}, style);
            out.measured = dc.MeasureText("MMMM", style).width;
        }
        painter.end();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) out.ink = std::max(out.ink, x + 1);
        return out;
    };
    const Drawn plain = draw(1), wide = draw(2);
    ASSERT_GT(plain.ink, 0);
    EXPECT_NEAR(wide.ink, plain.ink, 1);
    EXPECT_NEAR(wide.measured, (plain.measured + 1) / 2, 1);
}

TEST_F(PainterDrawContextTest, LinesLeaveOutTheirEndPointInEveryDirection) {
    {
        PainterDrawContext dc(surface_);
        dc.Line(Pen::White, 1, 0, 5, 0);  // rightwards
        dc.Line(Pen::White, 5, 1, 1, 1);  // leftwards
        dc.Line(Pen::White, 0, 2, 3, 5);  // diagonal down-right
        dc.Line(Pen::White, 7, 5, 7, 2);  // upwards
        dc.Line(Pen::White, 6, 3, 6, 3);  // a point: nothing
    }
    EXPECT_EQ(Row(0), ".xxxx...");
    EXPECT_EQ(Row(1), "..xxxx..");
    EXPECT_EQ(Row(2), "x.......");
    EXPECT_EQ(Row(3), ".x.....x");
    EXPECT_EQ(Row(4), "..x....x");
    EXPECT_EQ(Row(5), ".......x");
    EXPECT_EQ(surface_.At(1, 0), kOpaqueWhite);
}

TEST_F(PainterDrawContextTest, PensHaveTheirFixedColoursAndPixelAtReadsThemBack) {
    PainterDrawContext dc(surface_);
    const Pen pens[] = {Pen::Red, Pen::Green, Pen::Blue, Pen::Black, Pen::White, Pen::Grey};
    for (int i = 0; i < 6; ++i) dc.Line(pens[i], i, 0, i, 1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(dc.PixelAt(i, 0), PenColour(pens[i])) << i;
    EXPECT_EQ(PenColour(Pen::DarkGrey), Rgb(96, 96, 96));
    EXPECT_EQ(surface_.At(0, 0), MakePixel(0, 0, 255, 255));  // red lands in the red byte
    EXPECT_EQ(dc.PixelAt(-1, 0), kNoColour);
    EXPECT_EQ(dc.PixelAt(8, 0), kNoColour);
}

TEST_F(PainterDrawContextTest, FillAndClipStayInsideTheirRectangles) {
    {
        PainterDrawContext dc(surface_);
        dc.FillRect({1, 1, 3, 2}, Rgb(10, 20, 30));
        dc.FillRect({4, 4, 4, 6}, Rgb(10, 20, 30));  // empty: nothing
        dc.SetClip({5, 0, 6, 6});
        dc.FillRect(surface_.Bounds(), Rgb(9, 9, 9));
        dc.ClearClip();
        dc.FillRect({0, 5, 1, 6}, Rgb(9, 9, 9));
    }
    EXPECT_EQ(surface_.At(1, 1), MakePixel(30, 20, 10, 255));
    EXPECT_EQ(Row(1), ".xx..x..");
    EXPECT_EQ(Row(4), ".....x..");
    EXPECT_EQ(Row(5), "x....x..");
}

TEST_F(PainterDrawContextTest, PicturesAreCopiedOpaqueStretchedAndTiledFromTheOrigin) {
    Surface picture(2, 2);
    picture.At(0, 0) = MakePixel(0, 0, 200, 0);  // alpha 0 must not make it vanish
    picture.At(1, 0) = MakePixel(0, 200, 0, 255);
    picture.At(0, 1) = MakePixel(200, 0, 0, 255);
    picture.At(1, 1) = MakePixel(50, 50, 50, 255);
    {
        PainterDrawContext dc(surface_);
        dc.StretchPicture(picture, {0, 0, 1, 1}, {0, 0, 2, 2});
        dc.TilePicture(picture, {3, 1, 8, 4});
    }
    EXPECT_EQ(surface_.At(1, 1), MakePixel(0, 0, 200, 255));
    // x = 3 is column 1 of a tile that starts at x = 2; y = 1 is its row 1.
    EXPECT_EQ(surface_.At(3, 1), MakePixel(50, 50, 50, 255));
    EXPECT_EQ(surface_.At(4, 2), MakePixel(0, 0, 200, 255));
    EXPECT_EQ(surface_.At(7, 3), MakePixel(50, 50, 50, 255));
    EXPECT_EQ(surface_.At(2, 2), kBack);
    EXPECT_EQ(surface_.At(4, 4), kBack);
}

TEST(PainterDrawContextText, LongCaptionIsCutWithAnEllipsisOnOneLineNotWrapped) {
    Surface surface(60, 40);
    PainterDrawContext dc(surface);
    const std::string caption = "A caption far too long for sixty pixels";
    const TextSize whole = dc.TextExtent(caption);
    ASSERT_GT(whole.width, 60);
    ASSERT_GT(whole.height, 0);
    dc.FillRect(surface.Bounds(), Rgb(255, 255, 255));
    TextStyle style;
    dc.Text(caption, {0, 0, 60, 40}, style);
    int top = 40, bottom = -1, right = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            if (dc.PixelAt(x, y) != Rgb(255, 255, 255)) {
                top = std::min(top, y), bottom = std::max(bottom, y), right = std::max(right, x);
                EXPECT_EQ(dc.PixelAt(x, y), 0) << "no grey smoothing at " << x << "," << y;
            }
    ASSERT_GE(bottom, 0) << "something was drawn";
    EXPECT_LT(bottom - top, whole.height) << "one line only";
    EXPECT_GT(top, 2) << "centred vertically";
}

TEST(PainterDrawContextDevice, DrawsIntoAnyQImageAndReadsItBack) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        PainterDrawContext dc(&image);
        ASSERT_TRUE(dc.IsActive());
        dc.Line(Pen::Blue, 0, 3, 4, 3);
        EXPECT_EQ(dc.PixelAt(3, 3), Rgb(0, 0, 255));
    }
    EXPECT_EQ(image.pixel(0, 3), qRgb(0, 0, 255));
    Surface empty;
    PainterDrawContext nothing(empty);
    EXPECT_FALSE(nothing.IsActive());
    nothing.Line(Pen::Red, 0, 0, 3, 3);  // harmless
    EXPECT_EQ(nothing.PixelAt(0, 0), kNoColour);
}

}  // namespace
}  // namespace vantrel
