// "Blur", "Edge Detect" and "Key Smoother": neighbourhood filters whose
// window slides along the row, so that their cost grows with the matrix
// size at most linearly, never with its square.
#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "effects/Families.h"
#include "effects/Pixels.h"

namespace vantrel {

namespace {
constexpr int kMatrixSizeId = 73, kLevelId = 74;
constexpr int kEdgeDetect = 72, kKeySmoother = 78;

class MatrixFilter final : public VideoEffect {
public:
    using VideoEffect::VideoEffect;

protected:
    int Apply(Surface& src, Surface& dst, const Rect& r) override {
        const int n = std::max(TruncTo(Value(kMatrixSizeId), 0, 1 << 10) | 1, 3);
        try {
            if (GetId() == kKeySmoother) return KeySmoother(src, dst, r, n);
            const int level = ToByte(Value(kLevelId));
            if (level == 0) return 1;  // the old picture at full weight
            return GetId() == kEdgeDetect ? EdgeDetect(src, dst, r, n, level) : Blur(src, dst, r, n, level);
        } catch (const std::bad_alloc&) {
            return 0;  // no work buffer: the picture stays as it was
        }
    }

private:
    // Column sums of the n rows around the current one, over the extended
    // columns left - n/2 .. right - 1 + n/2 (edge pixels repeat); moving
    // down a row subtracts the row leaving and adds the row entering.
    int Blur(const Surface& src, Surface& dst, const Rect& r, int n, int level) {
        const int c = n / 2, w = r.Width(), ext = w + 2 * c;
        sums_.assign(std::size_t(3 * ext), 0);
        columns_.resize(std::size_t(ext));
        for (int k = 0; k < ext; ++k) columns_[std::size_t(k)] = std::clamp(r.left - c + k, r.left, r.right - 1);
        auto rowAt = [&](int y) { return src.Row(std::clamp(y, r.top, r.bottom - 1)); };
        auto addRow = [&](const Pixel* row, int sign) {
            int* s = sums_.data();
            for (int k = 0; k < ext; ++k) {
                const Pixel p = row[columns_[std::size_t(k)]];
                s[3 * k] += sign * PixelBlue(p);
                s[3 * k + 1] += sign * PixelGreen(p);
                s[3 * k + 2] += sign * PixelRed(p);
            }
        };
        for (int i = -c; i <= c; ++i) addRow(rowAt(r.top + i), 1);
        const int area = n * n, keep = 255 - level;
        for (int y = r.top; y < r.bottom; ++y) {
            if (y > r.top) {
                addRow(rowAt(y - c - 1), -1);
                addRow(rowAt(y + c), 1);
            }
            const int* s = sums_.data();
            int b = 0, g = 0, red = 0;
            for (int k = 0; k < n; ++k) b += s[3 * k], g += s[3 * k + 1], red += s[3 * k + 2];
            const Pixel* in = src.Row(y);
            Pixel* out = dst.Row(y);
            for (int x = r.left, k = 0; x < r.right; ++x, ++k) {
                if (k > 0) {
                    b += s[3 * (k + n - 1)] - s[3 * (k - 1)];
                    g += s[3 * (k + n - 1) + 1] - s[3 * (k - 1) + 1];
                    red += s[3 * (k + n - 1) + 2] - s[3 * (k - 1) + 2];
                }
                if (PixelAlpha(in[x]) == 0) continue;
                const Pixel old = out[x];
                out[x] = MakePixel((b / area * level + PixelBlue(old) * keep) >> 8,
                                   (g / area * level + PixelGreen(old) * keep) >> 8,
                                   (red / area * level + PixelRed(old) * keep) >> 8, PixelAlpha(old));
            }
        }
        return 1;
    }

