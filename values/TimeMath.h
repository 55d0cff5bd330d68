#pragma once
#include <cstdint>
#include <limits>

namespace vantrel {

// Times and track numbers arrive from project files and scripts as any
// int32 at all. Every sum or difference of them is worked out in 64 bits and
// saturated to the int32 range: a clip pushed past the end of time stays at
// the end of time instead of wrapping round to the beginning.
constexpr std::int32_t SaturateInt32(std::int64_t value) {
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value < low ? low : value > high ? high : value);
}

constexpr std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b) {
    return SaturateInt32(std::int64_t(a) + b);
}

constexpr std::int32_t SaturatingSub(std::int32_t a, std::int32_t b) {
    return SaturateInt32(std::int64_t(a) - b);
}

// parent - position + offset, the local time of an item.
constexpr std::int32_t LocalTime(std::int32_t parentTime, std::int32_t position, std::int32_t offset) {
    return SaturateInt32(std::int64_t(parentTime) - position + offset);
}

}  // namespace vantrel
