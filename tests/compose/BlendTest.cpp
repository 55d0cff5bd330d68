#include <gtest/gtest.h>

#include <algorithm>

#include "compose/Blend.h"

namespace vantrel {
namespace {

Surface Filled(int w, int h, Pixel p) {
    Surface s(w, h);
    s.Fill(s.Bounds(), p);
    return s;
}

TEST(Blend, OpaqueOverBlackLosesOneStepToTheShift) {
    const Surface white = Filled(4, 4, MakePixel(255, 255, 255, 255));
    Surface black(4, 4);
    BlendScaled(white, white.Bounds(), black, black.Bounds(), true);
    // (255 * 255 + 0 * 0) >> 8 in every byte, alpha included.
    EXPECT_EQ(black.At(0, 0), MakePixel(254, 254, 254, 254));
    EXPECT_EQ(black.At(3, 3), MakePixel(254, 254, 254, 254));
}

TEST(Blend, HalfAlphaMixesEveryByteWithTheShift) {
    const Surface source = Filled(2, 2, MakePixel(200, 100, 0, 128));
    Surface dest = Filled(2, 2, MakePixel(0, 50, 255, 255));
    BlendScaled(source, source.Bounds(), dest, dest.Bounds(), true);
    const auto mix = [](int s, int d, int a) { return (s * a + d * (255 - a)) >> 8; };
    EXPECT_EQ(dest.At(1, 1), MakePixel(mix(200, 0, 128), mix(100, 50, 128), mix(0, 255, 128), mix(128, 255, 128)));
}

TEST(Blend, RectanglesOnePixelWideOrTallDrawNothing) {
    const Surface source = Filled(8, 8, MakePixel(255, 0, 0, 255));
    const Rect cases[][2] = {
        {{0, 0, 8, 8}, {2, 0, 3, 8}},  // destination 1 pixel wide
        {{0, 0, 8, 8}, {0, 2, 8, 3}},  // destination 1 pixel tall
        {{3, 0, 4, 8}, {0, 0, 8, 8}},  // source 1 pixel wide
        {{0, 0, 8, 8}, {5, 5, 5, 8}},  // empty
    };
    for (const auto& c : cases) {
        Surface dest(8, 8);
        BlendScaled(source, c[0], dest, c[1], true);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) ASSERT_EQ(dest.At(x, y), 0u) << c[1].left << "," << c[1].top;
    }
}

TEST(Blend, NearestNeighbourPicksTheLowerSourcePixel) {
    Surface source(4, 1 + 1);
    for (int x = 0; x < 4; ++x) source.At(x, 0) = source.At(x, 1) = MakePixel(x * 10, 0, 0, 255);
    Surface dest(8, 2);
    BlendScaled(source, source.Bounds(), dest, dest.Bounds(), false);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(PixelBlue(dest.At(x, 0)), (x / 2) * 10) << x;
    Surface small(2, 2);
    BlendScaled(source, source.Bounds(), small, small.Bounds(), false);
    EXPECT_EQ(PixelBlue(small.At(0, 0)), 0);
    EXPECT_EQ(PixelBlue(small.At(1, 0)), 20);
}

TEST(Blend, AddedAlphaActsLikeAnOpacityCopyWithoutTouchingThePicture) {
    const Surface picture = Filled(4, 4, MakePixel(10, 20, 30, 0));
    Surface copy = picture;
    AddAlpha(copy, OpacityStep(0.5));
    Surface viaCopy = Filled(4, 4, MakePixel(200, 200, 200, 255));
    Surface viaAdd = viaCopy;
    BlendScaled(copy, copy.Bounds(), viaCopy, viaCopy.Bounds(), true);
    BlendScaled(picture, picture.Bounds(), viaAdd, viaAdd.Bounds(), true, OpacityStep(0.5));
    EXPECT_EQ(viaAdd.At(2, 2), viaCopy.At(2, 2));
    EXPECT_EQ(PixelAlpha(picture.At(0, 0)), 0);
}

// Every byte of every pixel, against the formula written out one pixel at a
// time: random colours and alphas, added alphas past both ends, rows copied
// one to one, shrunk and stretched, rectangles off the picture's edges, and
// widths that leave a tail of fewer than four pixels.
TEST(Blend, EveryPixelFollowsTheFormulaWhateverTheScaleAndAddedAlpha) {
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    Surface source(37, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) source.At(x, y) = next();
    const Rect cases[][2] = {
        {{0, 0, 37, 23}, {0, 0, 37, 23}},   // one to one
        {{3, 2, 36, 21}, {1, 4, 34, 23}},   // one to one, offset
        {{0, 0, 37, 23}, {2, 1, 21, 15}},   // shrunk
        {{5, 5, 16, 14}, {0, 0, 41, 29}},   // stretched
        {{0, 0, 37, 23}, {-7, -3, 30, 20}}, // off the left and top edges
        {{30, 0, 40, 23}, {0, 0, 13, 9}},   // source reaching past its picture
    };
    for (const int add : {0, 192, 256, -100, -300, 400})
        for (const auto& c : cases) {
            Surface dest(41, 29);
            for (int y = 0; y < 29; ++y)
                for (int x = 0; x < 41; ++x) dest.At(x, y) = next();
            Surface want = dest;
            const Rect& s = c[0];
            const Rect& d = c[1];
            for (int y = std::max(d.top, 0); y < std::min(d.bottom, 29); ++y) {
                const int sy = s.top + (y - d.top) * s.Height() / d.Height();
                if (sy >= s.bottom || sy >= 23) continue;
                for (int x = std::max(d.left, 0); x < std::min(d.right, 41); ++x) {
                    const int sx = s.left + (x - d.left) * s.Width() / d.Width();
                    if (sx >= 37 || sx >= s.right) continue;
                    const Pixel p = source.At(sx, sy), q = want.At(x, y);
                    const int a = std::clamp(int(p >> 24) + add, 0, 255);
                    Pixel out = 0;
                    for (int k = 0; k < 4; ++k) {
                        const int sb = k == 3 ? a : int((p >> (8 * k)) & 255), db = int((q >> (8 * k)) & 255);
                        out |= Pixel((sb * a + db * (255 - a)) >> 8) << (8 * k);
                    }
                    want.At(x, y) = out;
                }
            }
            BlendScaled(source, s, dest, d, true, add);
            for (int y = 0; y < 29; ++y)
                for (int x = 0; x < 41; ++x)
                    ASSERT_EQ(dest.At(x, y), want.At(x, y)) << "add " << add << " case " << (&c - cases) << " at "
                                                            << x << "," << y;
        }
}

TEST(Blend, OpacityStepTruncatesAndClamps) {
    const struct {
        double v;
        int d;
    } steps[] = {{1, 256}, {0.75, 192}, {0.5, 128}, {0.001, 0}, {-1, -256}, {-0.25, -64}};
    for (const auto& s : steps) EXPECT_EQ(OpacityStep(s.v), s.d) << s.v;
    Surface s = Filled(1, 1, MakePixel(1, 2, 3, 100));
    AddAlpha(s, 256);
    EXPECT_EQ(s.At(0, 0), MakePixel(1, 2, 3, 255));
    AddAlpha(s, -300);
    EXPECT_EQ(s.At(0, 0), MakePixel(1, 2, 3, 0));
}

TEST(ClipAndCut, CutsTheOtherRectangleInProportion) {
    const struct {
        Fractions source, destination;
        bool drawn;
        Fractions wantSource, wantDestination;
    } cases[] = {
        // destination a quarter out on the left: the left quarter of the source goes
        {{0, 0, 1, 1}, {-0.25, 0, 0.75, 1}, true, {0.25, 0, 1, 1}, {0, 0, 0.75, 1}},
        // destination out at the bottom by half its height
        {{0, 0, 1, 1}, {0, 0.5, 1, 1.5}, true, {0, 0, 1, 0.5}, {0, 0.5, 1, 1}},
        // source beyond the picture on the right: destination cut
        {{0.5, 0, 1.5, 1}, {0, 0, 1, 1}, true, {0.5, 0, 1, 1}, {0, 0, 0.5, 1}},
        // a source rectangle with a negative top cuts the destination top
        {{0, -1, 1, 1}, {0, 0, 1, 1}, true, {0, 0, 1, 1}, {0, 0.5, 1, 1}},
        {{0, 0, 1, 1}, {2, 0, 3, 1}, false, {}, {}},    // wholly outside
        {{0.5, 0, 0.5, 1}, {0, 0, 1, 1}, false, {}, {}}, // empty source
        {{0, 0, 1, 1}, {0.6, 0, 0.4, 1}, false, {}, {}}, // inverted destination
    };
    for (const auto& c : cases) {
        Fractions s = c.source, d = c.destination;
        ASSERT_EQ(ClipAndCut(s, d), c.drawn) << c.destination.left << " " << c.source.left;
        if (!c.drawn) continue;
        EXPECT_NEAR(s.left, c.wantSource.left, 1e-9);
        EXPECT_NEAR(s.top, c.wantSource.top, 1e-9);
        EXPECT_NEAR(s.right, c.wantSource.right, 1e-9);
        EXPECT_NEAR(s.bottom, c.wantSource.bottom, 1e-9);
        EXPECT_NEAR(d.left, c.wantDestination.left, 1e-9);
        EXPECT_NEAR(d.top, c.wantDestination.top, 1e-9);
        EXPECT_NEAR(d.right, c.wantDestination.right, 1e-9);
        EXPECT_NEAR(d.bottom, c.wantDestination.bottom, 1e-9);
    }
}

TEST(Checkerboard, SquaresOfTheSideAlternate) {
    Surface s(40, 40);
    FillCheckerboard(s, s.Bounds(), 4);
    // (x & 16) and (y & 16): exactly one set gives white without alpha.
    EXPECT_EQ(s.At(0, 0), 0u);
    EXPECT_EQ(s.At(16, 0), 0x00FFFFFFu);
    EXPECT_EQ(s.At(0, 16), 0x00FFFFFFu);
    EXPECT_EQ(s.At(16, 16), 0u);
    EXPECT_EQ(s.At(15, 15), 0u);
    EXPECT_EQ(s.At(33, 2), 0u);
}

TEST(FitInto, KeepsTheAspectWhenLargerAndAnchorsAtTheCorner) {
    EXPECT_EQ(FitInto(100, 50, {0, 0, 320, 240}), (Rect{0, 0, 100, 50}));
    EXPECT_EQ(FitInto(640, 240, {0, 0, 320, 240}), (Rect{0, 0, 320, 120}));
    EXPECT_EQ(FitInto(320, 480, {0, 0, 320, 240}), (Rect{0, 0, 160, 240}));
}

}  // namespace
}  // namespace vantrel
