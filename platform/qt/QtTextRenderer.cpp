#include "platform/qt/QtTextRenderer.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "values/Surface.h"

namespace vantrel {

namespace {

bool IsSystemName(const std::string& name) { return QString::fromStdString(name).compare("System", Qt::CaseInsensitive) == 0; }

QFont MakeFont(const TextFont& wanted) {
    QFont font;
    if (wanted.typeface.empty() || IsSystemName(wanted.typeface)) {
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(QString::fromStdString(wanted.typeface));
    }
    font.setPixelSize(std::max(wanted.heightPx, 1));
    font.setWeight(QFont::Weight(std::clamp(wanted.weight, 1, 999)));
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    // Every text pixel must come out in exactly the colour asked for.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

int QtTextRenderer::PixelsPerInch() const {
    if (!qGuiApp) return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
    return dpi > 0 ? dpi : 96;
}

bool QtTextRenderer::DrawLine(Surface& target, const Rect& rect, const std::string& text, const TextFont& font,
                              Colour colour) {
    if (!qGuiApp || target.IsEmpty()) return false;
    const Rect r = rect.Intersect(target.Bounds());
    if (r.IsEmpty()) return false;
    // RGB32 over the surface's own bytes: drawn pixels get alpha 255, the
    // rest keep theirs.
    QImage image(target.Bytes(), target.Width(), target.Height(), qsizetype(target.Pitch()) * 4, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(MakeFont(font));
    painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
    const QRect box(r.left, r.top, r.Width(), r.Height());
    painter.setClipRect(box);
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(text));
    return true;
}

TextSize QtTextRenderer::Extent(const std::string& text, const TextFont& font) {
    if (!qGuiApp) return {};
    const QFontMetrics metrics(MakeFont(font));
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

TextRenderer* InstallQtTextRenderer() {
    static QtTextRenderer renderer;
    SetTextRenderer(&renderer);
    return &renderer;
}

}  // namespace vantrel
