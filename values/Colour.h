#pragma once
#include <cstdint>

namespace vantrel {

// Packed red + 256 * green + 65536 * blue; -1 means none or inherited.
using Colour = std::int32_t;
constexpr Colour kNoColour = -1;

constexpr Colour Rgb(int r, int g, int b) { return (r & 255) | ((g & 255) << 8) | ((b & 255) << 16); }
constexpr int RedOf(Colour c) { return c & 255; }
constexpr int GreenOf(Colour c) { return (c >> 8) & 255; }
constexpr int BlueOf(Colour c) { return (c >> 16) & 255; }

}  // namespace vantrel
