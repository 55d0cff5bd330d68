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

    // Eight sums over halves and triangles of the window, each row's part
    // read from that row's running (prefix) sums. The prefix rows of the n
    // rows in the window live in a ring, each computed once.
    int EdgeDetect(const Surface& src, Surface& dst, const Rect& r, int n, int level) {
        const int c = n / 2, w = r.Width(), ext = w + 2 * c, stride = ext + 1;
        prefix_.assign(std::size_t(3) * n * stride, 0);
        columns_.resize(std::size_t(ext));
        for (int k = 0; k < ext; ++k) columns_[std::size_t(k)] = std::clamp(r.left - c + k, r.left, r.right - 1);
        auto plane = [&](int row, int channel) {
            return prefix_.data() + (std::size_t(Wrap(row - r.top, n)) * 3 + channel) * stride;
        };
        int ready = r.top - 1;  // prefix rows computed so far
        std::vector<const int*> rows(std::size_t(3 * n));
        const int area = n * n, keep = 255 - level;
        for (int y = r.top; y < r.bottom; ++y) {
            for (; ready < std::min(y + c, r.bottom - 1);) {
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
            for (int i = 0; i < n; ++i)
                for (int ch = 0; ch < 3; ++ch)
                    rows[std::size_t(3 * i + ch)] = plane(std::clamp(y - c + i, r.top, r.bottom - 1), ch);
            const Pixel* in = src.Row(y);
            Pixel* out = dst.Row(y);
            for (int x = r.left, k = 0; x < r.right; ++x, ++k) {
                if (PixelAlpha(in[x]) == 0) continue;
                int edge = 0;
                for (int ch = 0; ch < 3; ++ch) {
                    int rowsDiff = 0, colsDiff = 0, diagDiff = 0, antiDiff = 0;
                    for (int i = 0; i < n; ++i) {
                        const int* p = rows[std::size_t(3 * i + ch)] + k;
                        const int all = p[n] - p[0];
                        if (i < c) rowsDiff += all;
                        else if (i > c) rowsDiff -= all;
                        colsDiff += (p[c + 1] - p[0]) - (p[n] - p[c]);
                        diagDiff += (p[i + 1] - p[0]) - (p[n] - p[i]);
                        antiDiff += (p[n] - p[n - 1 - i]) - (p[n - i] - p[0]);
                    }
                    edge += std::abs(colsDiff) + std::abs(diagDiff) + std::abs(antiDiff);
                    if (ch != 2) edge += std::abs(rowsDiff);  // the red row pair is left out
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
