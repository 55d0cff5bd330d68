#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "values/RowBands.h"
#include "values/Surface.h"

namespace vantrel {
namespace {

// Every row exactly once, also while another thread cuts its own picture
// into bands at the same time and when a band cuts bands of its own.
TEST(RowBandsTest, EveryRowOnceFromTwoCallersAndFromInsideABand) {
    std::vector<std::atomic<int>> a(1080), b(333);
    std::atomic<int> nestedOutside{0};
    std::thread other([&] {
        for (int round = 0; round < 200; ++round)
            ForRowBands(0, 333, 4096, [&](int top, int bottom) {
                for (int y = top; y < bottom; ++y) ++b[std::size_t(y)];
            });
    });
    for (int round = 0; round < 200; ++round)
        ForRowBands(0, 1080, 1920, [&](int top, int bottom) {
            const std::thread::id self = std::this_thread::get_id();
            ForRowBands(top, bottom, 1920, [&](int innerTop, int innerBottom) {
                if (std::this_thread::get_id() != self) ++nestedOutside;
                for (int y = innerTop; y < innerBottom; ++y) ++a[std::size_t(y)];
            });
        });
    other.join();
    for (const auto& count : a) ASSERT_EQ(count.load(), 200);
    for (const auto& count : b) ASSERT_EQ(count.load(), 200);
    EXPECT_EQ(nestedOutside.load(), 0);

    int calls = 0;
    ForRowBands(5, 5, 1920, [&](int, int) { ++calls; });
    ForRowBands(0, 3, 10, [&](int top, int bottom) {  // too small to share
        ++calls;
        EXPECT_EQ(top, 0);
        EXPECT_EQ(bottom, 3);
    });
    EXPECT_EQ(calls, 1);
}

// A copy up within one surface whose rows overlap keeps its order: banded,
// the upper band would read rows the lower band had already written.
TEST(RowBandsTest, OverlappingCopyWithinOneSurfaceStaysInOrder) {
    Surface s(512, 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) s.At(x, y) = Pixel(y);
    s.CopyFrom(s, {0, 100, 512, 500}, 0, 0);
    for (int y = 0; y < 400; ++y) ASSERT_EQ(s.At(7, y), Pixel(y + 100)) << y;
}

}  // namespace
}  // namespace vantrel
