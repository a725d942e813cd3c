#pragma once

// An image control: a picture drawn to fill the control's box inside a flat one-pixel border. The
// picture is a drawing, made afresh for the device pixels it covers, which keeps it sharp at every
// screen scale. The box is kept in twips, in single precision, and converted to pixels through
// ui/twips whenever it is set. It is a button: a left-button press and release inside the control
// clicks it, and so do Space, Return, Enter and a screen reader's press action. It is checkable,
// for a screen reader to tell which flag is on, but a click does not toggle it: its owner sets
// the state. The keyboard reaches it with Tab, and then its border
// shows the focus; a mouse click moves no focus to it.

#include "twips.hpp"

#include <QAbstractButton>
#include <QImage>

namespace quadrel {

class ImageBox : public QAbstractButton {
    Q_OBJECT

public:
    // Draws the picture for a size in device pixels; called whenever the control is painted.
    using Drawing = QImage (*)(QSize devicePixels);

    ImageBox(Drawing drawing, QWidget *parent);

    // The box in twips, as last set.
    const layout::BoxF &box() const { return box_; }

    // Moves and sizes the control in one operation.
    void setTwipsBox(layout::BoxF box);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void nextCheckState() override {}

private:
    Drawing drawing_;
    layout::BoxF box_;
};

} // namespace quadrel
