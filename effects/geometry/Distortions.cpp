// "Square Root", the blend loops, "Rotate X"/"Rotate Y" and "Bubble".
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "effects/Families.h"
#include "effects/Pixels.h"

namespace vantrel {

namespace {
constexpr int kDistortXId = 298, kDistortYId = 299, kDisplacementId = 441;
constexpr int kRedId = 38, kGreenId = 39, kBlueId = 40;
constexpr int kBlendLoopHorizontal = 439, kRotateX = 443;

class SquareRoot final : public VideoEffect {
public:
    static constexpr int kMaxSide = 1024;
    using VideoEffect::VideoEffect;

protected:
    int Apply(Surface& src, Surface& dst, const Rect& r) override {
        const int w = r.Width(), h = r.Height();
        if (w > kMaxSide || h > kMaxSide) return 0;
        Fill(columns_, w, Value(kDistortXId));
        Fill(rows_, h, Value(kDistortYId));
        for (int y = 0; y < h; ++y) {
            const Pixel* in = src.Row(r.top + rows_[std::size_t(y)]) + r.left;
            Pixel* out = dst.Row(r.top + y) + r.left;
            for (int x = 0; x < w; ++x) out[x] = in[columns_[std::size_t(x)]];
        }
        return 1;
    }

private:
    static void Fill(std::array<std::int32_t, kMaxSide>& table, int n, double d) {
        d = std::clamp(d, -1.0, 1.0);
        for (int i = 0; i < n; ++i) {
            int v = i;
            if (d > 0) {
                const double m = std::clamp(double(n - i) / n, 0.0, 1.0);
                const double q = std::sqrt(m) * d + (1 - d) * m;
                v = TruncTo(n - n * q, 0, n - 1);
            } else if (d < 0) {
                const double m = std::clamp(double(i) / n, 0.0, 1.0);
                const double q = std::sqrt(m) * -d + (1 + d) * m;
                v = TruncTo(n * q, 0, n - 1);
            }
            table[std::size_t(i)] = v;
        }
    }
    std::array<std::int32_t, kMaxSide> columns_{}, rows_{};
};

// The looped picture blends with itself half a loop further on, weighted by
// the distance from the middle, so the seam never shows.
class BlendLoop final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    int Apply(Surface& src, Surface& dst, const Rect& r) override {
        const bool horizontal = GetId() == kBlendLoopHorizontal;
        const int n = horizontal ? r.Width() : r.Height();
        const int half = n / 2;
        if (half == 0) return 1;
        const int start = horizontal ? r.left : r.top;
        const int mid = horizontal ? (r.left + r.right) / 2 : (r.top + r.bottom) / 2;
        const int s = TruncTo(n * Value(kDisplacementId), -(1 << 30), 1 << 30);
        first_.resize(std::size_t(n));
        second_.resize(std::size_t(n));
        weight_.resize(std::size_t(n));
        // The loop position counts from the surface's edge, not the
        // rectangle's: a rectangle further in shows the loop further on.
        for (int i = 0; i < n; ++i) {
            const std::int64_t at = std::int64_t(s) + start + i;
            const int c1 = start + Wrap(at, n);
            first_[std::size_t(i)] = c1;
            second_[std::size_t(i)] = start + Wrap(at + half, n);
            weight_[std::size_t(i)] = std::clamp(std::abs(mid - c1) * 255 / half, 0, 255);
        }
        for (int y = r.top; y < r.bottom; ++y) {
            Pixel* out = dst.Row(y);
            if (horizontal) {
                const Pixel* in = src.Row(y);
                for (int x = r.left, i = 0; x < r.right; ++x, ++i)
                    out[x] = MixColour(in[first_[std::size_t(i)]], in[second_[std::size_t(i)]], weight_[std::size_t(i)]);
            } else {
                const std::size_t i = std::size_t(y - r.top);
                const Pixel* a = src.Row(first_[i]);
                const Pixel* b = src.Row(second_[i]);
                const int w = weight_[i];
                for (int x = r.left; x < r.right; ++x) out[x] = MixColour(a[x], b[x], w);
            }
        }
        return 1;
    }

private:
    std::vector<int> first_, second_, weight_;
};

// Wraps the picture around a turning cylinder: the frequency is how often it
// repeats across the rectangle, the position shifts it by half the
// rectangle per unit; both are interpolated from one edge to the other.
class RotateAxis final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    int Apply(Surface& src, Surface& dst, const Rect& r) override {
        const bool alongX = GetId() == kRotateX;
        const int base = alongX ? 445 : 451;  // position and frequency ids at the near edge
        const double nearPos = Value(base), nearFreq = Value(alongX ? 448 : 454);
        const double farPos = Value(alongX ? 447 : 453), farFreq = Value(alongX ? 455 : 456);
        const double af = (nearFreq + farFreq) / 2;
        // Along X each row picks a source row and spreads its columns;
        // along Y each column picks a source column and spreads its rows.
        const int lines = alongX ? r.Height() : r.Width();    // rows (X) or columns (Y)
        const int span = alongX ? r.Width() : r.Height();     // pixels along each line
        const int lineStart = alongX ? r.top : r.left, spanStart = alongX ? r.left : r.top;
        constexpr int kLimit = 1 << 28;
        for (int l = 0; l < lines; ++l) {
            const int near = lines - l;  // distance to the far edge weighs the near values
            const std::int64_t pick = std::int64_t(TruncTo(af * l, -kLimit, kLimit)) + lines / 2 -
                                      TruncTo(lines * af / 2, -kLimit, kLimit) + 1000LL * lines;
            const int sourceLine = lineStart + Wrap(pick, lines);
            const double pos = (l * farPos + near * nearPos) / lines;
            const double freq = (l * farFreq + near * nearFreq) / lines;
            const std::int64_t offset = span / 2 - TruncTo(span * freq / 2, -kLimit, kLimit) -
                                        TruncTo(span * pos / 2, -kLimit, kLimit) + 1000LL * span;
            if (alongX) {
                const Pixel* in = src.Row(sourceLine);
                Pixel* out = dst.Row(lineStart + l);
                for (int i = 0; i < span; ++i)
                    out[spanStart + i] = in[spanStart + Wrap(TruncTo(i * freq, -kLimit, kLimit) + offset, span)];
            } else {
                for (int i = 0; i < span; ++i) {
                    const int sy = spanStart + Wrap(TruncTo(i * freq, -kLimit, kLimit) + offset, span);
                    dst.At(lineStart + l, spanStart + i) = src.At(sourceLine, sy);
                }
            }
        }
        return 1;
    }
};

