#include "flags.hpp"

#include <QColor>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace quadrel::flags {

namespace {

QImage blank(QSize size, const QColor &colour) {
    QImage image(size.expandedTo({1, 1}), QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A band of `part` / `whole` of `extent` pixels, centred, with a width of the same parity as the
// extent so that it sits exactly in the middle: its first pixel and its width.
std::pair<int, int> centredBand(int extent, double part, double whole) {
    const int margin = static_cast<int>(std::lround((extent - extent * part / whole) / 2.0));
    return {margin, extent - 2 * margin};
}

// The strip between the offsets `from` and `to` (flag units, along the normal QLineF gives: a to b
// turned a quarter anticlockwise on screen) of the line through a and b, long enough to cross the
// whole field.
QPolygonF strip(QPointF a, QPointF b, double from, double to) {
    const QLineF line(a, b);
    const QLineF unitNormal = line.normalVector().unitVector();
    const QPointF n = unitNormal.p2() - unitNormal.p1();
    const QPointF along = (b - a) * 0.5;
    const QPointF start = a - along, end = b + along;
    return QPolygonF({start + n * from, end + n * from, end + n * to, start + n * to});
}

} // namespace

QImage italianFlag(QSize size) {
    QImage image = blank(size, QColor(0xCE, 0x2B, 0x37));
    QPainter painter(&image);
    const int w = image.width();
    const int h = image.height();
    const int first = static_cast<int>(std::lround(w / 3.0));
    const int second = static_cast<int>(std::lround(w * 2 / 3.0));
    painter.fillRect(0, 0, first, h, QColor(0x00, 0x92, 0x46));
    painter.fillRect(first, 0, second - first, h, Qt::white);
    return image;
}

QImage unionFlag(QSize size) {
    const QColor red(0xC8, 0x10, 0x2E);
    QImage image = blank(size, QColor(0x01, 0x21, 0x69));
    const int w = image.width();
    const int h = image.height();
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(w / 60.0, h / 30.0);

    const QPointF topLeft(0, 0), bottomRight(60, 30), topRight(60, 0), bottomLeft(0, 30);
    painter.setBrush(Qt::white);
    painter.drawPolygon(strip(topLeft, bottomRight, -3, 3));
    painter.drawPolygon(strip(topRight, bottomLeft, -3, 3));
    // Counterchanged: in the hoist half each red band lies below its diagonal, in the fly half
    // above it. The strip's normal points up for the falling diagonal and down for the rising one.
    painter.setBrush(red);
    for (const bool hoist : {true, false}) {
        painter.setClipRect(QRectF(hoist ? 0 : 30, 0, 30, 30));
        const double below = hoist ? 2.0 : -2.0;
        painter.drawPolygon(strip(topLeft, bottomRight, 0, -below));
        painter.drawPolygon(strip(topRight, bottomLeft, 0, below));
    }
    painter.setClipping(false);

    // The upright cross on whole pixels.
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto &[part, colour] : {std::pair{10.0, QColor(Qt::white)}, std::pair{6.0, red}}) {
        const auto [left, width] = centredBand(w, part, 60.0);
        const auto [top, height] = centredBand(h, part, 30.0);
        painter.fillRect(left, 0, width, h, colour);
        painter.fillRect(0, top, w, height, colour);
    }
    return image;
}

} // namespace quadrel::flags
