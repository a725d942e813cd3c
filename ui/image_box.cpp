#include "image_box.hpp"

#include <QMouseEvent>
#include <QPainter>

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

void ImageBox::move(float left, float top, float width, float height) {
    box_ = {left, top, width, height};
    setGeometry(twips::toPixels(box_));
}

void ImageBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // Nearest-neighbour scaling keeps the flag's stripes crisp at any size.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    if (picture_.isNull())
        painter.fillRect(inside, palette().window());
    else
        painter.drawImage(inside, picture_);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
