#include "effects/keys/Keys.h"

#include <algorithm>
#include <cstdlib>

#include "effects/Pixels.h"

namespace vantrel {

namespace {

constexpr int kRedId = 38, kGreenId = 39, kBlueId = 40;
constexpr int kRedToleranceId = 42, kGreenToleranceId = 43, kBlueToleranceId = 44;
constexpr int kChromaToleranceId = 242, kLumaToleranceId = 246;
constexpr int kBrightness1Id = 286, kBrightness2Id = 287;
constexpr int kRadius1Id = 187, kRadius2Id = 188, kSize1Id = 249, kSize2Id = 250;

struct Window {
    int lo, hi;
    bool Holds(int v) const { return lo <= v && v <= hi; }
};
Window Around(int centre, int tolerance) { return {std::max(centre - tolerance, 0), std::min(centre + tolerance, 255)}; }

// Keys out what `matches` says (or what it does not, inverted). Only pixels
// still visible are tested: an earlier key may already have cleared them.
template <class Match>
void KeyPixels(Surface& surface, const Rect& rect, bool inverted, Match matches) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        Pixel* row = surface.Row(y);
        for (int x = rect.left; x < rect.right; ++x) {
            const Pixel p = row[x];
            if ((p >> 24) == 0) continue;
            if (matches(p) != inverted) row[x] = p & 0x00FFFFFFu;
        }
    }
}

void RgbKey(Effect& v, bool inverted, Surface& s, const Rect& rect) {
    const Window r = Around(ToByte(v.Value(kRedId)), ToByte(v.Value(kRedToleranceId)));
    const Window g = Around(ToByte(v.Value(kGreenId)), ToByte(v.Value(kGreenToleranceId)));
    const Window b = Around(ToByte(v.Value(kBlueId)), ToByte(v.Value(kBlueToleranceId)));
    KeyPixels(s, rect, inverted, [&](Pixel p) {
        return r.Holds(PixelRed(p)) && g.Holds(PixelGreen(p)) && b.Holds(PixelBlue(p));
    });
}

void ChromaKey(Effect& v, bool inverted, Surface& s, const Rect& rect) {
    const YCC key = ToYCC(ToByte(v.Value(kRedId)), ToByte(v.Value(kGreenId)), ToByte(v.Value(kBlueId)));
    const int tc = ToByte(v.Value(kChromaToleranceId));
    const int tl = ToByte(v.Value(kLumaToleranceId));
    const Window y = Around(key.y, tl), cb = Around(key.cb, tc), cr = Around(key.cr, tc);
    KeyPixels(s, rect, inverted, [&](Pixel p) {
        const YCC c = ToYCC(p);
        return y.Holds(c.y) && cb.Holds(c.cb) && cr.Holds(c.cr);
    });
}

void BrightnessKey(Effect& v, KeyTest test, bool inverted, Surface& s, const Rect& rect) {
    const int b1 = ToByte(v.Value(kBrightness1Id)), b2 = ToByte(v.Value(kBrightness2Id));
    const Window w{std::min(b1, b2), std::max(b1, b2)};
    switch (test) {
        case KeyTest::kGreen:
            KeyPixels(s, rect, inverted, [&](Pixel p) {
                const int g = PixelGreen(p);
                return w.Holds(Luma(p)) && g >= PixelRed(p) && g >= PixelBlue(p);
            });
            break;
        case KeyTest::kRed:
            KeyPixels(s, rect, inverted, [&](Pixel p) {
                const int r = PixelRed(p);
                return w.Holds(Luma(p)) && r >= PixelGreen(p) && r >= PixelBlue(p);
            });
            break;
        case KeyTest::kBlue:
            KeyPixels(s, rect, inverted, [&](Pixel p) {
                const int b = PixelBlue(p);
                return w.Holds(Luma(p)) && b >= PixelGreen(p) && b >= PixelRed(p);
            });
            break;
        default:
            KeyPixels(s, rect, inverted, [&](Pixel p) { return w.Holds(Luma(p)); });
            break;
    }
}

