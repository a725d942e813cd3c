#pragma once

// The window under test and real input to it. Every control of frmMain carries its layout name as
// its objectName; members of a control array carry their index in the dynamic property "index".

#include "ui/frmMain.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect &r, std::ostream *os) {
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}

namespace quadrel::test {

inline const QLocale kItalian(QLocale::Italian, QLocale::Italy);
inline const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

inline std::string describe(const QWidget *w) { // "txtDati(3)", "cmdClose"
    const QVariant i = w != nullptr ? w->property("index") : QVariant();
    return (w != nullptr ? w->objectName() + (i.isValid() ? '(' + i.toString() + ')' : "") : "-")
        .toStdString();
}

// The lock frame shown once data field i has been entered; other controls leave the frames alone.
inline QString frameOf(int i) {
    return QString::fromLatin1(i < 3 ? "fraP" : i == 3 ? "fraD" : "fraR");
}

// Types `keys` into the focused widget, each character as typed apart from these keys:
// ⌫ Backspace, ⌦ Delete, ⇱ Home, ⇲ End, ← Left, ↑ Up, ↓ Down, ⇥ Tab, ⇤ Shift+Tab, ⏎ Return,
// ⌤ and ⎖ the keypad's Enter and decimal key, ⎋ Escape, ⑥ F6, and ⓐ to ⓩ Ctrl+A to Ctrl+Z.
inline void type(const QString &keys) {
    const Qt::KeyboardModifiers none, pad = Qt::KeypadModifier;
    // clang-format off
    static const std::map<char16_t, std::pair<Qt::Key, Qt::KeyboardModifiers>> special{
        {u'⌫', {Qt::Key_Backspace, none}}, {u'⌦', {Qt::Key_Delete, none}}, {u'⇱', {Qt::Key_Home, none}},
        {u'⇲', {Qt::Key_End, none}}, {u'←', {Qt::Key_Left, none}}, {u'↑', {Qt::Key_Up, none}},
        {u'↓', {Qt::Key_Down, none}}, {u'⇥', {Qt::Key_Tab, none}}, {u'⏎', {Qt::Key_Return, none}},
        {u'⇤', {Qt::Key_Backtab, Qt::ShiftModifier}}, {u'⌤', {Qt::Key_Enter, pad}},
        {u'⎖', {Qt::Key_Period, pad}}, {u'⎋', {Qt::Key_Escape, none}}, {u'⑥', {Qt::Key_F6, none}}};
    // clang-format on
    for (const QChar c : keys) {
        QWidget *to = QApplication::focusWidget();
        if (c >= u'ⓐ' && c <= u'ⓩ')
            QTest::keyClick(to, Qt::Key(Qt::Key_A + c.unicode() - u'ⓐ'), Qt::ControlModifier);
        else if (const auto k = special.find(c.unicode()); k != special.end())
            QTest::keyClick(to, k->second.first, k->second.second);
        else if (c.unicode() < 128)
            QTest::keyClick(to, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void click(QWidget *w, QPoint at = {-1, -1}) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.x() < 0 ? w->rect().center() : at);
}

struct DefaultLocale {
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(QLocale::system()); }
};

// The window, created under `locale`, shown and active.
class Window : DefaultLocale, public frmMain {
public:
    explicit Window(const QLocale &locale = kItalian)
        : DefaultLocale(locale) {
        show();
        active = QTest::qWaitForWindowActive(this);
    }
    bool active = false;

    // The control `name` with array index `i` (-1 for a single control), as T.
    template <class T = QWidget> T *get(std::string_view name, int i = -1) const {
        for (T *c : findChildren<T *>(QString::fromLatin1(name.data(), qsizetype(name.size())))) {
            if (c->property("index").toInt() == i || !c->property("index").isValid())
                return c;
        }
        return nullptr;
    }
    QLineEdit *field(int i) const { // data field i; kFieldCount: the ratio field
        return get<QLineEdit>(i < kFieldCount ? "txtDati" : "txtRatio", i);
    }
    void enter(int i, const QString &keys) const {
        click(field(i));
        type(keys);
    }
    QString texts() const { // the data fields': "12|4000|3000|||"
        QStringList all;
        for (int i = 0; i < kFieldCount; ++i)
            all << field(i)->text();
        return all.join(u'|');
    }
    QString frames() const { // the lock frames shown: "fraP"
        QString shown;
        for (const char *frame : {"fraP", "fraD", "fraR"})
            shown += get(frame)->isVisible() ? QString::fromLatin1(frame) : QString();
        return shown;
    }
};

} // namespace quadrel::test
