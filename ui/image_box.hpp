#pragma once

// An image control: a picture stretched to the control's box, without smoothing, inside a flat
// one-pixel border (a 27 x 14 picture makes a 29 x 16 control). Its box is kept in twips, in
// single precision, and converted to pixels through ui/twips whenever it is set. It is a button:
// a left-button press and release inside the control clicks it, and so do Space and a screen
// reader's press action. It carries a free text tag. The keyboard reaches it with Tab, and then its
// border shows the focus; a mouse click moves no focus to it.

#include "twips.hpp"

#include <QAbstractButton>
#include <QImage>
#include <QString>

namespace quadrel {

class ImageBox : public QAbstractButton {
    Q_OBJECT

public:
    explicit ImageBox(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);

    const QString &tag() const { return tag_; }
    void setTag(const QString &tag) { tag_ = tag; }

    // The box in twips, as last set.
    const twips::BoxF &box() const { return box_; }

    // Moves and sizes the control in one operation.
    void setTwipsBox(twips::BoxF box);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage picture_;
    QString tag_;
    twips::BoxF box_;
};

} // namespace quadrel
