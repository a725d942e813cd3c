// What the keyboard alone and a screen reader can do with the window: the flags and lock options
// as accessible controls, Qt's own texts in the current language, Tab, F6 and the arrow keys, the
// keys that press buttons and close the window, and ratios typed as X/Y or X:Y.

#include "ui_test_support.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QClipboard>
#include <QMenu>
#include <QRadioButton>

#include <array>
#include <memory>

namespace quadrel {
namespace {

using test::describe;
using test::type;

// "it 101010": the language, then whether opzP(0), opzP(1), opzD(0), ... opzR(1) is selected.
QString state(const test::Window &w) {
    QString s = w.tag() + u' ';
    for (const char *pair : {"opzP", "opzD", "opzR"}) {
        for (const int i : {0, 1})
            s += w.get<QRadioButton>(pair, i)->isChecked() ? u'1' : u'0';
    }
    return s;
}

// A screen reader's view: each flag a button named in its language that its press action clicks;
// each lock option a radio button named by its caption, described (and tipped) by what it keeps.
// Qt's own texts (a field's context menu) follow the language.
TEST(Accessibility, FlagsAndLockOptionsSayWhatTheyAreAndDo) {
    // clang-format off
    const struct Language {
        int flag;
        const char *code, *name, *lock, *menu;
        std::array<const char *, 3> kept; // the pixels, the print resolution, the print size
    } languages[] = {
        {1, "uk", "English", "lock", "&Undo|&Redo|Cu&t|&Copy|&Paste|Delete|Select All",
         {"Keeps the pixels fixed", "Keeps the print resolution fixed",
          "Keeps the print size fixed"}},
        {0, "it", "Italiano", "blocca",
         "Ann&ulla|&Rifai|&Taglia|&Copia|&Incolla|Elimina|Seleziona tutto",
         {"Mantiene fissi i pixel", "Mantiene fissa la risoluzione di stampa",
          "Mantiene fisse le dimensioni di stampa"}},
    };
    // clang-format on
    const std::array<std::pair<const char *, int>, 6> options{
        {{"opzP", 1}, {"opzP", 2}, {"opzD", 0}, {"opzD", 2}, {"opzR", 0}, {"opzR", 1}}};
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const Language &l : languages) {
        QWidget *flag = w.get("imgLang", l.flag);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(flag);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Button);
        EXPECT_EQ(a->text(QAccessible::Name), l.name);
        EXPECT_EQ(flag->toolTip(), l.name);
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.tag() == l.code; })) << l.code;
        for (size_t i = 0; i < options.size(); ++i) {
            QWidget *option = w.get(options.at(i).first, int(i % 2));
            QAccessibleInterface *o = QAccessible::queryAccessibleInterface(option);
            const QString kept = l.kept.at(size_t(options.at(i).second));
            EXPECT_EQ(o->role(), QAccessible::RadioButton);
            EXPECT_EQ(o->text(QAccessible::Name), l.lock);
            EXPECT_EQ(o->text(QAccessible::Description), kept) << describe(option);
            EXPECT_EQ(option->toolTip(), kept) << describe(option);
        }
        const std::unique_ptr<QMenu> menu(w.field(0)->createStandardContextMenu());
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts << action->text().section(u'\t', 0, 0);
        texts.removeAll(QString());
        EXPECT_EQ(texts.join(u'|'), l.menu);
    }
    // A mouse click on a flag moves no focus: the field is neither left nor tidied.
    type("0012");
    test::click(w.get("imgLang", 1));
    EXPECT_EQ(QApplication::focusWidget(), w.field(0));
    EXPECT_EQ(w.field(0)->text(), "0012");
}

