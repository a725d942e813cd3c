#pragma once

// Finding a control of the window by its layout name and array index, as the window itself, its
// tests and its benchmarks do. Every control carries its layout name as objectName; members of a
// control array also carry their index in the property "index".

#include <QString>
#include <QVariant>
#include <QWidget>

#include <string_view>

namespace quadrel {

// The control `name` with array index `index` (-1 for a single control) among the descendants of
// `window`, as T; nullptr when there is none.
//   findControl<QLineEdit>(&window, "field", 3)   findControl(&window, "pixelLocks")
template <class T = QWidget>
T *findControl(const QWidget *window, std::string_view name, int index = -1) {
    const QString objectName = QString::fromLatin1(name.data(), qsizetype(name.size()));
    for (T *control : window->findChildren<T *>(objectName)) {
        const QVariant i = control->property("index");
        if (i.isValid() ? i.toInt() == index : index < 0)
            return control;
    }
    return nullptr;
}

} // namespace quadrel
