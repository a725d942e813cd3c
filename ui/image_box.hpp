#pragma once

// An image control: a picture stretched to the control's box, without smoothing, inside a flat
// one-pixel border (a 27 x 14 picture makes a 29 x 16 control). A picture can also be a drawing,
// made afresh for the device pixels it covers, which keeps it sharp at every screen scale. Its box is kept in twips, in
// single precision, and converted to pixels through ui/twips whenever it is moved. A left-button
// press and release inside the control is a click. It carries a free text tag and never takes the
// focus.

#include "twips.hpp"

#include <QImage>
#include <QString>
#include <QWidget>

namespace quadrel {

class ImageBox : public QWidget {
    Q_OBJECT

public:
    explicit ImageBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }

    // Draws the picture for a size in device pixels. Once set, it takes the place of the stored
    // picture; it is called when the control is painted at a size it has not drawn for yet.
    using Drawing = QImage (*)(QSize devicePixels);
    void setDrawing(Drawing drawing);

    const QString &tag() const { return tag_; }
    void setTag(const QString &tag) { tag_ = tag; }

    // The box in twips, as last moved.
    const twips::BoxF &box() const { return box_; }

    // Moves and sizes the control in one operation; all four values in twips.
    using QWidget::move;
    void move(float left, float top, float width, float height);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage picture_;
    Drawing drawing_ = nullptr;
    QImage drawn_; // the drawing's last result
    QString tag_;
    twips::BoxF box_;
    bool pressed_ = false;
};

} // namespace quadrel
