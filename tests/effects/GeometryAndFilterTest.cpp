#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "EffectTestSupport.h"
#include "effects/Pixels.h"

namespace vantrel {
namespace {

using test::Apply;
using test::Filled;
using test::Random;
using test::Rgba;
using test::Set;

TEST(Mirror, FivePixelRowSwapsAroundTheMiddleColumn) {
    const Surface picture = Random(5, 3, 11);
    const Surface out = Apply(*test::Video(300), picture);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(out.At(x, y), picture.At(4 - x, y));
    const Surface flipped = Apply(*test::Video(301), picture);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(flipped.At(x, y), picture.At(x, 2 - y));
}

// The quarter turns move every pixel exactly; the rest of the rectangle
// (what no source pixel reaches) is transparent black.
TEST(Rotator, QuarterTurnsMovePixelsExactly) {
    struct Case {
        double angle, rotations;
        int quarters;  // quarter turns, with the pivot at (2, 2) of a 5 x 5 picture
    } cases[] = {{0, 0, 0}, {360, 0, 0}, {0, 3, 0}, {90, 0, 1}, {-270, 0, 1}, {180, 0, 2}, {270, 0, 3}, {-90, 1, 3}};
    const Surface picture = Random(5, 5, 5);
    for (const Case& c : cases) {
        auto rotator = test::Video(266);
        Set(*rotator, 267, c.angle);
        Set(*rotator, 268, c.rotations);
        const Surface out = Apply(*rotator, picture);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) {
                // Each quarter turn takes (x, y) from (2 + (2 - y), 2 + (x - 2)).
                int sx = x, sy = y;
                for (int q = 0; q < c.quarters; ++q) {
                    const int u = sx - 2, v = 2 - sy;
                    sx = 2 + v;
                    sy = 2 + u;
                }
                ASSERT_EQ(out.At(x, y), picture.At(sx, sy)) << c.angle << "+" << c.rotations << " at " << x << "," << y;
            }
    }
}

TEST(Rotator, PixelsRotatedOutOfTheRectangleBecomeTransparentBlack) {
    auto rotator = test::Video(266);
    Set(*rotator, 267, 90);
    const Surface out = Apply(*rotator, Filled(6, 2, Rgba(200, 1, 1)));
    int cleared = 0;
    for (int x = 0; x < 6; ++x) cleared += out.At(x, 0) == 0;
    EXPECT_GT(cleared, 0);
    for (int x = 0; x < 6; ++x) EXPECT_TRUE(out.At(x, 0) == 0 || out.At(x, 0) == Rgba(200, 1, 1));
}

// At angle 0 the rectangle is copied as it is and everything around it is
// cleared, whatever the pivot; the pivot counts from the rectangle's corner.
TEST(Rotator, OnlyTheRectangleKeepsAPictureTheRestOfTheSurfaceIsCleared) {
    const Surface picture = Random(9, 7, 21);
    const Rect rect{2, 1, 7, 5};
    for (double centre : {0.5, 0.0, 1.0}) {
        auto rotator = test::Video(266);
        Set(*rotator, 269, centre);
        Set(*rotator, 270, centre);
        const Surface out = Apply(*rotator, picture, rect);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x)
                ASSERT_EQ(out.At(x, y), rect.Contains(x, y) ? picture.At(x, y) : Pixel(0))
                    << centre << " at " << x << "," << y;
    }
    // A half turn about the rectangle's middle (4, 3) of the rectangle
    // 2..7 x 1..5: (x, y) takes (8 - x, 6 - y) where that lies inside.
    auto rotator = test::Video(266);
    Set(*rotator, 267, 180);
    Set(*rotator, 269, 0.5);
    Set(*rotator, 270, 0.5);
    const Surface out = Apply(*rotator, picture, rect);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const int sx = 8 - x, sy = 6 - y;
            const Pixel want = rect.Contains(x, y) && rect.Contains(sx, sy) ? picture.At(sx, sy) : Pixel(0);
            ASSERT_EQ(out.At(x, y), want) << x << "," << y;
        }
}

