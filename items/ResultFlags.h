#pragma once
#include <cstdint>

namespace vantrel {

// Travels back up the tree from every input, command and finishing call.
// Bits not named here pass through unchanged.
using ResultFlags = std::uint32_t;
constexpr ResultFlags kCaptureMe = 0x01;
constexpr ResultFlags kReleaseMe = 0x02;
constexpr ResultFlags kChanged = 0x10;
constexpr ResultFlags kRelayout = 0x40;
constexpr ResultFlags kRepaint = 0x80;
constexpr ResultFlags kResetPanes = 0x200;

}  // namespace vantrel
