#pragma once
#include <cstdint>
#include <memory>

#include "values/Colour.h"
#include "values/Rect.h"

namespace vantrel {

// One pixel as stored: bytes blue, green, red, alpha in memory order, which
// reads as 0xAARRGGBB on a little-endian machine (QImage::Format_ARGB32).
using Pixel = std::uint32_t;
constexpr Pixel MakePixel(int b, int g, int r, int a) {
    return std::uint32_t(b & 255) | std::uint32_t(g & 255) << 8 | std::uint32_t(r & 255) << 16 |
           std::uint32_t(a & 255) << 24;
}
constexpr int PixelBlue(Pixel p) { return int(p & 255); }
constexpr int PixelGreen(Pixel p) { return int((p >> 8) & 255); }
constexpr int PixelRed(Pixel p) { return int((p >> 16) & 255); }
constexpr int PixelAlpha(Pixel p) { return int(p >> 24); }
// A packed colour as an opaque pixel.
constexpr Pixel PixelFromColour(Colour c, int alpha = 255) {
    return MakePixel(BlueOf(c), GreenOf(c), RedOf(c), alpha);
}

// 32 bits per pixel; width, height and pitch count pixels. Rows follow each
// other top to bottom, pitch pixels apart.
class Surface {
public:
    // Dimensions beyond this are refused so that a hostile header cannot
    // make us allocate gigabytes.
    static constexpr std::int64_t kMaxPixels = std::int64_t(16384) * 16384;

    Surface() = default;
    Surface(int width, int height, int pitch = 0) { Allocate(width, height, pitch); }
    Surface(const Surface& other);
    Surface& operator=(const Surface& other);
    Surface(Surface&&) noexcept = default;
    Surface& operator=(Surface&&) noexcept = default;

    // Allocates cleared (all-zero) pixels; false and an empty surface when the
    // size is not positive, too large, or memory runs out.
    bool Allocate(int width, int height, int pitch = 0);
    void Release();

    bool IsEmpty() const { return pixels_ == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return pitch_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    Pixel* Row(int y) { return pixels_.get() + std::int64_t(y) * pitch_; }
    const Pixel* Row(int y) const { return pixels_.get() + std::int64_t(y) * pitch_; }
    Pixel& At(int x, int y) { return Row(y)[x]; }
    Pixel At(int x, int y) const { return Row(y)[x]; }
    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(pixels_.get()); }
    const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(pixels_.get()); }

    // All three clip to both surfaces; nothing happens outside them.
    void Fill(const Rect& rect, Pixel value);
    void Clear() { Fill(Bounds(), 0); }
    void CopyFrom(const Surface& source, const Rect& sourceRect, int destX, int destY);
    // Nearest-neighbour scaling of sourceRect into destRect.
    void StretchFrom(const Surface& source, const Rect& sourceRect, const Rect& destRect);

private:
    std::unique_ptr<Pixel[]> pixels_;
    int width_ = 0, height_ = 0, pitch_ = 0;
};

}  // namespace vantrel
