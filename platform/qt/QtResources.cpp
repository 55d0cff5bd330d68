#include "platform/qt/QtResources.h"

#include <QPainter>
#include <QPixmap>

namespace vantrel {

namespace {

// A strip of film with a play triangle: the program and its projects.
QPixmap DrawProgramIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 16.0;
    p.setBrush(QColor(40, 40, 48));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1 * u, 2 * u, 14 * u, 12 * u), 2 * u, 2 * u);
    p.setBrush(QColor(230, 230, 230));
    for (int i = 0; i < 4; ++i) {
        p.drawRect(QRectF((2.5 + 3 * i) * u, 3 * u, 1.5 * u, 1.2 * u));
        p.drawRect(QRectF((2.5 + 3 * i) * u, 11.8 * u, 1.5 * u, 1.2 * u));
    }
    p.setBrush(QColor(230, 120, 30));
    const QPointF play[] = {{6 * u, 5.5 * u}, {11 * u, 8 * u}, {6 * u, 10.5 * u}};
    p.drawPolygon(play, 3);
    return pixmap;
}

// Four arrows from the centre, for moving things about freely.
QCursor DrawMoveCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (const QColor& colour : {QColor(Qt::white), QColor(Qt::black)}) {
        p.setPen(QPen(colour, colour == Qt::white ? 4 : 2));
        p.drawLine(16, 4, 16, 28);
        p.drawLine(4, 16, 28, 16);
        const QPoint tips[4][3] = {{{16, 3}, {12, 8}, {20, 8}},
                                   {{16, 29}, {12, 24}, {20, 24}},
                                   {{3, 16}, {8, 12}, {8, 20}},
                                   {{29, 16}, {24, 12}, {24, 20}}};
        p.setBrush(colour);
        for (const auto& tip : tips) p.drawPolygon(tip, 3);
    }
    return QCursor(pixmap, 16, 16);
}

}  // namespace

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon made;
        for (int size : {16, 32, 48, 64}) made.addPixmap(DrawProgramIcon(size));
        return made;
    }();
    return icon;
}

QCursor CursorOf(Cursor cursor) {
    switch (cursor) {
        case Cursor::Arrow: return Qt::ArrowCursor;
        case Cursor::Wait: return Qt::WaitCursor;
        case Cursor::SizeHorizontal: return Qt::SizeHorCursor;
        case Cursor::SizeVertical: return Qt::SizeVerCursor;
        case Cursor::SizeAll: {
            static const QCursor move = DrawMoveCursor();
            return move;
        }
        case Cursor::Hand: return Qt::PointingHandCursor;
        case Cursor::Cross: return Qt::CrossCursor;
    }
    return Qt::ArrowCursor;
}

}  // namespace vantrel
