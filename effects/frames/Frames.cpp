// "Frame Style 1", "Top-Left Sink Shadow" and "Wipe": drawn borders and a
// moving soft edge, all in place.
#include <algorithm>
#include <cmath>

#include "effects/Families.h"
#include "effects/Pixels.h"

namespace vantrel {

namespace {
constexpr int kFrameRedId = 681, kFrameGreenId = 682, kFrameBlueId = 683, kFrameAlphaId = 684;
constexpr int kFrameSizeId = 685, kFrameShadingId = 686, kShadowSizeId = 678;
constexpr int kWipeAngleId = 283, kProgressId = 276, kSmoothingId = 277;

class FrameStyle final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& dst, const Rect& r) override {
        const int w = r.Width(), h = r.Height();
        const int t = std::min({TruncTo(double(w + h) * Value(kFrameSizeId), 0, 1 << 30), w / 3, h / 3});
        if (t <= 0) return 1;
        const Pixel colour = MakePixel(ToByte(Value(kFrameBlueId)), ToByte(Value(kFrameGreenId)),
                                       ToByte(Value(kFrameRedId)), ToByte(Value(kFrameAlphaId)));
        const double shading = Value(kFrameShadingId);
        const int m = ToByte(std::abs(shading));
        // Top and left toward black and bottom and right toward white, or
        // the other way round for a negative shading.
        const Pixel dark = 0, light = 0x00FFFFFFu;
        const Pixel nearShade = shading >= 0 ? dark : light, farShade = shading >= 0 ? light : dark;
        const Pixel nearSide = m ? MixColour(colour, nearShade, m) : colour;
        const Pixel farSide = m ? MixColour(colour, farShade, m) : colour;
        for (int i = 0; i < t; ++i) {
            Pixel* top = dst.Row(r.top + i);
            Pixel* bottom = dst.Row(r.bottom - 1 - i);
            for (int x = r.left + i; x < r.right - i; ++x) top[x] = nearSide, bottom[x] = farSide;
            for (int y = r.top + i + 1; y < r.bottom - i; ++y) {
                Pixel* row = dst.Row(y);
                row[r.left + i] = nearSide;
                row[r.right - 1 - i] = farSide;
            }
        }
        return 1;
    }
};

class SinkShadow final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& dst, const Rect& r) override {
        const int s = TruncTo(double(r.Width() + r.Height()) * Value(kShadowSizeId), 0, 1 << 30);
        if (s == 0) return 0;
        auto darken = [](Pixel& p, int q) {
            p = MakePixel((PixelBlue(p) * q) >> 8, (PixelGreen(p) * q) >> 8, (PixelRed(p) * q) >> 8, PixelAlpha(p));
        };
        const int last = std::min(s, std::max(r.Width(), r.Height()));
        for (int i = 0; i < last; ++i) {
            const int q = int(std::int64_t(i) * 256 / s);
            if (r.top + i < r.bottom) {
                Pixel* row = dst.Row(r.top + i);
                for (int x = r.left + i; x < r.right; ++x) darken(row[x], q);
            }
            if (r.left + i < r.right)
                for (int y = r.top + i + 1; y < r.bottom; ++y) darken(dst.At(r.left + i, y), q);
        }
        return 1;
    }
};

// A straight soft edge through a centre that moves with the progress,
// perpendicular to the wipe angle.
class Wipe final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& dst, const Rect& r) override {
        const double a = Value(kWipeAngleId) * (-M_PI / 180);
        const double p = Value(kProgressId);
        const double k = std::clamp((1 - Value(kSmoothingId)) * 64, 0.0, 64.0);
        const double ca = std::cos(a), sa = std::sin(a);
        if (!std::isfinite(ca) || !std::isfinite(sa) || !std::isfinite(p)) return 0;
        const int w = r.Width(), h = r.Height();
        const int cx = r.left + w / 2 + TruncTo(w * ca * p, -(1 << 30), 1 << 30);
        const int cy = r.top + h / 2 + TruncTo(p * (h * sa), -(1 << 30), 1 << 30);
        for (int y = r.top; y < r.bottom; ++y) {
            Pixel* row = dst.Row(y);
            const double ty = sa * k * double(cy - y) * 2 / h;
            for (int x = r.left; x < r.right; ++x) {
                const int limit = ToByte(ty + k * ca * double(cx - x) * 2 / w);
                if (PixelAlpha(row[x]) > limit) row[x] = WithAlpha(row[x], limit);
            }
        }
        return 1;
    }
};

}  // namespace

std::unique_ptr<VideoEffect> MakeFrameStyle(int type, const EffectContext&) { return std::make_unique<FrameStyle>(type); }
std::unique_ptr<VideoEffect> MakeSinkShadow(int type, const EffectContext&) { return std::make_unique<SinkShadow>(type); }
std::unique_ptr<VideoEffect> MakeWipe(int type, const EffectContext&) { return std::make_unique<Wipe>(type); }

}  // namespace vantrel
