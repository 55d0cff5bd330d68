#include "values/Surface.h"

#include <cstring>
#include <new>
#include <vector>

#include "values/RowBands.h"

namespace vantrel {

Surface::Surface(const Surface& other) { *this = other; }

Surface& Surface::operator=(const Surface& other) {
    if (this == &other) return *this;
    if (other.IsEmpty()) {
        Release();
        return *this;
    }
    if (Allocate(other.width_, other.height_, other.pitch_))
        std::memcpy(pixels_.get(), other.pixels_.get(),
                    sizeof(Pixel) * std::size_t(pitch_) * std::size_t(height_));
    return *this;
}

bool Surface::Allocate(int width, int height, int pitch) {
    Release();
    if (pitch < width) pitch = width;
    if (width <= 0 || height <= 0 || std::int64_t(pitch) * height > kMaxPixels) return false;
    pixels_.reset(new (std::nothrow) Pixel[std::size_t(pitch) * std::size_t(height)]());
    if (!pixels_) return false;
    width_ = width;
    height_ = height;
    pitch_ = pitch;
    return true;
}

void Surface::Release() {
    pixels_.reset();
    width_ = height_ = pitch_ = 0;
}

void Surface::Fill(const Rect& rect, Pixel value) {
    Rect r = rect.Intersect(Bounds());
    if (r.IsEmpty()) return;
    ForRowBands(r.top, r.bottom, r.Width(), [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            Pixel* row = Row(y);
            for (int x = r.left; x < r.right; ++x) row[x] = value;
        }
    });
}

void Surface::CopyFrom(const Surface& source, const Rect& sourceRect, int destX, int destY) {
    Rect src = sourceRect.Intersect(source.Bounds());
    if (src.IsEmpty() || IsEmpty()) return;
    destX += src.left - sourceRect.left;
    destY += src.top - sourceRect.top;
    Rect dst = Rect{destX, destY, destX + src.Width(), destY + src.Height()}.Intersect(Bounds());
    if (dst.IsEmpty()) return;
    const int sx = src.left + (dst.left - destX);
    const int sy = src.top + (dst.top - destY);
    auto copy = [&](int first, int end) {
        for (int y = first; y < end; ++y)
            std::memmove(Row(dst.top + y) + dst.left, source.Row(sy + y) + sx,
                         sizeof(Pixel) * std::size_t(dst.Width()));
    };
    // Within one surface the rows may overlap: their order matters then.
    if (&source == this)
        copy(0, dst.Height());
    else
        ForRowBands(0, dst.Height(), dst.Width(), copy);
}

void Surface::StretchFrom(const Surface& source, const Rect& sourceRect, const Rect& destRect) {
    if (sourceRect.IsEmpty() || destRect.IsEmpty() || source.IsEmpty() || IsEmpty()) return;
    const Rect dst = destRect.Intersect(Bounds());
    if (dst.IsEmpty()) return;
    const std::int64_t sw = sourceRect.Width(), sh = sourceRect.Height();
    const std::int64_t dw = destRect.Width(), dh = destRect.Height();
    // The source column of each destination column, worked out once rather
    // than divided out again on every row; -1 off the source.
    thread_local std::vector<int> columns;
    columns.resize(std::size_t(dst.Width()));
    for (int x = dst.left; x < dst.right; ++x) {
        const int sx = int(sourceRect.left + (std::int64_t(x - destRect.left) * sw) / dw);
        columns[std::size_t(x - dst.left)] = sx >= 0 && sx < source.Width() ? sx : -1;
    }
    const int* column = columns.data();
    auto stretch = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            const int sy = int(sourceRect.top + (std::int64_t(y - destRect.top) * sh) / dh);
            if (sy < 0 || sy >= source.Height()) continue;
            const Pixel* in = source.Row(sy);
            Pixel* out = Row(y) + dst.left;
            for (int i = 0; i < dst.Width(); ++i)
                if (column[i] >= 0) out[i] = in[column[i]];
        }
    };
    if (&source == this)
        stretch(dst.top, dst.bottom);
    else
        ForRowBands(dst.top, dst.bottom, dst.Width(), stretch);
}

}  // namespace vantrel