// Keeps the inside (or, inverted, the outside) of a shape given by a
// distance per pixel, with a soft band between the inner and outer limits.
template <class Distance>
void Mask(Surface& s, const Rect& rect, bool keepOutside, std::int64_t outer, std::int64_t inner, Distance distance) {
    const std::int64_t band = outer - inner;
    for (int y = rect.top; y < rect.bottom; ++y) {
        Pixel* row = s.Row(y);
        for (int x = rect.left; x < rect.right; ++x) {
            const Pixel p = row[x];
            const int alpha = int(p >> 24);
            if (alpha == 0) continue;
            const std::int64_t d = distance(x, y);
            int keep = alpha;
            if (!keepOutside) {
                if (d >= outer) keep = 0;
                else if (d > inner) keep = std::min<std::int64_t>(alpha, (outer - d) * 255 / band);
            } else {
                if (d <= inner) keep = 0;
                else if (d < outer) keep = std::min<std::int64_t>(alpha, (d - inner) * 255 / band);
            }
            if (keep != alpha) row[x] = WithAlpha(p, keep);
        }
    }
}

// trunc(limit * fraction) for fractions read from variables (0 .. 1 when
// sane); a hostile fraction cannot push the product past int64.
std::int64_t Scaled(std::int64_t limit, double fraction) {
    const double f = Clamp01(fraction);
    return std::int64_t(double(limit) * f);
}

void ShapeMask(Effect& v, KeyTest test, bool keepOutside, Surface& s, const Rect& rect) {
    const int w = rect.Width(), h = rect.Height();
    const int cx = rect.left + w / 2, cy = rect.top + h / 2;
    const bool sizes = test == KeyTest::kRectangle;
    const double a = v.Value(sizes ? kSize1Id : kRadius1Id), b = v.Value(sizes ? kSize2Id : kRadius2Id);
    const double hiR = std::max(a, b), loR = std::min(a, b);
    if (test == KeyTest::kRectangle) {
        const std::int64_t half = w / 2;
        Mask(s, rect, keepOutside, Scaled(half, hiR), Scaled(half, loR), [=](int x, int y) {
            const std::int64_t dx = std::abs(x - cx), dy = std::abs(std::int64_t(y - cy) * w / h);
            return std::max(dx, dy);
        });
        return;
    }
    const std::int64_t r = (test == KeyTest::kCircle ? std::max(w, h) / 2 : w / 2) - 2;
    const std::int64_t big = 2 * r * r;
    const std::int64_t outer = Scaled(big, hiR), inner = Scaled(big, loR);
    if (test == KeyTest::kCircle) {
        Mask(s, rect, keepOutside, outer, inner, [=](int x, int y) {
            const std::int64_t dx = x - cx, dy = y - cy;
            return dx * dx + dy * dy;
        });
    } else {
        Mask(s, rect, keepOutside, outer, inner, [=](int x, int y) {
            const std::int64_t dx = x - cx, dy = std::int64_t(y - cy) * w / h;
            return dx * dx + dy * dy;
        });
    }
}

}  // namespace

void RunKey(Effect& values, KeyMode mode, Surface& surface, const Rect& rect) {
    switch (mode.test) {
        case KeyTest::kRgb: RgbKey(values, mode.inverted, surface, rect); break;
        case KeyTest::kChroma: ChromaKey(values, mode.inverted, surface, rect); break;
        case KeyTest::kBrightness:
        case KeyTest::kGreen:
        case KeyTest::kRed:
        case KeyTest::kBlue: BrightnessKey(values, mode.test, mode.inverted, surface, rect); break;
        case KeyTest::kCircle:
        case KeyTest::kOval:
        case KeyTest::kRectangle: ShapeMask(values, mode.test, mode.inverted, surface, rect); break;
    }
}

}  // namespace vantrel
