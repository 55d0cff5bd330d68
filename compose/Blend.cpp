#include "compose/Blend.h"

#include "values/RowBands.h"

#include <algorithm>
#include <cmath>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantrel {

namespace {

std::int32_t TruncScale(int size, double fraction) {
    const double v = std::trunc(double(size) * fraction);
    if (!(v > -2147483648.0)) return INT32_MIN;
    if (!(v < 2147483647.0)) return INT32_MAX;
    return std::int32_t(v);
}

// Two channels per multiply: each 16-bit lane holds at most 255 * 255, so
// no lane carries into its neighbour and the result is exact.
inline Pixel Mix(Pixel s, Pixel d, std::uint32_t a) {
    const std::uint32_t ia = 255 - a;
    const std::uint32_t rb = (((s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * ia) >> 8) & 0x00FF00FFu;
    const std::uint32_t ga = (((s >> 8) & 0x00FF00FFu) * a + ((d >> 8) & 0x00FF00FFu) * ia) & 0xFF00FF00u;
    return rb | ga;
}

#if defined(__SSE2__)
// Four pixels of Mix at once, each byte widened to 16 bits: s * a + d * (255
// - a) is at most 255 * 255, so the 16-bit lanes hold it exactly and the
// result equals Mix's. `alpha` holds each pixel's alpha in its 32-bit lane;
// the source's own alpha byte is replaced by it first, as Mix's callers do.
inline __m128i Mix4(__m128i s, __m128i d, __m128i alpha) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    s = _mm_or_si128(_mm_and_si128(s, _mm_set1_epi32(0x00FFFFFF)), _mm_slli_epi32(alpha, 24));
    const __m128i pair = _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16));  // a in both halves
    const __m128i aLo = _mm_unpacklo_epi32(pair, pair), aHi = _mm_unpackhi_epi32(pair, pair);
    const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), aLo),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(full, aLo)));
    const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), aHi),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(full, aHi)));
    return _mm_packus_epi16(_mm_srli_epi16(lo, 8), _mm_srli_epi16(hi, 8));
}

// clamp(source alpha + add, 0, 255) per pixel; add is within -256 ... 256,
// so every sum fits the low 16 bits and the high half stays its sign.
inline __m128i AlphaPlus(__m128i s, __m128i add) {
    const __m128i sum = _mm_add_epi32(_mm_srli_epi32(s, 24), add);
    return _mm_min_epi16(_mm_max_epi16(sum, _mm_setzero_si128()), _mm_set1_epi32(255));
}
#endif

// Clips X to the unit square and cuts Y in proportion.
void ClipOne(Fractions& x, Fractions& y) {
    if (x.left < 0) {
        y.left += y.Width() * (-x.left / x.Width());
        x.left = 0;
    }
    if (x.top < 0) {
        y.top += y.Height() * (-x.top / x.Height());
        x.top = 0;
    }
    if (x.right > 1) {
        y.right = y.left + y.Width() * (1 - x.left) / x.Width();
        x.right = 1;
    }
    if (x.bottom > 1) {
        y.bottom = y.top + y.Height() * (1 - x.top) / x.Height();
        x.bottom = 1;
    }
}

}  // namespace

Rect FractionsToPixels(const Fractions& f, int width, int height) {
    return {TruncScale(width, f.left), TruncScale(height, f.top), TruncScale(width, f.right),
            TruncScale(height, f.bottom)};
}

bool IsUsablePixelRect(const Rect& r) { return r.left < r.right && r.top < r.bottom && r.left >= 0 && r.top >= 0; }

bool ClipAndCut(Fractions& source, Fractions& destination) {
    if (!source.IsUsable() || !destination.IsUsable()) return false;
    ClipOne(source, destination);
    if (!source.IsUsable() || !destination.IsUsable()) return false;
    ClipOne(destination, source);
    return source.IsUsable() && destination.IsUsable();
}

