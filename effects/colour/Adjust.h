#pragma once
#include "effects/Effect.h"
#include "effects/Pixels.h"

namespace vantrel {

// The colour adjustment shared by "Adjuster" and the masked adjusters.
struct Adjustment {
    int red = 0, green = 0, blue = 0, opacity = 0;  // offsets -255 .. 255
    int grey = 0;                                    // 255 - saturation byte

    static Adjustment Read(Effect& values);
    // Offsets, then the pull toward grey when the saturation is lowered;
    // alpha is kept.
    Pixel Colour(Pixel p) const {
        int r = ClampByte(PixelRed(p) + red);
        int g = ClampByte(PixelGreen(p) + green);
        int b = ClampByte(PixelBlue(p) + blue);
        if (grey > 1) {
            const int luma = (r + 2 * g + b) >> 2;
            const int keep = 255 - grey;
            r = (luma * grey + r * keep) >> 8;
            g = (luma * grey + g * keep) >> 8;
            b = (luma * grey + b * keep) >> 8;
        }
        return MakePixel(b, g, r, PixelAlpha(p));
    }
};

}  // namespace vantrel