    // Eight sums over halves and triangles of the window. Each row keeps its
    // running (prefix) sums P(k) over the extended columns; the window's
    // rows then give five per-column aggregates: V(k) = sum of P(k) over the
    // window rows, Top and Bottom the same over the rows above and below the
    // middle, Dg(k) = sum of P_i(k + i) along the diagonal and An(k) = sum of
    // P_i(k - i) along the other. Every half and triangle sum of a window is
    // a difference of a few aggregates, and moving down one row updates each
    // aggregate by one row leaving and one entering (the diagonals shift by
    // one column), so the cost per pixel does not depend on the window size.
    int EdgeDetect(const Surface& src, Surface& dst, const Rect& r, int n, int level) {
        const int c = n / 2, w = r.Width(), ext = w + 2 * c, stride = ext + 1, ring = n + 1;
        prefix_.assign(std::size_t(3) * ring * stride, 0);
        sums_.assign(std::size_t(15) * stride, 0);
        columns_.resize(std::size_t(ext));
        for (int k = 0; k < ext; ++k) columns_[std::size_t(k)] = std::clamp(r.left - c + k, r.left, r.right - 1);
        auto plane = [&](int row, int channel) {
            return prefix_.data() + (std::size_t(Wrap(row - r.top, ring)) * 3 + channel) * stride;
        };
        auto aggregate = [&](int which, int channel) { return sums_.data() + std::size_t(which * 3 + channel) * stride; };
        enum { kV = 0, kTop, kBottom, kDg, kAn };
        auto rowOf = [&](int y, int i) { return std::clamp(y - c + i, r.top, r.bottom - 1); };
        int ready = r.top - 1;
        auto ensure = [&](int upTo) {
            for (; ready < upTo;) {
                ++ready;
                const Pixel* in = src.Row(ready);
                int* pb = plane(ready, 0);
                int* pg = plane(ready, 1);
                int* pr = plane(ready, 2);
                pb[0] = pg[0] = pr[0] = 0;
                for (int k = 0; k < ext; ++k) {
                    const Pixel p = in[columns_[std::size_t(k)]];
                    pb[k + 1] = pb[k] + PixelBlue(p);
                    pg[k + 1] = pg[k] + PixelGreen(p);
                    pr[k + 1] = pr[k] + PixelRed(p);
                }
            }
        };
        auto diagonalAt = [&](int y, int channel, int k) {
            int sum = 0;
            for (int i = 0; i < n; ++i) sum += plane(rowOf(y, i), channel)[k + i];
            return sum;
        };
        auto antiAt = [&](int y, int channel, int k) {
            int sum = 0;
            for (int i = 0; i < n; ++i) sum += plane(rowOf(y, i), channel)[k - i];
            return sum;
        };

        ensure(std::min(r.top + c, r.bottom - 1));
        for (int ch = 0; ch < 3; ++ch) {
            int* v = aggregate(kV, ch);
            int* top = aggregate(kTop, ch);
            int* bottom = aggregate(kBottom, ch);
            for (int i = 0; i < n; ++i) {
                const int* p = plane(rowOf(r.top, i), ch);
                for (int k = 0; k <= ext; ++k) {
                    v[k] += p[k];
                    if (i < c) top[k] += p[k];
                    if (i > c) bottom[k] += p[k];
                }
            }
            for (int k = 0; k <= ext - n + 1; ++k) aggregate(kDg, ch)[k] = diagonalAt(r.top, ch, k);
            for (int k = n - 1; k <= ext; ++k) aggregate(kAn, ch)[k] = antiAt(r.top, ch, k);
        }

        const int area = n * n, keep = 255 - level;
        for (int y = r.top; y < r.bottom; ++y) {
            if (y > r.top) {
                const int leaving = rowOf(y - 1, 0), middle = rowOf(y - 1, c), below = rowOf(y - 1, c + 1);
                const int entering = rowOf(y, n - 1);
                ensure(entering);
                for (int ch = 0; ch < 3; ++ch) {
                    const int* p0 = plane(leaving, ch);
                    const int* pc = plane(middle, ch);
                    const int* pc1 = plane(below, ch);
                    const int* pn = plane(entering, ch);
                    int* v = aggregate(kV, ch);
                    int* top = aggregate(kTop, ch);
                    int* bottom = aggregate(kBottom, ch);
                    for (int k = 0; k <= ext; ++k) {
                        v[k] += pn[k] - p0[k];
                        top[k] += pc[k] - p0[k];
                        bottom[k] += pn[k] - pc1[k];
                    }
                    int* dg = aggregate(kDg, ch);
                    for (int k = ext - n + 1; k >= 1; --k) dg[k] = dg[k - 1] - p0[k - 1] + pn[k + n - 1];
                    dg[0] = diagonalAt(y, ch, 0);
                    int* an = aggregate(kAn, ch);
                    for (int k = n - 1; k < ext; ++k) an[k] = an[k + 1] - p0[k + 1] + pn[k + 1 - n];
                    an[ext] = antiAt(y, ch, ext);
                }
            }
            const Pixel* in = src.Row(y);
            Pixel* out = dst.Row(y);
            for (int x = r.left, k = 0; x < r.right; ++x, ++k) {
                if (PixelAlpha(in[x]) == 0) continue;
                int edge = 0;
                for (int ch = 0; ch < 3; ++ch) {
                    const int* v = aggregate(kV, ch);
                    const int* top = aggregate(kTop, ch);
                    const int* bottom = aggregate(kBottom, ch);
                    const int* dg = aggregate(kDg, ch);
                    const int* an = aggregate(kAn, ch);
                    const int outer = v[k] + v[k + n];
                    const int cols = v[k + c + 1] + v[k + c] - outer;
                    const int diag = dg[k + 1] + dg[k] - outer;
                    const int anti = outer - an[k + n - 1] - an[k + n];
                    edge += std::abs(cols) + std::abs(diag) + std::abs(anti);
                    if (ch != 2) edge += std::abs(top[k + n] - top[k] - bottom[k + n] + bottom[k]);  // no red row pair
                }
                const int g = std::min(edge / area, 255) * level;
                const Pixel old = out[x];
                out[x] = MakePixel((g + PixelBlue(old) * keep) >> 8, (g + PixelGreen(old) * keep) >> 8,
                                   (g + PixelRed(old) * keep) >> 8, PixelAlpha(old));
            }
        }
        return 1;
    }

