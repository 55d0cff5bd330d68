#include <gtest/gtest.h>

#include "values/Surface.h"

namespace vantrel {
namespace {

TEST(SurfaceTest, BytesAreBlueGreenRedAlpha) {
    Surface s(3, 2);
    s.At(1, 0) = MakePixel(1, 2, 3, 4);
    const std::uint8_t* b = s.Bytes() + 4;
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b[1], 2);
    EXPECT_EQ(b[2], 3);
    EXPECT_EQ(b[3], 4);
}

TEST(SurfaceTest, RefusesHostileSizes) {
    Surface s;
    EXPECT_FALSE(s.Allocate(0, 10));
    EXPECT_FALSE(s.Allocate(100000, 100000));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(SurfaceTest, FillAndCopyClipToBothSurfaces) {
    Surface a(4, 4), b(4, 4);
    a.Fill({-2, -2, 2, 2}, 7);
    EXPECT_EQ(a.At(1, 1), 7u);
    EXPECT_EQ(a.At(2, 2), 0u);
    b.CopyFrom(a, {0, 0, 4, 4}, 3, 3);
    EXPECT_EQ(b.At(3, 3), 7u);
    b.CopyFrom(a, {0, 0, 4, 4}, -1, -1);
    EXPECT_EQ(b.At(0, 0), 7u);
    EXPECT_EQ(b.At(1, 1), 0u);
}

TEST(SurfaceTest, StretchDoublesByNearestNeighbour) {
    Surface a(2, 1), b(4, 2);
    a.At(0, 0) = 1;
    a.At(1, 0) = 2;
    b.StretchFrom(a, a.Bounds(), b.Bounds());
    EXPECT_EQ(b.At(0, 1), 1u);
    EXPECT_EQ(b.At(1, 1), 1u);
    EXPECT_EQ(b.At(2, 0), 2u);
    EXPECT_EQ(b.At(3, 1), 2u);
}

}  // namespace
}  // namespace vantrel