TEST(SquareRoot, ZeroDistortionCopiesAndOversizedRectanglesAreRefused) {
    const Surface picture = Random(7, 6, 2);
    const Surface out = Apply(*test::Video(297), picture);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(out.At(x, y), picture.At(x, y));
    Surface wide = Random(1025, 2, 3), copy = wide;
    EXPECT_EQ(test::Video(297)->Process(wide, copy, wide.Bounds()), 0);
    // Full distortion still reads inside the rectangle.
    auto distort = test::Video(297);
    Set(*distort, 298, 1);
    Set(*distort, 299, -1);
    Apply(*distort, picture, {1, 1, 6, 5});
}

TEST(BlendLoop, VerticalRowZeroTakesRowFiftyScaled) {
    Surface picture(3, 100);
    for (int y = 0; y < 100; ++y) picture.Fill({0, y, 3, y + 1}, Rgba(y * 2, 255 - y, 100, y));
    const Surface out = Apply(*test::Video(440), picture);
    const Pixel row50 = picture.At(0, 50);
    EXPECT_EQ(out.At(1, 0), Rgba(PixelRed(row50) * 255 >> 8, PixelGreen(row50) * 255 >> 8,
                                 PixelBlue(row50) * 255 >> 8, PixelAlpha(picture.At(0, 0))));
    // At the middle the row takes itself (weight 0), scaled the same way.
    const Pixel own = picture.At(1, 50);
    EXPECT_EQ(out.At(1, 50), Rgba(PixelRed(own) * 255 >> 8, PixelGreen(own) * 255 >> 8, PixelBlue(own) * 255 >> 8,
                                  PixelAlpha(own)));
}

// The loop counts rows from the surface's top, not the rectangle's: with
// rows 7 .. 16 and displacement 3, row y takes row 7 + (3 + y) mod 10.
TEST(BlendLoop, RowsOfARectangleFurtherDownLoopFromTheSurfaceEdge) {
    const Surface picture = Random(2, 30, 21);
    auto loop = test::Video(440);
    Set(*loop, 441, 0.3);  // s = 3
    const Surface out = Apply(*loop, picture, {0, 7, 2, 17});
    // Row 12: r1 = 7 + 15 mod 10 = 12, r2 = 7 + 20 mod 10 = 7, w = |12 - 12| * 255 / 5 = 0.
    EXPECT_EQ(out.At(1, 12), MixColour(picture.At(1, 12), picture.At(1, 7), 0));
    // Row 16: r1 = 7 + 19 mod 10 = 16, r2 = 7 + 24 mod 10 = 11, w = 4 * 255 / 5 = 204.
    EXPECT_EQ(out.At(0, 16), MixColour(picture.At(0, 16), picture.At(0, 11), 204));
    EXPECT_EQ(out.At(0, 6), picture.At(0, 6));
    EXPECT_EQ(out.At(0, 17), picture.At(0, 17));
}

TEST(BlendLoop, HorizontalMatchesVerticalOnATransposedPicture) {
    Surface tall = Random(4, 16, 9), wide(16, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 4; ++x) wide.At(y, x) = tall.At(x, y);
    auto v = test::Video(440), h = test::Video(439);
    Set(*v, 441, 0.3);
    Set(*h, 441, 0.3);
    const Surface a = Apply(*v, tall), b = Apply(*h, wide);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(a.At(x, y), b.At(y, x));
    // Too short to loop: unchanged.
    const Surface thin = Random(1, 5, 1);
    EXPECT_EQ(Apply(*h, thin).At(0, 3), thin.At(0, 3));
}

TEST(RotateAxis, DefaultsCopyThePicture) {
    const Surface picture = Random(8, 6, 4);
    for (int type : {443, 449}) {
        const Surface out = Apply(*test::Video(type), picture);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(out.At(x, y), picture.At(x, y)) << type;
    }
    // Frequency 2 repeats the picture twice across.
    auto twice = test::Video(443);
    Set(*twice, 448, 2);
    Set(*twice, 455, 2);
    const Surface out = Apply(*twice, picture);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(out.At(x, 0), out.At(x + 4, 0));
}

