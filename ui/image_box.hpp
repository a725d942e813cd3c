#pragma once

// An image control: a picture stretched to the control's box, without smoothing, inside a flat
// one-pixel border (a 27 x 14 picture makes a 29 x 16 control). Its box is kept in twips, in
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
    QString tag_;
    twips::BoxF box_;
    bool pressed_ = false;
};

} // namespace quadrel
