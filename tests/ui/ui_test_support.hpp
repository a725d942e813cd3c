#pragma once

// Helpers shared by the window tests. Every control of frmMain carries its layout name as its
// objectName; members of a control array also carry their index in the dynamic property "index".
//
// Typical use:
//
//     quadrel::frmMain window;
//     ASSERT_TRUE(quadrel::test::showActive(window));
//     auto *field = quadrel::test::control<QLineEdit>(window, "txtDati", 3);
//     quadrel::test::click(field);                  // focus by mouse
//     QTest::keyClicks(quadrel::test::focused(), "12");
//     EXPECT_EQ(quadrel::test::describe(quadrel::test::pressTab()), "txtDati(4)");

#include "ui/twips.hpp"

#include <QApplication>
#include <QRect>
#include <QString>
#include <QTest>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// Readable GoogleTest messages for the Qt types the window tests compare.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect &r, std::ostream *os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}
inline void PrintTo(const QSize &s, std::ostream *os) {
    *os << "QSize(" << s.width() << " x " << s.height() << ')';
}

namespace quadrel::twips {
inline void PrintTo(const TwipsPerPixel &perPixel, std::ostream *os) {
    *os << perPixel.x << " x " << perPixel.y << " twips per pixel";
}
} // namespace quadrel::twips

namespace quadrel::test {

inline QString qstr(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The array index a control carries, or -1 for a single control.
inline int indexOf(const QObject *control) {
    const QVariant index = control->property("index");
    return index.isValid() ? index.toInt() : -1;
}

// The control named `name` with array index `index` (-1 for a single control) among the
// descendants of `window`, as T; nullptr when there is none or it is not a T.
template <class T = QWidget>
T *control(const QWidget &window, std::string_view name, int index = -1) {
    for (T *candidate : window.findChildren<T *>(qstr(name))) {
        if (indexOf(candidate) == index)
            return candidate;
    }
    return nullptr;
}

// "txtDati(3)", "cmdClose", "(none)": a control's name for test messages.
inline std::string describe(const QWidget *control) {
    if (control == nullptr)
        return "(none)";
    const int index = indexOf(control);
    std::string name = control->objectName().toStdString();
    if (name.empty())
        name = control->metaObject()->className();
    return index < 0 ? name : name + '(' + std::to_string(index) + ')';
}

// Shows the window and waits until it is the active window; false when it never became active.
[[nodiscard]] inline bool showActive(QWidget &window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The widget that has the keyboard focus.
inline QWidget *focused() {
    return QApplication::focusWidget();
}

// Presses Tab (Shift+Tab with `backwards`) on the focused widget, as the user does, and returns
// the widget that has the focus afterwards.
inline QWidget *pressTab(bool backwards = false) {
    QWidget *from = focused();
    if (from == nullptr)
        return nullptr;
    if (backwards)
        QTest::keyClick(from, Qt::Key_Backtab, Qt::ShiftModifier);
    else
        QTest::keyClick(from, Qt::Key_Tab);
    return focused();
}

// A left-button click at `at` (the control's centre by default), as the user does.
inline void click(QWidget *control, std::optional<QPoint> at = std::nullopt) {
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                      at.value_or(control->rect().center()));
}

// A control's rectangle in the coordinates of its window's client area.
inline QRect windowRect(const QWidget *control) {
    const QWidget *window = control->window();
    return {control->mapTo(window, QPoint(0, 0)), control->size()};
}

// Makes the window code see `value` as the screen's twips per pixel for the lifetime of the
// object; the screen's own figure comes back afterwards.
class ScopedTwipsPerPixel {
public:
    explicit ScopedTwipsPerPixel(twips::TwipsPerPixel value) {
        twips::setTwipsPerPixelOverride(value);
    }
    ~ScopedTwipsPerPixel() { twips::setTwipsPerPixelOverride(std::nullopt); }
    ScopedTwipsPerPixel(const ScopedTwipsPerPixel &) = delete;
    ScopedTwipsPerPixel &operator=(const ScopedTwipsPerPixel &) = delete;
};

} // namespace quadrel::test
