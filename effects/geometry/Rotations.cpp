// Mirrors and the Rotator: effects that move whole pixels.
#include <cmath>
#include <utility>

#include "effects/Families.h"
#include "effects/Pixels.h"
#include "platform/DrawContext.h"

namespace vantrel {

namespace {
constexpr int kAngleId = 267, kRotationsId = 268, kCentreXId = 269, kCentreYId = 270;
constexpr int kUpSideDown = 301;

class Mirror final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    bool WorksInPlace() const override { return true; }
    int Apply(Surface&, Surface& dst, const Rect& r) override {
        if (GetId() == kUpSideDown) {
            for (int i = 0; i < r.Height() / 2; ++i) {
                Pixel* a = dst.Row(r.top + i);
                Pixel* b = dst.Row(r.bottom - 1 - i);
                for (int x = r.left; x < r.right; ++x) std::swap(a[x], b[x]);
            }
        } else {
            for (int y = r.top; y < r.bottom; ++y) {
                Pixel* row = dst.Row(y);
                for (int i = 0; i < r.Width() / 2; ++i) std::swap(row[r.left + i], row[r.right - 1 - i]);
            }
        }
        return 1;
    }
};

// The pivot is measured from the rectangle's corner, like the centre mark
// drawn on the preview; with the whole picture as rectangle that is the
// surface origin. Only the rectangle shows the turned picture: the whole
// destination starts transparent black, so nothing of the unturned picture
// is left around a small rectangle.
class Rotator final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

    void DrawOverlay(DrawContext& dc, const Rect& rect) override {
        const int x = rect.left + TruncTo(rect.Width() * Value(kCentreXId), -1 << 20, 1 << 20);
        const int y = rect.top + TruncTo(rect.Height() * Value(kCentreYId), -1 << 20, 1 << 20);
        Disc(dc, x, y, 6, Rgb(0, 0, 0));
        Disc(dc, x, y, 4, Rgb(255, 255, 255));
        Disc(dc, x, y, 2, Rgb(0, 0, 0));
    }

protected:
    int Apply(Surface& src, Surface& dst, const Rect& r) override {
        double degrees = std::fmod(Value(kRotationsId) * 360 + Value(kAngleId), 360.0);
        if (!std::isfinite(degrees)) degrees = 0;
        if (degrees < 0) degrees += 360;
        // The quarter turns are computed exactly: a cosine of 6e-17 where 0
        // is meant would move pixels by one after truncation.
        double c, s;
        if (degrees == 0) c = 1, s = 0;
        else if (degrees == 90) c = 0, s = 1;
        else if (degrees == 180) c = -1, s = 0;
        else if (degrees == 270) c = 0, s = -1;
        else {
            c = std::cos(degrees * M_PI / 180);
            s = std::sin(degrees * M_PI / 180);
        }
        // Rotating by -a: u = X cos a + Y sin a, v = -X sin a + Y cos a.
        const int px = r.left + TruncTo(r.Width() * Clamp01(Value(kCentreXId)), 0, r.Width());
        const int py = r.top + TruncTo(r.Height() * Clamp01(Value(kCentreYId)), 0, r.Height());
        dst.Clear();
        for (int y = r.top; y < r.bottom; ++y) {
            Pixel* out = dst.Row(y);
            const double yv = py - y;
            for (int x = r.left; x < r.right; ++x) {
                const double xv = x - px;
                const int u = TruncTo(xv * c + yv * s, -(1 << 24), 1 << 24);
                const int v = TruncTo(yv * c - xv * s, -(1 << 24), 1 << 24);
                const int sx = px + u, sy = py - v;
                out[x] = r.Contains(sx, sy) ? src.At(sx, sy) : 0;
            }
        }
        return 1;
    }

private:
    static void Disc(DrawContext& dc, int cx, int cy, int radius, Colour colour) {
        for (int dy = -radius; dy <= radius; ++dy) {
            const int half = int(std::sqrt(double(radius * radius - dy * dy)));
            dc.FillRect({cx - half, cy + dy, cx + half + 1, cy + dy + 1}, colour);
        }
    }
};

}  // namespace

std::unique_ptr<VideoEffect> MakeMirror(int type, const EffectContext&) { return std::make_unique<Mirror>(type); }
std::unique_ptr<VideoEffect> MakeRotator(int type, const EffectContext&) { return std::make_unique<Rotator>(type); }

}  // namespace vantrel
