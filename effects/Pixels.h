#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "values/Surface.h"

namespace vantrel {

// trunc(v) limited to lo .. hi; a NaN counts as 0. Every double that
// becomes an index or a pixel value goes through here, so that a hostile
// value can neither overflow the conversion nor index outside a surface.
inline int TruncTo(double v, int lo, int hi) {
    if (!(v == v)) v = 0;
    if (v <= double(lo)) return lo;
    if (v >= double(hi)) return hi;
    return int(v);
}
inline int ClampByte(int x) { return x < 0 ? 0 : (x > 255 ? 255 : x); }
inline double Clamp01(double v) { return v == v ? std::clamp(v, 0.0, 1.0) : 0.0; }

inline int ToByte(double v) { return int(Clamp01(v) * 255); }
inline int ToOffset(double v) { return TruncTo(v * 255, -255, 255); }
inline int Luma(Pixel p) { return (PixelRed(p) + 2 * PixelGreen(p) + PixelBlue(p)) >> 2; }

struct YCC {
    int y, cb, cr;
};
// C++ division truncates toward zero, as the conversion asks.
inline YCC ToYCC(int r, int g, int b) {
    const int y = 17 * r / 64 + g / 2 + 3 * b / 32 + 16;
    const int cb = -5 * r / 32 - 9 * g / 32 + 7 * b / 16 + 128;
    const int cr = 7 * r / 16 - 3 * g / 8 - b / 16 + 128;
    return {y & 255, cb & 255, cr & 255};
}
inline YCC ToYCC(Pixel p) { return ToYCC(PixelRed(p), PixelGreen(p), PixelBlue(p)); }

inline Pixel WithAlpha(Pixel p, int alpha) { return (p & 0x00FFFFFFu) | std::uint32_t(alpha) << 24; }

// Mixes each colour channel of `to` into `from` by weight w of 0 .. 255:
// (to * w + from * (255 - w)) >> 8; alpha comes from `from`.
inline Pixel MixColour(Pixel from, Pixel to, int w) {
    const int iw = 255 - w;
    const int b = (PixelBlue(to) * w + PixelBlue(from) * iw) >> 8;
    const int g = (PixelGreen(to) * w + PixelGreen(from) * iw) >> 8;
    const int r = (PixelRed(to) * w + PixelRed(from) * iw) >> 8;
    return MakePixel(b, g, r, PixelAlpha(from));
}

// x mod n in 0 .. n - 1 for n > 0, whatever the sign of x.
inline int Wrap(std::int64_t x, int n) {
    const std::int64_t m = x % n;
    return int(m < 0 ? m + n : m);
}

}  // namespace vantrel
