#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>

#include "values/Surface.h"
#include "effects/EffectRegistry.h"

namespace vantrel::test {

inline std::unique_ptr<VideoEffect> Video(int type) {
    auto effect = CreateVideoEffect(type);
    EXPECT_NE(effect, nullptr) << type;
    return effect;
}

// Sets a value at the effect's current time; fails the test for a name the
// effect does not declare.
inline void Set(Effect& effect, int stringId, double value) {
    ASSERT_NE(effect.Table().ById(stringId), nullptr) << "effect " << effect.GetId() << " lacks " << stringId;
    effect.SetValueNow(stringId, value);
}

inline Surface Filled(int w, int h, Pixel p) {
    Surface s(w, h);
    s.Fill(s.Bounds(), p);
    return s;
}

inline Surface Random(int w, int h, unsigned seed) {
    Surface s(w, h);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.At(x, y) = Pixel(random());
    return s;
}

// Runs the effect the way the composition does: both surfaces start with
// the same picture; answers the destination.
inline Surface Apply(VideoEffect& effect, const Surface& picture, Rect rect = {}) {
    if (rect.IsEmpty()) rect = picture.Bounds();
    Surface source = picture, destination = picture;
    effect.Process(source, destination, rect);
    return destination;
}

inline Pixel Bgra(int b, int g, int r, int a = 255) { return MakePixel(b, g, r, a); }
inline Pixel Rgba(int r, int g, int b, int a = 255) { return MakePixel(b, g, r, a); }

}  // namespace vantrel::test
