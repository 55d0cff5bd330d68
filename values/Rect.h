#pragma once
#include <algorithm>
#include <cstdint>

namespace vantrel {

struct Point {
    std::int32_t x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Half-open: (x, y) is inside when left <= x < right and top <= y < bottom.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return !(left < right && top < bottom); }
    constexpr bool Contains(std::int32_t x, std::int32_t y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    constexpr bool Contains(Point p) const { return Contains(p.x, p.y); }
    constexpr Rect Inset(std::int32_t n) const { return {left + n, top + n, right - n, bottom - n}; }
    constexpr Rect Offset(std::int32_t dx, std::int32_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect Intersect(const Rect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    // Takes a slice of width w (never wider than what is left) off the left
    // and moves this rectangle's left edge to the slice's right edge.
    constexpr Rect CutFromLeft(std::int32_t w) {
        Rect slice = *this;
        slice.right = std::min(right, left + std::max<std::int32_t>(w, 0));
        left = slice.right;
        return slice;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace vantrel
