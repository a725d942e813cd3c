#pragma once

// A number field: a line edit whose typed characters go through a filter (the window's behaviour
// decides what each one puts into the field, if anything). The line edit itself decides what a key
// does: editing keys, shortcuts and pasted text are never filtered. Text committed by an input
// method is filtered as typed text is. A mouse click that enters the field keeps the selection
// that entering it made. Its context menu is the line edit's own with the program's entries added;
// Shift+F10 opens it as the Menu key does. Files (URLs) dropped on it are no text to insert: they
// are handed on (filesDropped); text dropped goes in as the line edit puts it.

#include <QLineEdit>
#include <QMenu>
#include <QPoint>
#include <QUrl>

#include <functional>
#include <optional>

namespace quadrel {

class NumberField : public QLineEdit {
    Q_OBJECT

public:
    // What typing a character puts into the field: a character, or nothing.
    using Filter = std::function<std::optional<char32_t>(char32_t)>;
    // Adds the program's entries to the field's context menu, after the line edit's own.
    using MenuEntries = std::function<void(QMenu &)>;

    NumberField(Filter filter, MenuEntries entries, QWidget *parent);

    // Sets the text as the program's own write. Unless the user is in the field, the caret goes to
    // the start, so that a text longer than the field shows its sign and leading digits.
    void write(const QString &text);

signals:
    void filesDropped(const QList<QUrl> &files);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QString filtered(const QString &typed) const; // what typed text puts into the field
    void openMenu(QPoint at);                     // the context menu, at a global position

    Filter filter_;
    MenuEntries entries_;
    bool enteredByClick_ = false;  // the press that entered the field is still to come
    std::optional<QPoint> heldAt_; // where that press is held
};

} // namespace quadrel
