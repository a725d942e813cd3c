// Start-up, live editing, focus handling and close of the window through real key and mouse
// events, and a long run of random events checking what must always hold.

#include "ui_test_support.hpp"

#include "core/number_text.hpp"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

#include <random>

namespace quadrel {
namespace {

using test::click;
using test::type;

// Start-up in either locale. Then the default button sets 4/3 and writes it without recalculating
// (leaving field 1 for the button recalculated under ratio 2), and Ctrl+Q closes the window.
TEST(StartUp, PreparesTheWindowInEitherLocale) {
    for (const auto &[locale, mark] : {std::pair{test::kItalian, ","}, {test::kEnglish, "."}}) {
        test::Window w(locale);
        ASSERT_TRUE(w.active);
        const QString third = QStringLiteral("1%3333333333333").replace(u'%', mark);
        EXPECT_EQ(w.windowTitle(), "Quadrel v1.0 rev.7");
        EXPECT_EQ(w.decimalSep(), mark);
        EXPECT_EQ(w.field(kFieldCount)->text(), third);
        EXPECT_EQ(w.ratio(), 4.0 / 3.0);
        EXPECT_EQ(QApplication::focusWidget(), w.field(0));
        EXPECT_EQ(w.tag() + w.frames() + w.texts(), "itfraP|||||");
        w.enter(kFieldCount, "ⓐ2,0"); // either mark typed gives the locale's
        w.enter(1, "4000.0");
        click(w.get("cmdDefaultRatio"));
        EXPECT_EQ(w.field(kFieldCount)->text(), third);
        EXPECT_EQ(w.ratio(), 4.0 / 3.0);
        EXPECT_EQ(w.texts(), "8|4000|2000|||");
        const QList<QSize> icons = w.windowIcon().availableSizes(); // every desktop icon size
        for (const int side : {16, 32, 48, 64, 128})
            EXPECT_TRUE(icons.contains(QSize(side, side))) << side;
        type("ⓠ");
        EXPECT_FALSE(w.isVisible());
    }
}

// Each step clicks field `click` (-1: none; kFieldCount: the ratio field), types `keys` and
// expects the six data fields' texts. The clipboard holds "-1e3 x" at first.
TEST(FieldEditing, FieldsRecalculateWhileTypedAndTidyWhenLeft) {
    const struct Step {
        int click;
        const char *keys, *texts;
    } steps[] = {
        // clang-format off
        // Pasted text is not filtered; typed, only digits and the decimal mark go in, also from
        // the keypad. The typed field is never written; a text without a number derives nothing;
        // the program's own writes start no recalculation (PixelsX 3266 would give PixelsY 2450).
        {-1, "ⓥ", "-1e3 x|||||"}, {-1, "ⓐ3a-", "3|2000|1500|||"}, {-1, "⎖", "3,|2000|1500|||"},
        {-1, "1", "3,1|2033|1525|||"}, {-1, ".", "3,1,|2033|1525|||"}, {-1, "ⓐ8", "8|3266|2449|||"},
        // Editing keys and shortcuts work; undo takes back a replaced decimal mark.
        {-1, "ⓐ13←2⇱⌦⇲⌫", "2|1633|1225|||"}, {-1, "ⓐⓧⓥⓐⓒ⇲ⓥ", "22|5416|4062|||"},
        {-1, "ⓐ,ⓩ", "22|5416|4062|||"},
        // Leaving tidies and recalculates; Tab and click select the whole text they enter; a field
        // emptied and left gets its text on entry back.
        {-1, "ⓐ0012⇥", "12|4000|3000|||"}, {-1, "2", "0|2|2|||"}, {-1, "⌫⇥", "12|4000|3000|||"},
        {1, "5", "0|5|4|||"},
        // A focus move into the field that Recalc(2) writes nests Recalc(1) inside it.
        {6, "ⓐ0,1", "0|5|50|||"}, {2, "1501", "0,2|150|1501|||"}, {-1, "⇥⇤2000,,", "0,4|200|2000,,|||"},
        {-1, "⇤", "0,2|150|1500|||"},
        // Leaving a field without typing still recalculates from it.
        {4, "27,66", "0,2|141|1414|13|27,66|276,6"}, {5, "", "0,2|141|1414|13|27,66|276,6"},
        {0, "", "0,2|141|1414|13|27,7|276,6"},
    }; // clang-format on
    QApplication::clipboard()->setText(QStringLiteral("-1e3 x"));
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const Step &s : steps) {
        if (s.click >= 0)
            click(w.field(s.click));
        type(QString::fromUtf8(s.keys));
        EXPECT_EQ(w.texts(), QString::fromUtf8(s.texts)) << s.click << " " << s.keys;
    }
}

// A ratio typed or pasted, with field 1 at 4000 pixels (typed as "4/0:00": only the ratio field
// takes "/" and ":"): every positive number, also as X/Y or X:Y, becomes the ratio at once and
// recalculates from field 1; 0, negative numbers and texts without a number are passed over;
// leaving shows the ratio's number text.
TEST(RatioField, TakesPositiveRatiosAndShowsThemWhenLeft) {
    const char *third = "1,33333333333333";
    const struct Case {
        QString keys;
        const char *pasted;
        double ratio;
        const char *pixelsY, *shown;
    } cases[] = {
        {"ⓐ⌦", "", 4.0 / 3.0, "3000", third}, {"⇲" + QString(15, u'⌫'), "", 1, "4000", "1"},
        {"ⓐ0", "", 4.0 / 3.0, "3000", third}, {"ⓐⓥ", "-2", 4.0 / 3.0, "3000", third},
        {"ⓐ02.50", "", 2.5, "1600", "2,5"},   {"ⓐ3a/2", "", 1.5, "2667", "1,5"},
        {"ⓐ4/0", "", 4, "1000", "4"},         {"ⓐ16:9", "", 16.0 / 9.0, "2250", "1,77777777777778"},
        {"ⓐⓥ", " 4,5 / 3 ", 1.5, "2667", "1,5"},
    };
    for (const Case &c : cases) {
        test::Window w;
        ASSERT_TRUE(w.active);
        w.enter(1, "4/0:00");
        click(w.field(kFieldCount));
        QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        type(c.keys);
        const std::string what = c.keys.toStdString() + c.pasted;
        EXPECT_EQ(w.field(1)->text() + '|' + w.field(2)->text(), "4000|" + QString(c.pixelsY))
            << what;
        type("⇥");
        EXPECT_EQ(w.field(kFieldCount)->text(), c.shown) << what;
        EXPECT_EQ(w.ratio(), c.ratio) << what;
    }
}

// Opens the field's context menu as a right click does, picks Paste if asked, and closes it.
void useContextMenu(QLineEdit *field, bool paste = false) {
    const QPoint at = field->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (paste && action->text().endsWith(u'\t' + shortcut))
            action->trigger();
    }
    menu->close();
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
}