// Keys only, from the start: Tab to the flags and Space, Return or Enter on them; the option pair
// shown after them; Shift+Tab from the first field to it; F6 to the resolution field's pair and
// back; the arrow keys choose within a pair.
TEST(Keyboard, SwitchesLanguageAndChoosesEveryLockOption) {
    const struct Step {
        const char *keys, *focus, *state;
    } steps[] = {
        // clang-format off
        {"⇥⇥⇥⇥⇥⇥⇥⇥⇥", "imgLang(0)", "it 101010"}, {"⇥ ", "imgLang(1)", "uk 101010"},
        {"⇤⏎", "imgLang(0)", "it 101010"},        {"⇥⌤", "imgLang(1)", "uk 101010"},
        {"⇥↓", "opzR(1)", "uk 101001"},           {"↑", "opzR(0)", "uk 101010"},
        {"⇥⇤", "opzP(0)", "uk 101010"},           {"↓", "opzP(1)", "uk 011010"},
        {"↑", "opzP(0)", "uk 101010"},            {"⇥⇥⇥⇥⑥↓", "opzD(1)", "uk 100110"},
        {"⑥", "txtDati(3)", "uk 100110"},         {"⑥↑", "opzD(0)", "uk 101010"},
    }; // clang-format on
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const Step &s : steps) {
        type(QString::fromUtf8(s.keys));
        EXPECT_EQ(describe(QApplication::focusWidget()), s.focus) << s.keys;
        EXPECT_EQ(state(w), s.state) << s.keys;
    }
}

// Return and Enter press the focused push button, Ctrl+Q closes the window, Escape does not.
TEST(Keyboard, ReturnPressesButtonsAndCtrlQCloses) {
    const struct Case {
        const char *keys;
        double ratio;
        bool open;
    } cases[] = {
        {"⏎", 4.0 / 3.0, true}, {"⌤", 4.0 / 3.0, true}, {"⇥⏎", 2, false},
        {"⎋", 2, true},         {"ⓠ", 2, false},
    };
    for (const Case &c : cases) {
        test::Window w;
        ASSERT_TRUE(w.active);
        w.enter(kFieldCount, "ⓐ2⇥"); // on to cmdDefaultRatio
        type(QString::fromUtf8(c.keys));
        EXPECT_EQ(w.ratio(), c.ratio) << c.keys;
        EXPECT_EQ(w.isVisible(), c.open) << c.keys;
    }
}

// Ratios typed or pasted as X/Y or X:Y, with field 1 at 4000 pixels: the ratio, the vertical
// pixels that follow, and the ratio field's text once left. The data fields drop "/" and ":".
TEST(RatioField, ReadsXOverY) {
    const char *third = "1,33333333333333";
    const struct Case {
        const char *keys, *pasted;
        double ratio;
        const char *pixelsY, *shown;
    } cases[] = {
        // clang-format off
        {"ⓐ3/2", "", 1.5, "2667", "1,5"},   {"ⓐ16:9", "", 16.0 / 9.0, "2250", "1,77777777777778"},
        {"ⓐ8/6", "", 4.0 / 3.0, "3000", third}, {"ⓐ4/0", "", 4, "1000", "4"},
        {"ⓐ3/2/4", "", 1.5, "2667", "1,5"}, {"ⓐⓥ", " 4,5 / 3 ", 1.5, "2667", "1,5"},
        {"ⓐⓥ", "-3/2", 4.0 / 3.0, "3000", third},
    }; // clang-format on
    for (const Case &c : cases) {
        test::Window w;
        ASSERT_TRUE(w.active);
        w.enter(1, "4/0:00");
        w.enter(kFieldCount, "");
        QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        type(QString::fromUtf8(c.keys));
        EXPECT_EQ(w.ratio(), c.ratio) << c.keys << c.pasted;
        EXPECT_EQ(w.field(1)->text() + '|' + w.field(2)->text(), QString("4000|") + c.pixelsY);
        type("⇥");
        EXPECT_EQ(w.ratioField()->text(), c.shown) << c.keys << c.pasted;
    }
}

} // namespace
} // namespace quadrel