// Uneven ends on a rectangle away from the origin: each row (Rotate X) or
// column (Rotate Y) picks its source line from the mean frequency and spreads
// the other way by the frequency and position interpolated between the ends.
TEST(RotateAxis, UnevenEndsFollowTheInterpolatedFrequencyAndPosition) {
    const Surface picture = Random(16, 14, 8);
    const Rect r{2, 1, 13, 12};
    const int w = r.Width(), h = r.Height();
    const double nearPos = 0.3, nearFreq = 1.7, farPos = -0.8, farFreq = 0.6, af = (nearFreq + farFreq) / 2;
    auto wrap = [](long v, int n) { return int(((v % n) + n) % n); };
    struct Ids {
        int type, nearPos, nearFreq, farPos, farFreq;
    };
    for (const Ids ids : {Ids{443, 445, 448, 447, 455}, Ids{449, 451, 454, 453, 456}}) {
        auto effect = test::Video(ids.type);
        Set(*effect, ids.nearPos, nearPos);
        Set(*effect, ids.nearFreq, nearFreq);
        Set(*effect, ids.farPos, farPos);
        Set(*effect, ids.farFreq, farFreq);
        const Surface out = Apply(*effect, picture, r);
        const bool alongX = ids.type == 443;
        const int lines = alongX ? h : w, span = alongX ? w : h;
        for (int l = 0; l < lines; ++l) {
            const int line = wrap(long(af * l) + lines / 2 - long(lines * af / 2) + 1000L * lines, lines);
            const double pos = (l * farPos + (lines - l) * nearPos) / lines;
            const double freq = (l * farFreq + (lines - l) * nearFreq) / lines;
            const long offset = span / 2 - long(span * freq / 2) - long(span * pos / 2) + 1000L * span;
            for (int i = 0; i < span; ++i) {
                const int from = wrap(long(i * freq) + offset, span);
                const Pixel want = alongX ? picture.At(r.left + from, r.top + line) : picture.At(r.left + line, r.top + from);
                const Pixel got = alongX ? out.At(r.left + i, r.top + l) : out.At(r.left + l, r.top + i);
                ASSERT_EQ(got, want) << ids.type << " line " << l << " at " << i;
            }
        }
    }
}

TEST(Bubble, SqueezesRowsIntoAnEllipseOnATransparentGround) {
    auto bubble = test::Video(419);
    Set(*bubble, 38, 1);
    const Surface picture = Random(10, 10, 6);
    const Surface out = Apply(*bubble, picture);
    EXPECT_EQ(out.At(0, 0), Rgba(255, 0, 0, 0));  // corner: ground colour, transparent
    EXPECT_EQ(out.At(5, 5), picture.At(5, 5) | 0xFF000000u);
    EXPECT_EQ(out.At(0, 5), picture.At(0, 5) | 0xFF000000u);  // the middle row keeps its full width
}

// The straightforward window sums the filters must agree with.
Pixel ReferenceBlur(const Surface& s, const Rect& r, int x, int y, int n, int level) {
    int sum[3] = {0, 0, 0};
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const Pixel p = s.At(std::clamp(x - n / 2 + i, r.left, r.right - 1), std::clamp(y - n / 2 + j, r.top, r.bottom - 1));
            sum[0] += PixelBlue(p), sum[1] += PixelGreen(p), sum[2] += PixelRed(p);
        }
    const Pixel old = s.At(x, y);
    auto mix = [&](int g, int o) { return (g / (n * n) * level + o * (255 - level)) >> 8; };
    return MakePixel(mix(sum[0], PixelBlue(old)), mix(sum[1], PixelGreen(old)), mix(sum[2], PixelRed(old)), PixelAlpha(old));
}

Pixel ReferenceEdge(const Surface& s, const Rect& r, int x, int y, int n, int level) {
    const int c = n / 2;
    int edge = 0;
    for (int ch = 0; ch < 3; ++ch) {
        long sums[8] = {};
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col) {
                const Pixel p = s.At(std::clamp(x - c + col, r.left, r.right - 1), std::clamp(y - c + row, r.top, r.bottom - 1));
                const int v = int((p >> (8 * ch)) & 255);
                if (row <= c) sums[0] += v;
                if (row >= c) sums[1] += v;
                if (col <= c) sums[2] += v;
                if (col >= c) sums[3] += v;
                if (row >= col) sums[4] += v;
                if (col >= row) sums[5] += v;
                if (row >= n - col - 1) sums[6] += v;
                if (row <= n - col - 1) sums[7] += v;
            }
        if (ch != 2) edge += int(std::labs(sums[0] - sums[1]));
        edge += int(std::labs(sums[2] - sums[3]) + std::labs(sums[4] - sums[5]) + std::labs(sums[6] - sums[7]));
    }
    const int g = std::min(edge / (n * n), 255);
    const Pixel old = s.At(x, y);
    auto mix = [&](int o) { return (g * level + o * (255 - level)) >> 8; };
    return MakePixel(mix(PixelBlue(old)), mix(PixelGreen(old)), mix(PixelRed(old)), PixelAlpha(old));
}