// A context menu, another active window or a click on a flag moves no focus: the field is neither
// tidied (a focus-out) nor selected (a focus-in). A paste from the menu recalculates like typing.
TEST(FocusEvents, ContextMenuOtherWindowsAndFlagsAreNoFocusMoves) {
    test::Window w;
    ASSERT_TRUE(w.active);
    type("0012");
    useContextMenu(w.field(0));
    click(w.get("imgLang", 1));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_EQ(QApplication::focusWidget(), w.field(0));
    EXPECT_EQ(w.texts(), "0012|4000|3000|||");
    EXPECT_FALSE(w.field(0)->hasSelectedText());
    type("ⓐ");
    QApplication::clipboard()->setText(QStringLiteral("8"));
    useContextMenu(w.field(0), true);
    EXPECT_EQ(w.texts(), "8|3266|2449|||");
}

// Random keys, pastes and clicks in both locales: the title and the ratio stay sound, a field that
// has not the focus shows a number text or nothing (never nan, inf or -0), and the frame shown is
// the last data field's.
TEST(Monkey, NothingBadEverShows) {
    const std::array<QString, 9> junk{"1e400", "-0", "NaN", "-1e-400", "-8", " 12.5 ",
                                      "1.7976931348623157e308", "-0,0", QString(300, u'9')};
    const QString keys = QString::fromUtf8("0123456789,.,.⌫⌦⇱ⓐⓩⓧ⇥⇤"); // see test::type
    const QString other = QString::fromUtf8("a -+e/:éß∞٣١٫·１−");
    const auto seed = qEnvironmentVariableIsSet("QUADREL_MONKEY_SEED")
                          ? uint(qEnvironmentVariableIntValue("QUADREL_MONKEY_SEED"))
                          : 20240607U;
    for (const QLocale &locale : {test::kItalian, test::kEnglish}) { // 10,000 events in each
        test::Window w(locale);
        ASSERT_TRUE(w.active);
        QList<QWidget *> targets = w.findChildren<QWidget *>(); // what takes the focus but Close
        targets.removeIf([&](QWidget *t) { return !t->focusPolicy() || t == w.get("cmdClose"); });
        std::mt19937 random(seed);
        const auto pick = [&](qsizetype n) {
            return std::uniform_int_distribution<qsizetype>(0, n - 1)(random);
        };
        for (int n = 0; n < 10'000; ++n) {
            QString did;
            if (const auto what = pick(6); what < 3) {
                type(did = keys[pick(keys.size())]);
            } else if (what == 3) { // sent as text only (a space presses no button)
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                    did = other[pick(other.size())], Qt::NoModifier);
            } else if (what == 4) {
                QApplication::clipboard()->setText(did = junk.at(size_t(pick(junk.size()))));
                type(QString::fromUtf8("ⓥ"));
            } else if (QWidget *t = targets.at(pick(targets.size())); t->isVisible()) {
                click(t);
                did = QString::fromStdString("click " + test::describe(t));
            }
            QString problem;
            if (w.windowTitle() != "Quadrel v1.0 rev.7" || !(w.ratio() > 0) ||
                !std::isfinite(w.ratio()))
                problem = "title " + w.windowTitle() + " ratio " + QString::number(w.ratio());
            for (int i = 0; i <= kFieldCount; ++i) {
                const std::string text = w.field(i)->text().toStdString();
                if (w.field(i) != QApplication::focusWidget() &&
                    CleanNumber(text, w.decimalSep().toStdString()) != text)
                    problem = QString::fromStdString(test::describe(w.field(i)) + " shows " + text);
            }
            if (w.frames() != test::frameOf(w.lastField()))
                problem = w.frames() + " shown with last field " + QString::number(w.lastField());
            ASSERT_TRUE(problem.isEmpty())
                << "event " << n << " (" << did.left(20).toStdString() << "), seed " << seed << ", "
                << locale.name().toStdString() << ": " << problem.toStdString();
        }
    }
}

} // namespace
} // namespace quadrel
