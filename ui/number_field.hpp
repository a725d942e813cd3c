#pragma once

// A number field: a line edit that takes only digits and the decimal mark from the keyboard. A
// decimal digit of any script goes in as its ASCII digit, "," and "." as the locale's decimal mark,
// in the ratio field also the "/" and ":" of a ratio written X/Y or X:Y; every other typed
// character is dropped. The line edit itself decides what a key does: editing keys, shortcuts and
// pasted text are never filtered. Text committed by an input method is filtered as typed text is.
// A mouse click that enters the field keeps the selection that entering it made.

#include "core/key_filter.hpp"

#include <QLineEdit>
#include <QPoint>

#include <optional>

namespace quadrel {

class NumberField : public QLineEdit {
    Q_OBJECT

public:
    NumberField(KeyField kind, QWidget *parent);

    // The decimal mark that typed "," and "." become.
    void setDecimalMark(const QString &mark) { mark_ = mark; }

    // Sets the text as the program's own write. Unless the user is in the field, the caret goes to
    // the start, so that a text longer than the field shows its sign and leading digits.
    void write(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString filtered(const QString &typed) const; // what typed text puts into the field

    KeyField kind_;
    QString mark_ = QStringLiteral(".");
    bool enteredByClick_ = false;  // the press that entered the field is still to come
    std::optional<QPoint> heldAt_; // where that press is held
};

} // namespace quadrel