    // Alpha sums over the window with coordinates clamped into the whole
    // surface; the new alpha ramps from half coverage up to the level.
    int KeySmoother(const Surface& src, Surface& dst, const Rect& r, int n) {
        const int c = n / 2, w = r.Width(), ext = w + 2 * c;
        const std::int64_t e = std::int64_t(n) * n * 255 / 2;
        const std::int64_t f = std::int64_t(double(e) + double(e) * Clamp01(Value(kLevelId)));
        sums_.assign(std::size_t(ext), 0);
        columns_.resize(std::size_t(ext));
        for (int k = 0; k < ext; ++k) columns_[std::size_t(k)] = std::clamp(r.left - c + k, 0, src.Width() - 1);
        auto addRow = [&](int y, int sign) {
            const Pixel* row = src.Row(std::clamp(y, 0, src.Height() - 1));
            for (int k = 0; k < ext; ++k) sums_[std::size_t(k)] += sign * PixelAlpha(row[columns_[std::size_t(k)]]);
        };
        for (int i = -c; i <= c; ++i) addRow(r.top + i, 1);
        for (int y = r.top; y < r.bottom; ++y) {
            if (y > r.top) {
                addRow(y - c - 1, -1);
                addRow(y + c, 1);
            }
            std::int64_t a = 0;
            for (int k = 0; k < n; ++k) a += sums_[std::size_t(k)];
            const Pixel* in = src.Row(y);
            Pixel* out = dst.Row(y);
            for (int x = r.left, k = 0; x < r.right; ++x, ++k) {
                if (k > 0) a += sums_[std::size_t(k + n - 1)] - sums_[std::size_t(k - 1)];
                if (PixelAlpha(in[x]) == 0) continue;
                int alpha = 255;
                if (a <= e) alpha = 0;
                else if (a < f) alpha = int((a - e) * 255 / (f - e));
                out[x] = WithAlpha(out[x], alpha);
            }
        }
        return 1;
    }

    std::vector<int> sums_, columns_, prefix_;
};

}  // namespace

std::unique_ptr<VideoEffect> MakeMatrixFilter(int type, const EffectContext&) {
    return std::make_unique<MatrixFilter>(type);
}

}  // namespace vantrel