// The picture squeezed row by row into an ellipse on a transparent ground
// of the chosen colour.
class Bubble final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;
    bool HasKeyColourPicker() const override { return true; }

protected:
    int Apply(Surface& src, Surface& dst, const Rect& r) override {
        const Pixel ground = MakePixel(ToByte(Value(kBlueId)), ToByte(Value(kGreenId)), ToByte(Value(kRedId)), 0);
        dst.Fill(r, ground);
        const int w = r.Width(), hw0 = w / 2, hh = r.Height() / 2;
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        for (int y = r.top; y < r.bottom; ++y) {
            const double e = hh > 0 ? std::clamp(std::abs(cy - y) / double(hh), 0.0, 1.0) : 0.0;
            const int hw = TruncTo(hw0 * std::clamp(std::sqrt(std::clamp(1 - e * e, 0.0, 1.0)), 0.0, 1.0), 0, hw0);
            if (hw == 0) continue;
            const Pixel* in = src.Row(y);
            Pixel* out = dst.Row(y);
            const int from = std::max(cx - hw, r.left), to = std::min(cx + hw, r.right);
            const double scale = double(w) / (2 * hw);
            for (int x = from; x < to; ++x) {
                const int sx = std::clamp(TruncTo(r.left + (x - (cx - hw)) * scale, r.left, r.right - 1), r.left,
                                          r.right - 1);
                out[x] = in[sx] | 0xFF000000u;
            }
        }
        return 1;
    }
};

}  // namespace

std::unique_ptr<VideoEffect> MakeSquareRoot(int type, const EffectContext&) { return std::make_unique<SquareRoot>(type); }
std::unique_ptr<VideoEffect> MakeBlendLoop(int type, const EffectContext&) { return std::make_unique<BlendLoop>(type); }
std::unique_ptr<VideoEffect> MakeRotateAxis(int type, const EffectContext&) { return std::make_unique<RotateAxis>(type); }
std::unique_ptr<VideoEffect> MakeBubble(int type, const EffectContext&) { return std::make_unique<Bubble>(type); }

}  // namespace vantrel
