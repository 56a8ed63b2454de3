#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawLaunch(QPainter& p) {
    p.setBrush(QColor(46, 139, 87));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{{12, 9}, {12, 23}, {24, 16}});
}

void drawSave(QPainter& p) {
    p.setBrush(QColor(52, 101, 164));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(220, 220, 220));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void drawDelete(QPainter& p) {
    p.setPen(QPen(QColor(204, 0, 0), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void drawScan(QPainter& p) {
    p.setPen(QPen(QColor(70, 70, 70), 3));
    p.setBrush(QColor(180, 215, 245));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(QColor(70, 70, 70), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 19), QPointF(27, 27));
}

// A tray with an arrow going into it (import) or coming out of it (export).
void drawTransfer(QPainter& p, bool into) {
    p.setPen(QPen(QColor(90, 90, 90), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{{5, 19}, {5, 27}, {27, 27}, {27, 19}});
    p.setPen(Qt::NoPen);
    p.setBrush(into ? QColor(46, 139, 87) : QColor(196, 120, 0));
    p.drawRect(QRectF(13, into ? 3 : 10, 6, 11));
    p.drawPolygon(into ? QPolygonF{{8, 13}, {24, 13}, {16, 22}} : QPolygonF{{8, 11}, {24, 11}, {16, 2}});
}

void drawAbout(QPainter& p) {
    p.setBrush(QColor(52, 101, 164));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 7, 4, 4));
    p.drawRoundedRect(QRectF(14, 13, 4, 12), 1, 1);
}

}  // namespace

namespace Artwork {

QIcon windowIcon() {
    // Drawn on a 32-unit grid at each size the desktop asks for (the Windows icon file holds the same).
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        QPixmap pixmap = canvas(size);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(25, 42, 86));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        p.setPen(QPen(QColor(255, 196, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF{{8, 8}, {16, 25}, {24, 8}});
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon toolbarIcon(const QString& key) {
    QPixmap pixmap = canvas(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QString k = key.toUpper();
    if (k == QLatin1String("LAUNCH"))
        drawLaunch(p);
    else if (k == QLatin1String("SAVE"))
        drawSave(p);
    else if (k == QLatin1String("DELETE"))
        drawDelete(p);
    else if (k == QLatin1String("SCAN"))
        drawScan(p);
    else if (k == QLatin1String("IMPORT") || k == QLatin1String("EXPORT"))
        drawTransfer(p, k == QLatin1String("IMPORT"));
    else if (k == QLatin1String("ABOUT"))
        drawAbout(p);
    return QIcon(pixmap);
}

QIcon sortMark(bool ascending) {
    QPixmap pixmap = canvas(11);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 96, 96));
    p.drawPolygon(ascending ? QPolygonF{{1.0, 8.5}, {10.0, 8.5}, {5.5, 2.0}}
                            : QPolygonF{{1.0, 2.5}, {10.0, 2.5}, {5.5, 9.0}});
    return QIcon(pixmap);
}

}  // namespace Artwork
