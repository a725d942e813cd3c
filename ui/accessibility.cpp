#include "accessibility.hpp"

#include "image_box.hpp"

#include <QAccessibleWidget>

namespace quadrel {

namespace {

// A checkable Qt button would offer a "toggle" action that flips its state without clicking it;
// a flag offers a press that clicks it, as its owner decides what is checked.
class FlagAccessible : public QAccessibleWidget {
public:
    explicit FlagAccessible(ImageBox *flag)
        : QAccessibleWidget(flag, QAccessible::CheckBox) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = static_cast<const ImageBox *>(widget())->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override {
        if (name == pressAction())
            static_cast<ImageBox *>(widget())->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *accessibleFactory(const QString &, QObject *object) {
    if (auto *flag = qobject_cast<ImageBox *>(object))
        return new FlagAccessible(flag);
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
