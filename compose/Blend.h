#pragma once
#include <cstdint>

#include "values/Rect.h"
#include "values/Surface.h"

namespace vantrel {

// A rectangle as fractions of the picture it refers to.
struct Fractions {
    double left = 0, top = 0, right = 1, bottom = 1;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    bool IsUsable() const { return left < right && top < bottom; }
};

// trunc(W * l) ... for a W x H picture.
Rect FractionsToPixels(const Fractions& f, int width, int height);
// Left < right, top < bottom and no edge below 0.
bool IsUsablePixelRect(const Rect& r);

// Clips `source` to the unit square cutting `destination` in proportion, then
// clips `destination` cutting `source`. False when either is empty or
// inverted before or after: nothing is to be drawn.
bool ClipAndCut(Fractions& source, Fractions& destination);

// Nearest-neighbour scaling of the source rectangle onto the destination
// rectangle. With blending every byte becomes (s * a + d * (255 - a)) >> 8,
// a being the source alpha plus alphaAdd limited to 0 ... 255 (the alpha of
// the source pixel is taken as that sum everywhere, as if it had been added
// to a copy of the picture). Without blending the source pixel is copied.
// Nothing is drawn unless both rectangles are wider and taller than 1 pixel.
// Rows and columns outside either surface are left out.
void BlendScaled(const Surface& source, const Rect& sourceRect, Surface& destination, const Rect& destRect,
                 bool blending, int alphaAdd = 0);

// The opacity step: d = trunc(v * 256.1), and when d is not 0 every alpha
// becomes clamp(alpha + d, 0, 255).
int OpacityStep(double value);
void AddAlpha(Surface& surface, int d);
void AddAlpha(Surface& surface, int d, const Rect& rect);
void SetAlpha(Surface& surface, int alpha);
// Copies the pixels of equally sized surfaces with alpha 255.
void CopyOpaque(const Surface& source, Surface& destination);

// Squares of side 2^n (n limited to 0 ... 16): 0x00FFFFFF where exactly one
// of x & side, y & side is non-zero, else 0.
void FillCheckerboard(Surface& surface, const Rect& rect, int n);

// Blends the colour bytes of `over` onto `under` inside rect by over's
// alpha ((o * a + u * (255 - a)) >> 8); under's alpha is kept.
void BlendColourOnly(const Surface& over, Surface& under, const Rect& rect);

// The size of `sourceSize` fitted into `area` keeping its aspect ratio when
// it is larger, with its top-left corner at 0, 0.
Rect FitInto(int sourceWidth, int sourceHeight, const Rect& area);

// The plain per-pixel blend of two equally sized surfaces, the yardstick
// the composition benchmark measures against.
void BlendSameSize(const Surface& source, Surface& destination);

}  // namespace vantrel
