#include "accessibility.hpp"

#include "image_box.hpp"
#include "number_field.hpp"

#include <QAccessibleWidget>
#include <QFontMetrics>

namespace quadrel {

namespace {

class FlagAccessible : public QAccessibleWidget {
public:
    explicit FlagAccessible(ImageBox *flag)
        : QAccessibleWidget(flag, QAccessible::RadioButton) {}

    // The tooltip, which Qt gives where there is no description, repeats the name.
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Description ? widget()->accessibleDescription()
                                             : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = flag()->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override {
        if (name == pressAction())
            flag()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    ImageBox *flag() const { return static_cast<ImageBox *>(widget()); }
};

// Qt's own line-edit interface is not public, so the text interface is written here on the line
// edit's public functions.
class FieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit FieldAccessible(NumberField *field)
        : QAccessibleWidget(field, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(QString)"));
    }

    void *interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                               : QAccessibleWidget::interface_cast(t);
    }
    // An empty field's placeholder, which says what would fill it, is read as its description.
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Description && field()->text().isEmpty() &&
            !field()->placeholderText().isEmpty())
            return field()->placeholderText();
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = s.selectableText = true;
        return s;
    }

    QString text(int start, int end) const override {
        return field()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(field()->text().size()); }
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int *start, int *end) const override {
        const bool any = index == 0 && field()->hasSelectedText();
        *start = any ? field()->selectionStart() : 0;
        *end = any ? field()->selectionEnd() : 0;
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int start, int end) override {
        field()->setSelection(start, end - start);
    }
    // A character's box, measured in the field's font from the caret's.
    QRect characterRect(int offset) const override {
        const QString text = field()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        const QFontMetrics metrics(field()->font());
        const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(text.left(offset)) -
                      metrics.horizontalAdvance(text.left(field()->cursorPosition()));
        return {field()->mapToGlobal(QPoint(x, caret.y())),
                QSize(metrics.horizontalAdvance(text.mid(offset, 1)), metrics.height())};
    }
    int offsetAtPoint(const QPoint &point) const override {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        field()->setCursorPosition(end);
        field()->setCursorPosition(start);
    }

private:
    NumberField *field() const { return static_cast<NumberField *>(widget()); }
};

QAccessibleInterface *accessibleFactory(const QString &, QObject *object) {
    if (auto *flag = qobject_cast<ImageBox *>(object))
        return new FlagAccessible(flag);
    if (auto *field = qobject_cast<NumberField *>(object))
        return new FieldAccessible(field);
    const QVariant role = object->property("accessibleRole");
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr || !role.isValid())
        return nullptr;
    return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(accessibleFactory);
}

} // namespace quadrel
