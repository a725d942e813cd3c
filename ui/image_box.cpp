#include "image_box.hpp"

#include <QPainter>

namespace quadrel {

ImageBox::ImageBox(QWidget *parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageBox::setPicture(const QImage &picture) {
    picture_ = picture;
    update();
}

void ImageBox::setTwipsBox(twips::BoxF box) {
    box_ = box;
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
    // The keyboard focus shows as a border two pixels thick in the highlight colour: the style's
    // faint focus frame would be lost on the picture.
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

} // namespace quadrel
