#include "image_box.hpp"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

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
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inside;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace quadrel
