#include "number_field.hpp"

#include "accessibility.hpp"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <utility>

namespace quadrel {

NumberField::NumberField(Filter filter, MenuEntries entries, QWidget *parent)
    : QLineEdit(parent)
    , filter_(std::move(filter))
    , entries_(std::move(entries)) {
    // A line edit reports its first caret position as a move, whenever it comes: it is taken now.
    const Unreported unreported;
    setCursorPosition(0);
}

void NumberField::write(const QString &text) {
    // A field whose figure stays as it was (the resolution, while the pixels are typed with the
    // resolution kept) is left alone: setting the same text still moves the caret to the end, and
    // back to the start below, and the field would repaint for nothing on every keystroke.
    if (text != this->text())
        setText(text);
    if (window()->focusWidget() != this)
        setCursorPosition(0);
}

QString NumberField::filtered(const QString &typed) const {
    QString out;
    for (const char32_t c : typed.toUcs4()) {
        if (const std::optional<char32_t> put = filter_(c))
            out += QString::fromUcs4(&*put, 1);
    }
    return out;
}

void NumberField::contextMenuEvent(QContextMenuEvent *event) {
    // The keys that open the menu are this field's own (keyPressEvent); some platforms also send
    // a menu request for the Menu key.
    if (event->reason() != QContextMenuEvent::Keyboard)
        openMenu(event->globalPos());
}

void NumberField::openMenu(QPoint at) {
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSeparator();
    entries_(*menu);
    menu->popup(at);
}

void NumberField::keyPressEvent(QKeyEvent *event) {
    enteredByClick_ = false;
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        openMenu(mapToGlobal(cursorRect().bottomLeft()));
        return;
    }
    const QString text = filtered(event->text());
    if (text == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // The same key with the text the field takes: the line edit decides whether it is typed text
    // (a dropped character leaves a key without text, which it passes over).
    QKeyEvent key(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                  event->nativeVirtualKey(), event->nativeModifiers(), text, event->isAutoRepeat(),
                  static_cast<quint16>(event->count()), event->device());
    QLineEdit::keyPressEvent(&key);
    event->setAccepted(key.isAccepted());
}

void NumberField::inputMethodEvent(QInputMethodEvent *event) {
    if (!event->commitString().isEmpty()) {
        event->setCommitString(filtered(event->commitString()), event->replacementStart(),
                               event->replacementLength());
    }
    QLineEdit::inputMethodEvent(event);
}

void NumberField::focusInEvent(QFocusEvent *event) {
    enteredByClick_ = event->reason() == Qt::MouseFocusReason;
    const Unreported unreported; // the line edit's select-all on Tab, before Qt reports the focus
    QLineEdit::focusInEvent(event);
}

void NumberField::focusOutEvent(QFocusEvent *event) {
    const Unreported unreported; // the line edit drops its selection as the focus leaves
    QLineEdit::focusOutEvent(event);
}

// The press that gives the field the focus would move the caret and drop the selection that
// entering the field has made: it is swallowed, with the small movements of the same click.
void NumberField::mousePressEvent(QMouseEvent *event) {
    if (std::exchange(enteredByClick_, false) && event->button() == Qt::LeftButton) {
        heldAt_ = event->position().toPoint();
        return;
    }
    heldAt_.reset();
    QLineEdit::mousePressEvent(event);
}

void NumberField::mouseMoveEvent(QMouseEvent *event) {
    if (heldAt_ && (event->position().toPoint() - *heldAt_).manhattanLength() <
                       QApplication::startDragDistance())
        return;
    heldAt_.reset(); // a real drag selects as usual
    QLineEdit::mouseMoveEvent(event);
}

void NumberField::mouseReleaseEvent(QMouseEvent *event) {
    heldAt_.reset();
    QLineEdit::mouseReleaseEvent(event);
}

// A file manager's drag carries the file's path as text as well; the URLs decide.
void NumberField::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void NumberField::dragMoveEvent(QDragMoveEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        QLineEdit::dragMoveEvent(event);
}

void NumberField::dropEvent(QDropEvent *event) {
    if (!event->mimeData()->hasUrls())
        return QLineEdit::dropEvent(event);
    event->acceptProposedAction();
    emit filesDropped(event->mimeData()->urls());
}

} // namespace quadrel
