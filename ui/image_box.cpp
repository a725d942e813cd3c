#include "image_box.hpp"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace quadrel {

ImageBox::ImageBox(QWidget *parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageBox::setPicture(const QImage &picture) {
    picture_ = picture;
    update();
}

void ImageBox::setDrawing(Drawing drawing) {
    drawing_ = drawing;
    drawn_ = {};
    update();
}

void ImageBox::move(float left, float top, float width, float height) {
    box_ = {left, top, width, height};
    setGeometry(twips::toPixels(box_));
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
    // Nearest-neighbour scaling keeps a picture's pixels crisp at any size; a drawing is made for
    // exactly the pixels it covers.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (drawing_ != nullptr) {
        if (drawn_.size() != inside.size().toSize())
            drawn_ = drawing_(inside.size().toSize());
        painter.drawImage(toLogical(inside), drawn_);
    } else if (picture_.isNull()) {
        painter.fillRect(toLogical(inside), palette().window());
    } else {
        painter.drawImage(toLogical(inside), picture_);
    }
}

void ImageBox::mousePressEvent(QMouseEvent *event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ImageBox::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

} // namespace quadrel
