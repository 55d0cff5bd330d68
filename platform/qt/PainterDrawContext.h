#pragma once
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/DrawContext.h"

class QPaintDevice;

namespace vantrel {

class Surface;

// DrawContext over a QPainter. Pixels come out exactly as GDI would put
// them: no anti-aliasing anywhere (text included), line end points left
// out, pictures drawn as opaque whatever their alpha bytes say.
class PainterDrawContext final : public DrawContext {
public:
    // Draws straight into the surface's pixels; the surface must outlive
    // the context and keep its size meanwhile.
    explicit PainterDrawContext(Surface& surface);
    // Any Qt paint device: a QImage (PixelAt reads it), a QPixmap, a widget
    // inside its paint event.
    explicit PainterDrawContext(QPaintDevice* device);
    // Borrows a painter that is already active (a widget's paint event).
    explicit PainterDrawContext(QPainter& painter);
    ~PainterDrawContext() override;
    PainterDrawContext(const PainterDrawContext&) = delete;
    PainterDrawContext& operator=(const PainterDrawContext&) = delete;

    bool IsActive() const { return painter_ && painter_->isActive(); }
    // Stretched pictures filtered rather than repeated pixel by pixel (the
    // window's scaled drawing); off by default for exact pixels.
    void SetSmoothPictures(bool smooth) { smooth_ = smooth; }

    void Line(Pen pen, int x0, int y0, int x1, int y1) override;
    void FillRect(const Rect& rect, Colour colour) override;
    void StretchPicture(const Surface& picture, const Rect& source, const Rect& dest) override;
    // Tiles start at the device's origin, so that neighbouring controls
    // tiled with the same picture join without a seam. Tiles are fixed
    // pictures: one tiled again through the same context is not looked at
    // anew.
    void TilePicture(const Surface& picture, const Rect& dest) override;
    void Text(const std::string& text, const Rect& rect, const TextStyle& style) override;
    TextSize TextExtent(const std::string& text, int heightPx = 0) override;
    TextSize MeasureText(const std::string& text, const TextStyle& style) override;
    Colour PixelAt(int x, int y) override;
    void SetClip(const Rect& rect) override;
    void ClearClip() override;
    double PixelAspect() const override;

    // A surface as an image over its own bytes, opaque: no copy is made.
    static QImage WrapOpaque(const Surface& picture);

private:
    void Prepare();
    int TextWidth(int advance) const;
    QFont FontFor(int heightPx, bool bold) const;
    QFont FontFor(const TextStyle& style) const;
    const QImage& TileImage(const Surface& picture);

    QImage surfaceImage_;           // over the surface's bytes when built from one
    const QImage* readable_ = nullptr;  // what PixelAt reads, when anything
    std::unique_ptr<QPainter> ownPainter_;
    QPainter* painter_ = nullptr;
    bool smooth_ = false;
    // The picture last tiled, checked and wrapped once for this context.
    const Surface* tileSource_ = nullptr;
    const std::uint8_t* tileBytes_ = nullptr;
    QImage tileImage_;
};

}  // namespace vantrel
