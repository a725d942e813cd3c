#include "image_box.hpp"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace quadrel {

ImageBox::ImageBox(Drawing drawing, QWidget *parent)
    : QAbstractButton(parent)
    , drawing_(drawing) {
    setFocusPolicy(Qt::TabFocus);
    setCheckable(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageBox::setTwipsBox(layout::BoxF box) {
    box_ = box;
    setGeometry(twips::toPixels(box_));
}

void ImageBox::keyPressEvent(QKeyEvent *event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
        click();
    else
        QAbstractButton::keyPressEvent(event);
}

void ImageBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // The control's box on the window's device pixels, its edges rounded to whole pixels, is
    // filled with the border colour; the picture covers all of it but a border one screen pixel
    // wide (two at twice the scale). Filled edges on whole pixels stay sharp and visible at every
    // scale, where a one-pixel pen can blur or fall between device pixels.
    const qreal ratio = devicePixelRatioF();
    const QPointF origin = QPointF(mapTo(window(), QPoint(0, 0))) * ratio;
    const QRectF box(origin, QSizeF(size()) * ratio);
    const QRectF device(QPointF(qRound(box.left()), qRound(box.top())),
                        QPointF(qRound(box.right()), qRound(box.bottom())));
    const qreal border = std::max(1, qRound(ratio));
    const QRectF inside = device.adjusted(border, border, -border, -border);
    const auto toLogical = [&](const QRectF &r) {
        return QRectF((r.topLeft() - origin) / ratio, r.size() / ratio);
    };
    painter.fillRect(toLogical(device), palette().color(QPalette::WindowText));
    painter.drawImage(toLogical(inside), drawing_(inside.size().toSize()));
    // The keyboard focus shows as a border two pixels thick in the highlight colour: the style's
    // faint focus frame would be lost on the picture.
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

} // namespace quadrel
