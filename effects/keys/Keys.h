#pragma once
#include "effects/Effect.h"

namespace vantrel {

// The tests a key or mask applies; the colour keys key out matching pixels
// unless inverted, the masks keep the inside unless inverted.
enum class KeyTest { kRgb, kChroma, kBrightness, kGreen, kRed, kBlue, kCircle, kOval, kRectangle };
struct KeyMode {
    KeyTest test;
    bool inverted;
};

// Runs the key over the rectangle of the surface (already inside it) with
// the owner's values at its current time: sets alpha to 0, or lowers it in
// a mask's soft band. Pixels already transparent are left alone.
void RunKey(Effect& values, KeyMode mode, Surface& surface, const Rect& rect);

// The RGB and chroma keys pick their colour on the panel.
constexpr bool PicksKeyColour(KeyTest test) { return test == KeyTest::kRgb || test == KeyTest::kChroma; }

}  // namespace vantrel