struct FilterCase {
    int type;
    double size, level;
};
class MatrixFilterCases : public ::testing::TestWithParam<FilterCase> {};

TEST_P(MatrixFilterCases, SlidingWindowAgreesWithTheFullWindowSum) {
    const FilterCase& c = GetParam();
    auto effect = test::Video(c.type);
    Set(*effect, 73, c.size);
    Set(*effect, 74, c.level);
    Surface picture = Random(23, 17, 8);
    for (int x = 0; x < 23; ++x) picture.At(x, 5) &= 0x00FFFFFF;  // transparent pixels stay as they are
    const Rect rect{2, 1, 21, 16};
    const Surface out = Apply(*effect, picture, rect);
    const int n = std::max(int(c.size) | 1, 3), level = ToByte(c.level);
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            Pixel expected = picture.At(x, y);
            if (PixelAlpha(expected) != 0 && level != 0)
                expected = c.type == 149 ? ReferenceBlur(picture, rect, x, y, n, level)
                                         : ReferenceEdge(picture, rect, x, y, n, level);
            ASSERT_EQ(out.At(x, y), expected) << c.type << " n " << n << " at " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Filters, MatrixFilterCases,
                         ::testing::Values(FilterCase{149, 3, 1}, FilterCase{149, 4, 0.6}, FilterCase{149, 9, 1},
                                           FilterCase{149, 32, 1}, FilterCase{149, 5, 0}, FilterCase{72, 3, 1},
                                           FilterCase{72, 4, 0.5}, FilterCase{72, 11, 1}, FilterCase{72, 32, 1},
                                           FilterCase{72, 7, 0}));

TEST(Blur, MatrixSizeFourReachesTwoPixelsAway) {
    Surface picture = Filled(9, 9, Rgba(0, 0, 0));
    picture.At(6, 4) = Rgba(250, 250, 250);
    EXPECT_EQ(PixelRed(Apply(*test::Video(149), picture).At(4, 4)), 0);  // size 3
    auto wide = test::Video(149);
    Set(*wide, 73, 4);
    EXPECT_EQ(PixelRed(Apply(*wide, picture).At(4, 4)), (250 / 25 * 255) >> 8);
}

TEST(KeySmoother, LevelZeroMakesMoreThanHalfCoveredPixelsOpaque) {
    // Left columns opaque, right ones half transparent; level 0: hard edge.
    Surface picture(6, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) picture.At(x, y) = Rgba(5, 5, 5, x < 3 ? 255 : 1);
    auto smoother = test::Video(78);
    Set(*smoother, 74, 0);
    const Surface out = Apply(*smoother, picture);
    // Window of (2, 1): columns 1..3 -> 6 x 255 + 3 x 1 > 9 * 255 / 2.
    EXPECT_EQ(PixelAlpha(out.At(2, 1)), 255);
    EXPECT_EQ(PixelAlpha(out.At(3, 1)), 0);  // columns 2..4: 3 x 255 + 6 x 1
    EXPECT_EQ(PixelAlpha(out.At(0, 0)), 255);
    EXPECT_EQ(out.At(0, 0) & 0xFFFFFF, picture.At(0, 0) & 0xFFFFFF);
    // Level 1 ramps: (a - e) * 255 / (f - e).
    Set(*smoother, 74, 1);
    const int e = 9 * 255 / 2, a = 6 * 255 + 3;
    EXPECT_EQ(PixelAlpha(Apply(*smoother, picture).At(2, 1)), (a - e) * 255 / (2 * e - e));
}

TEST(FrameStyle, LargestSizeIsLimitedToAThirdOfTheHeight) {
    auto frame = test::Video(679);
    Set(*frame, 685, 0.25);
    const Surface out = Apply(*frame, Filled(90, 60, Rgba(1, 2, 3, 4)));
    const Pixel colour = Rgba(127, 127, 127, 255);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(out.At(45, i), i < 20 ? colour : Rgba(1, 2, 3, 4)) << i;
    EXPECT_EQ(out.At(19, 30), colour);
    EXPECT_EQ(out.At(20, 30), Rgba(1, 2, 3, 4));
}