void BlendScaled(const Surface& source, const Rect& s, Surface& destination, const Rect& d, bool blending,
                 int alphaAdd) {
    if (source.IsEmpty() || destination.IsEmpty()) return;
    const std::int64_t sw = std::int64_t(s.right) - s.left, sh = std::int64_t(s.bottom) - s.top;
    const std::int64_t dw = std::int64_t(d.right) - d.left, dh = std::int64_t(d.bottom) - d.top;
    if (sw <= 1 || sh <= 1 || dw <= 1 || dh <= 1) return;

    const int x0 = std::max(d.left, 0), x1 = std::min(d.right, destination.Width());
    const int y0 = std::max(d.top, 0), y1 = std::min(d.bottom, destination.Height());
    if (x0 >= x1 || y0 >= y1) return;

    // Source column per destination column; -1 where it falls off the picture.
    thread_local std::vector<int> columns;
    columns.resize(std::size_t(x1 - x0));
    bool allInside = true, contiguous = true;
    for (int x = x0; x < x1; ++x) {
        const std::int64_t sx = s.left + (x - std::int64_t(d.left)) * sw / dw;
        const bool inside = sx >= 0 && sx < source.Width() && sx < s.right;
        columns[std::size_t(x - x0)] = inside ? int(sx) : -1;
        allInside = allInside && inside;
        contiguous = contiguous && sx == columns[0] + (x - x0);
    }
    const int* col = columns.data();
    const int count = x1 - x0;
#if defined(__SSE2__)
    const __m128i add = _mm_set1_epi32(std::clamp(alphaAdd, -256, 256));
#endif
    // The alpha each source alpha becomes once the opacity step is added.
    std::uint32_t alphaOf[256];
    for (int a = 0; a < 256; ++a) alphaOf[a] = std::uint32_t(std::clamp(a + alphaAdd, 0, 255));

    // Each band of destination rows reads the source and writes only its
    // own rows: the bands run side by side.
    ForRowBands(y0, y1, count, [&](int bandTop, int bandBottom) {
    for (int y = bandTop; y < bandBottom; ++y) {
        const std::int64_t sy = s.top + (y - std::int64_t(d.top)) * sh / dh;
        if (sy >= s.bottom || sy < 0 || sy >= source.Height()) continue;
        const Pixel* in = source.Row(int(sy));
        Pixel* out = destination.Row(y) + x0;
        if (!blending) {
            for (int i = 0; i < count; ++i)
                if (col[i] >= 0) out[i] = in[col[i]];
            continue;
        }
        int i = 0;
#if defined(__SSE2__)
        if (allInside) {
            for (; i + 4 <= count; i += 4) {
                const __m128i p = contiguous ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + col[0] + i))
                                             : _mm_setr_epi32(int(in[col[i]]), int(in[col[i + 1]]),
                                                              int(in[col[i + 2]]), int(in[col[i + 3]]));
                __m128i* o = reinterpret_cast<__m128i*>(out + i);
                _mm_storeu_si128(o, Mix4(p, _mm_loadu_si128(o), AlphaPlus(p, add)));
            }
        }
#endif
        if (allInside && contiguous) {
            // One to one across: no column lookups.
            const Pixel* row = in + col[0];
            for (; i < count; ++i) {
                const Pixel p = row[i];
                const std::uint32_t a = alphaOf[p >> 24];
                out[i] = Mix((p & 0x00FFFFFFu) | a << 24, out[i], a);
            }
            continue;
        }
        for (; i < count; ++i) {
            if (col[i] < 0) continue;
            const Pixel p = in[col[i]];
            const std::uint32_t a = alphaOf[p >> 24];
            out[i] = Mix((p & 0x00FFFFFFu) | a << 24, out[i], a);
        }
    }
    });
}

int OpacityStep(double value) {
    const double d = std::trunc(value * 256.1);
    if (!(d > -1e6 && d < 1e6)) return 0;
    return int(d);
}

void AddAlpha(Surface& surface, int d) { AddAlpha(surface, d, surface.Bounds()); }

void AddAlpha(Surface& surface, int d, const Rect& rect) {
    if (d == 0 || surface.IsEmpty()) return;
    const Rect r = rect.Intersect(surface.Bounds());
    ForRowBands(r.top, r.bottom, r.Width(), [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            Pixel* row = surface.Row(y);
            for (int x = r.left; x < r.right; ++x) {
                const int a = std::clamp(int(row[x] >> 24) + d, 0, 255);
                row[x] = (row[x] & 0x00FFFFFFu) | std::uint32_t(a) << 24;
            }
        }
    });
}

void SetAlpha(Surface& surface, int alpha) {
    const std::uint32_t a = std::uint32_t(alpha & 255) << 24;
    ForRowBands(0, surface.Height(), surface.Width(), [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            Pixel* row = surface.Row(y);
            for (int x = 0; x < surface.Width(); ++x) row[x] = (row[x] & 0x00FFFFFFu) | a;
        }
    });
}

void CopyOpaque(const Surface& source, Surface& destination) {
    const int w = std::min(source.Width(), destination.Width());
    const int h = std::min(source.Height(), destination.Height());
    ForRowBands(0, h, w, [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            const Pixel* in = source.Row(y);
            Pixel* out = destination.Row(y);
            for (int x = 0; x < w; ++x) out[x] = in[x] | 0xFF000000u;
        }
    });
}

void FillCheckerboard(Surface& surface, const Rect& rect, int n) {
    const int side = 1 << std::clamp(n, 0, 16);
    const Rect r = rect.Intersect(surface.Bounds());
    ForRowBands(r.top, r.bottom, r.Width(), [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            Pixel* row = surface.Row(y);
            const bool yOn = (y & side) != 0;
            for (int x = r.left; x < r.right; ++x) row[x] = (((x & side) != 0) != yOn) ? 0x00FFFFFFu : 0u;
        }
    });
}

void BlendColourOnly(const Surface& over, Surface& under, const Rect& rect) {
    const Rect r = rect.Intersect(over.Bounds()).Intersect(under.Bounds());
    ForRowBands(r.top, r.bottom, r.Width(), [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            const Pixel* in = over.Row(y);
            Pixel* out = under.Row(y);
            for (int x = r.left; x < r.right; ++x) {
                const Pixel mixed = Mix(in[x], out[x], in[x] >> 24);
                out[x] = (mixed & 0x00FFFFFFu) | (out[x] & 0xFF000000u);
            }
        }
    });
}

Rect FitInto(int sourceWidth, int sourceHeight, const Rect& area) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || area.IsEmpty()) return {};
    const double rw = double(sourceWidth) / area.Width();
    const double rh = double(sourceHeight) / area.Height();
    double w = sourceWidth, h = sourceHeight;
    if (rw > 1 || rh > 1) {
        const double m = std::max(rw, rh);
        w = std::max(1.0, std::trunc(w / m));
        h = std::max(1.0, std::trunc(h / m));
    }
    return {0, 0, int(w), int(h)};
}

void BlendSameSize(const Surface& source, Surface& destination) {
    const int w = std::min(source.Width(), destination.Width());
    const int h = std::min(source.Height(), destination.Height());
    for (int y = 0; y < h; ++y) {
        const Pixel* in = source.Row(y);
        Pixel* out = destination.Row(y);
        for (int x = 0; x < w; ++x) out[x] = Mix(in[x], out[x], in[x] >> 24);
    }
}

}  // namespace vantrel
