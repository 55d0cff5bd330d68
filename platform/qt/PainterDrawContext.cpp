#include "platform/qt/PainterDrawContext.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPoint>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "values/Surface.h"

namespace vantrel {

namespace {

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

QImage PainterDrawContext::WrapOpaque(const Surface& picture) {
    if (picture.IsEmpty()) return {};
    // Pictures are blitted, not blended. RGB32 promises alpha bytes of 0xFF
    // and some of Qt's copy paths pass the byte on as it is, so a picture
    // that breaks the promise is drawn from a copy that keeps it. Every
    // repaint of the window comes through here, the idle timer's too: the
    // loops run over plain rows, without a branch per pixel.
    const int width = picture.Width(), height = picture.Height();
    bool opaque = true;
    for (int y = 0; y < height && opaque; ++y) {
        const Pixel* row = picture.Row(y);
        Pixel all = 0xFFFFFFFFu;
        for (int x = 0; x < width; ++x) all &= row[x];
        opaque = (all >> 24) == 0xFF;
    }
    if (opaque)
        return QImage(picture.Bytes(), width, height, qsizetype(picture.Pitch()) * 4, QImage::Format_RGB32);
    QImage copy(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const Pixel* row = picture.Row(y);
        auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
        for (int x = 0; x < width; ++x) line[x] = row[x] | 0xFF000000u;
    }
    return copy;
}

PainterDrawContext::PainterDrawContext(Surface& surface) {
    if (!surface.IsEmpty()) {
        surfaceImage_ = QImage(surface.Bytes(), surface.Width(), surface.Height(),
                               qsizetype(surface.Pitch()) * 4, QImage::Format_ARGB32);
        readable_ = &surfaceImage_;
        ownPainter_ = std::make_unique<QPainter>(&surfaceImage_);
        painter_ = ownPainter_.get();
    }
    Prepare();
}

PainterDrawContext::PainterDrawContext(QPaintDevice* device) {
    if (device) {
        if (device->devType() == QInternal::Image) readable_ = static_cast<QImage*>(device);
        ownPainter_ = std::make_unique<QPainter>(device);
        painter_ = ownPainter_.get();
    }
    Prepare();
}

PainterDrawContext::PainterDrawContext(QPainter& painter) : painter_(&painter) {
    if (QPaintDevice* device = painter.device(); device && device->devType() == QInternal::Image)
        readable_ = static_cast<QImage*>(device);
    painter_->save();
    Prepare();
}

PainterDrawContext::~PainterDrawContext() {
    if (!ownPainter_ && painter_) painter_->restore();
}

void PainterDrawContext::Prepare() {
    if (!IsActive()) {
        painter_ = nullptr;
        return;
    }
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void PainterDrawContext::Line(Pen pen, int x0, int y0, int x1, int y1) {
    if (!painter_) return;
    const QColor colour = ToQColor(PenColour(pen));
    if (x0 == x1 && y0 == y1) return;  // a line to its own start draws nothing
    // Straight lines are filled spans; the end point is left out.
    if (y0 == y1) {
        const int left = x0 < x1 ? x0 : x1 + 1;
        painter_->fillRect(QRect(left, y0, std::abs(x1 - x0), 1), colour);
        return;
    }
    if (x0 == x1) {
        const int top = y0 < y1 ? y0 : y1 + 1;
        painter_->fillRect(QRect(x0, top, 1, std::abs(y1 - y0)), colour);
        return;
    }
    // Bresenham, stopping one step short of the end.
    std::vector<QPoint> points;
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy, x = x0, y = y0;
    while (x != x1 || y != y1) {
        points.emplace_back(x, y);
        const int e2 = 2 * error;
        if (e2 >= dy) error += dy, x += sx;
        if (e2 <= dx) error += dx, y += sy;
    }
    painter_->save();
    painter_->setPen(QPen(colour, 1));
    painter_->drawPoints(points.data(), int(points.size()));
    painter_->restore();
}

void PainterDrawContext::FillRect(const Rect& rect, Colour colour) {
    if (!painter_ || rect.IsEmpty() || colour == kNoColour) return;
    painter_->fillRect(ToQRect(rect), ToQColor(colour));
}

void PainterDrawContext::StretchPicture(const Surface& picture, const Rect& source, const Rect& dest) {
    if (!painter_ || picture.IsEmpty() || source.IsEmpty() || dest.IsEmpty()) return;
    if (smooth_) painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_->drawImage(ToQRect(dest), WrapOpaque(picture), ToQRect(source));
    if (smooth_) painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

// The editor tiles its background into each piece of the window the panes
// leave uncovered, and the skin's controls share their tiles: one paint
// brings the same picture here again and again, and a tile does not change
// while a paint lasts, so it is scanned for its alpha once.
const QImage& PainterDrawContext::TileImage(const Surface& picture) {
    if (&picture != tileSource_ || picture.Bytes() != tileBytes_ || tileImage_.width() != picture.Width() ||
        tileImage_.height() != picture.Height()) {
        tileImage_ = WrapOpaque(picture);
        tileSource_ = &picture;
        tileBytes_ = picture.Bytes();
    }
    return tileImage_;
}

void PainterDrawContext::TilePicture(const Surface& picture, const Rect& dest) {
    if (!painter_ || picture.IsEmpty() || dest.IsEmpty()) return;
    const QImage& image = TileImage(picture);
    const int w = picture.Width(), h = picture.Height();
    auto floorTo = [](int v, int step) { return v >= 0 ? v - v % step : v - ((v % step) + step) % step; };
    painter_->save();
    painter_->setClipRect(ToQRect(dest), Qt::IntersectClip);
    for (int y = floorTo(dest.top, h); y < dest.bottom; y += h)
        for (int x = floorTo(dest.left, w); x < dest.right; x += w) painter_->drawImage(QPoint(x, y), image);
    painter_->restore();
}

QFont PainterDrawContext::FontFor(int heightPx, bool bold) const {
    QFont font = QGuiApplication::font();
    if (heightPx > 0) font.setPixelSize(heightPx);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont PainterDrawContext::FontFor(const TextStyle& style) const {
    QFont font = FontFor(style.heightPx, style.bold);
    if (style.serif) {
        static const bool times = QFontDatabase::hasFamily(QStringLiteral("Times New Roman"));
        font.setStyleHint(QFont::Serif);
        font.setFamilies(times ? QStringList{QStringLiteral("Times New Roman")} : QStringList{QStringLiteral("serif")});
    }
    if (style.pointSize > 0) {
        // Points become pixels once, with the screen's vertical resolution,
        // so that measuring and drawing agree whatever device is painted.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        font.setPixelSize(std::max(1, int(style.pointSize * dpi / 72.0 + 0.5)));
    }
    return font;
}

double PainterDrawContext::PixelAspect() const {
    if (!painter_) return 1.0;
    const QTransform t = painter_->transform();
    if (t.type() > QTransform::TxScale || !(t.m11() > 0) || !(t.m22() > 0)) return 1.0;
    return t.m11() / t.m22();
}

// Text is drawn at the vertical scale on both axes, so across it takes this
// share of what it would take stretched.
int PainterDrawContext::TextWidth(int advance) const {
    const double aspect = PixelAspect();
    return aspect == 1.0 ? advance : int(std::ceil(advance / aspect - 1e-9));
}

TextSize PainterDrawContext::MeasureText(const std::string& text, const TextStyle& style) {
    if (!qGuiApp) return {};
    const QFontMetrics metrics(FontFor(style));
    const QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return {TextWidth(metrics.horizontalAdvance(shown)), metrics.height()};
}

void PainterDrawContext::Text(const std::string& text, const Rect& rect, const TextStyle& style) {
    if (!painter_ || text.empty() || rect.IsEmpty() || !qGuiApp) return;
    painter_->save();
    const QFont font = FontFor(style);
    painter_->setFont(font);
    painter_->setPen(ToQColor(style.colour == kNoColour ? 0 : style.colour));
    if (style.background != kNoColour) {
        painter_->setBackgroundMode(Qt::OpaqueMode);
        painter_->setBackground(ToQColor(style.background));
    } else {
        painter_->setBackgroundMode(Qt::TransparentMode);
    }
    painter_->setClipRect(ToQRect(rect), Qt::IntersectClip);
    // A window that stretches one axis more than the other would stretch
    // the letters too: they are drawn at the vertical scale instead, in the
    // same place on the device.
    QRectF box(ToQRect(rect));
    if (PixelAspect() != 1.0) {
        const QTransform t = painter_->transform();
        const QRectF device = t.mapRect(box);
        const double s = t.m22();
        painter_->setTransform(QTransform::fromScale(s, s));
        box = QRectF(device.left() / s, device.top() / s, device.width() / s, device.height() / s);
    }
    const int room = int(box.width());
    QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    int flags = 0;
    if (style.centred) {
        // One line only: breaks would let the text leave the control.
        shown.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));
        flags = Qt::AlignCenter | Qt::TextSingleLine;
        if (style.ellipsis) shown = QFontMetrics(font).elidedText(shown, Qt::ElideRight, room);
    } else {
        flags = Qt::AlignLeft | Qt::AlignTop;
        if (style.ellipsis && !shown.contains(QLatin1Char('\n')))
            shown = QFontMetrics(font).elidedText(shown, Qt::ElideRight, room);
    }
    painter_->drawText(box, flags, shown);
    painter_->restore();
}

TextSize PainterDrawContext::TextExtent(const std::string& text, int heightPx) {
    if (!qGuiApp) return {};
    const QFontMetrics metrics(FontFor(heightPx, false));
    const QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return {TextWidth(metrics.horizontalAdvance(shown)), metrics.height()};
}

Colour PainterDrawContext::PixelAt(int x, int y) {
    if (!readable_) return kNoColour;
    // The point is in the painter's coordinates, which the window scales up
    // to its own: the pixel read is the one under the point's middle.
    if (painter_ && !painter_->transform().isIdentity()) {
        const QPointF device = painter_->transform().map(QPointF(x + 0.5, y + 0.5));
        x = int(std::floor(device.x()));
        y = int(std::floor(device.y()));
    }
    if (!readable_->valid(x, y)) return kNoColour;
    const QRgb pixel = readable_->pixel(x, y);
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

void PainterDrawContext::SetClip(const Rect& rect) {
    if (painter_) painter_->setClipRect(ToQRect(rect));
}

void PainterDrawContext::ClearClip() {
    if (painter_) painter_->setClipping(false);
}

}  // namespace vantrel