TEST(FrameStyle, ShadingDarkensTopLeftAndLightensBottomRightColumnsOwnLowerCorners) {
    auto frame = test::Video(679);
    Set(*frame, 685, 0.05);  // (10 + 10) * 0.05 = 1 ring
    Set(*frame, 686, 1);
    const Surface out = Apply(*frame, Filled(10, 10, 0));
    const Pixel dark = Rgba(0, 0, 0, 255), light = Rgba(255 * 255 >> 8, 255 * 255 >> 8, 255 * 255 >> 8, 255);
    const int grey = (127 * 0) >> 8;
    EXPECT_EQ(out.At(5, 0), Rgba(grey, grey, grey, 255));
    EXPECT_EQ(out.At(5, 0), dark);
    EXPECT_EQ(out.At(5, 9), light);
    EXPECT_EQ(out.At(0, 9), dark);   // lower left corner belongs to the left column
    EXPECT_EQ(out.At(9, 0), dark);   // upper right corner belongs to the top row
    EXPECT_EQ(out.At(9, 9), light);
    EXPECT_EQ(out.At(5, 5), 0u);
}

TEST(SinkShadow, OutermostRowAndColumnBlackFadingInward) {
    auto shadow = test::Video(676);
    Set(*shadow, 678, 0.2);  // (10 + 10) * 0.2 = 4
    const Surface out = Apply(*shadow, Filled(10, 10, Rgba(200, 200, 200, 99)));
    EXPECT_EQ(out.At(5, 0), Rgba(0, 0, 0, 99));
    EXPECT_EQ(out.At(0, 5), Rgba(0, 0, 0, 99));
    EXPECT_EQ(PixelRed(out.At(5, 2)), (200 * (2 * 256 / 4)) >> 8);
    EXPECT_EQ(out.At(5, 5), Rgba(200, 200, 200, 99));
    Set(*shadow, 678, 0);
    Surface a = Filled(3, 3, 7), b = a;
    EXPECT_EQ(shadow->Process(a, b, a.Bounds()), 0);
}

TEST(Wipe, ProgressMovesASoftEdgeAcross) {
    auto wipe = test::Video(282);
    const Surface half = Apply(*wipe, Filled(64, 2, Rgba(9, 9, 9, 255)));
    // Angle 0, progress 0: t = k (cx - x) 2 / W with k = 0.3 * 64.
    for (int x : {0, 20, 31, 32, 40, 63}) {
        const double t = 0.3 * 64 * (32 - x) * 2 / 64;
        EXPECT_EQ(PixelAlpha(half.At(x, 0)), std::min(255, ToByte(t))) << x;
    }
    // A slanted edge on a rectangle away from the origin.
    Set(*wipe, 283, 30);
    Set(*wipe, 276, 0.2);
    Set(*wipe, 277, 0.8);
    const Surface picture = Random(40, 30, 6);
    const Rect r{5, 3, 37, 27};
    const Surface slanted = Apply(*wipe, picture, r);
    const double a = 30 * (-M_PI / 180), k = (1 - 0.8) * 64;
    const int cx = r.left + r.Width() / 2 + int(r.Width() * std::cos(a) * 0.2);
    const int cy = r.top + r.Height() / 2 + int(0.2 * (r.Height() * std::sin(a)));
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const double t = std::sin(a) * k * (cy - y) * 2 / r.Height() + k * std::cos(a) * (cx - x) * 2 / r.Width();
            const int alpha = std::min<int>(PixelAlpha(picture.At(x, y)), ToByte(t));
            ASSERT_EQ(slanted.At(x, y), WithAlpha(picture.At(x, y), alpha)) << x << "," << y;
        }
    Set(*wipe, 283, 0);
    Set(*wipe, 277, 0.7);
    Set(*wipe, 276, -1);
    const Surface gone = Apply(*wipe, Filled(64, 2, Rgba(9, 9, 9, 255)));
    EXPECT_EQ(PixelAlpha(gone.At(0, 0)), 0);
}

}  // namespace
}  // namespace vantrel
