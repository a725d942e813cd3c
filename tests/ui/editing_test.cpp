// Start-up, live editing, focus handling and close of the window through real key and mouse
// events, and a long run of random events checking what must always hold.

#include "ui_test_support.hpp"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

#include "core/number_text.hpp"

#include <array>
#include <random>

namespace quadrel {
namespace {

using test::click;
using test::type;

TEST(StartUp, PreparesTheWindowInEitherLocaleAndCloses) {
    struct Case {
        QLocale locale;
        const char *mark;
        const char *ratioText;
    };
    for (const Case &c : {Case{test::kItalian, ",", "1,3333333333333"},
                          Case{test::kEnglish, ".", "1.3333333333333"}}) {
        test::Window w(c.locale);
        ASSERT_TRUE(w.active);
        EXPECT_EQ(w.windowTitle(), "Quadrel v1.0 rev.7");
        EXPECT_EQ(w.decimalSep(), c.mark);
        EXPECT_EQ(w.ratioField()->text(), c.ratioText);
        EXPECT_EQ(w.ratio(), 4.0 / 3.0);
        EXPECT_EQ(QApplication::focusWidget(), w.field(0));
        EXPECT_EQ(w.lastField(), 0);
        EXPECT_TRUE(w.get("fraP")->isVisible());
        EXPECT_TRUE(w.get("fraD")->isHidden() && w.get("fraR")->isHidden());
        EXPECT_EQ(w.texts(), "|||||");
        // The default button sets 4/3 without recalculating; leaving field 1 for it recalculated
        // under ratio 2.
        w.enter(kFieldCount, "ⓐ2");
        w.enter(1, "4000");
        click(w.get("cmdDefaultRatio"));
        EXPECT_EQ(w.ratioField()->text(), c.ratioText);
        EXPECT_EQ(w.ratio(), 4.0 / 3.0);
        EXPECT_EQ(w.texts(), "8|4000|2000|||");
        click(w.get("cmdClose"));
        EXPECT_FALSE(w.isVisible());
    }
}

// Keys typed into an empty data field and the ratio field, in both locales. Pasted text is not
// filtered: the clipboard holds "-1e3 x" unless a case copies.
TEST(KeyFilter, LetsOnlyDigitsAndTheDecimalMarkIn) {
    // clang-format off
    const std::array<std::pair<const char *, const char *>, 17> cases{{ // keys, text; "%": the mark
        {"0123456789", "0123456789"}, {"a Z-+e*", ""}, {"1.5", "1%5"}, {"1,5", "1%5"},
        {"1,2.3", "1%2%3"}, {"2⎖5", "2%5"}, {"１٣٫·", ""}, {"123⌫", "12"}, {"123⇱⌦", "23"},
        {"13←2", "123"}, {"123ⓐ.", "%"}, {"12ⓐⓒ⇲ⓥ", "1212"}, {"12ⓐⓧ", ""}, {"7.ⓩ", ""},
        {"7,ⓩ", ""}, {"45ⓐ,ⓩ", "45"}, {"ⓥ", "-1e3 x"}}};
    // clang-format on
    for (const QLocale &locale : {test::kItalian, test::kEnglish}) {
        test::Window w(locale);
        ASSERT_TRUE(w.active);
        for (QLineEdit *target : {w.field(0), w.ratioField()}) {
            for (const auto &[keys, text] : cases) {
                click(target);
                target->setText(QString()); // no undo history either
                QApplication::clipboard()->setText(QStringLiteral("-1e3 x"));
                type(QString::fromUtf8(keys));
                EXPECT_EQ(target->text(), QString::fromUtf8(text).replace(u'%', w.decimalSep()))
                    << keys << " in " << test::describe(target) << ", "
                    << locale.name().toStdString();
            }
        }
    }
}

// Each step clicks field `click` (-1: none; kFieldCount: the ratio field), types `keys` and
// expects the six data fields' texts.
TEST(FieldEditing, FieldsRecalculateWhileTypedAndTidyWhenLeft) {
    struct Step {
        int click;
        const char *keys;
        const char *texts;
    };
    // clang-format off
    const Step steps[] = {
        // The typed field is never written; a text without a number derives nothing; the program's
        // own writes start no recalculation (PixelsX 3266 would give PixelsY 2450).
        {-1, "3", "3|2000|1500|||"}, {-1, ",", "3,|2000|1500|||"}, {-1, "1", "3,1|2033|1525|||"},
        {-1, ",", "3,1,|2033|1525|||"}, {-1, "ⓐ8", "8|3266|2449|||"},
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
    };
    // clang-format on
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const Step &s : steps) {
        if (s.click >= 0)
            click(w.field(s.click));
        type(QString::fromUtf8(s.keys));
        EXPECT_EQ(w.texts(), QString::fromUtf8(s.texts)) << s.click << " " << s.keys;
    }
}

// Every positive number typed becomes the ratio at once and recalculates from the last data
// field; 0 and negative numbers are passed over; leaving shows the number tidied, or the ratio.
TEST(RatioField, TakesPositiveNumbersOnly) {
    struct Case {
        QString keys;
        double ratio;
        const char *pixelsY;
        const char *shown;
    };
    const char *third = "1,33333333333333";
    const Case cases[] = {
        {"ⓐ⌦", 4.0 / 3.0, "3000", third},  {"⇲" + QString(15, u'⌫'), 1.0, "4000", "1"},
        {"ⓐⓥ", 4.0 / 3.0, "3000", third},  {"ⓐ0", 4.0 / 3.0, "3000", third},
        {"ⓐ0,", 4.0 / 3.0, "3000", third}, {"ⓐ0,5", 0.5, "8000", "0,5"},
        {"ⓐ0,50", 0.5, "8000", "0,5"},     {"ⓐ02.50", 2.5, "1600", "2,5"},
        {"ⓐ1,5", 1.5, "2667", "1,5"},
    };
    for (const Case &c : cases) {
        test::Window w;
        ASSERT_TRUE(w.active);
        w.enter(1, "4000");
        click(w.ratioField());
        QApplication::clipboard()->setText(QStringLiteral("-2"));
        type(c.keys);
        EXPECT_EQ(w.ratio(), c.ratio) << c.keys.toStdString();
        EXPECT_EQ(w.field(1)->text() + '|' + w.field(2)->text(), QString("4000|") + c.pixelsY);
        type("⇥");
        EXPECT_EQ(w.ratioField()->text(), c.shown) << c.keys.toStdString();
        EXPECT_EQ(w.ratio(), c.ratio) << c.keys.toStdString();
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

// A context menu or another active window moves no focus: the field is neither tidied (a
// focus-out) nor selected (a focus-in). A paste from the menu recalculates like typing.
TEST(FocusEvents, ContextMenuAndOtherWindowsAreNoFocusMoves) {
    test::Window w;
    ASSERT_TRUE(w.active);
    type("0012");
    useContextMenu(w.field(0));
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
    type("5");
    EXPECT_EQ(w.field(0)->text(), "85");
}

TEST(Monkey, NothingBadEverShows) {
    // clang-format off
    const std::array<QString, 13> junk{"1e400", "-0", "NaN", "∞", "１２", "-1e-400", "-8", " 12.5 ",
        "inf", "1,2.3", "1.7976931348623157e308", "-0,0", QString(300, u'9')};
    // clang-format on
    const QString keys = QString::fromUtf8("0123456789,.,.⌫⌦⇱ⓐⓩⓧ⇥⇤"); // see test::type
    const QString other = QString::fromUtf8("éß∞٣١٫·１−");
    const std::array<const char *, 3> frames{"fraP", "fraD", "fraR"};
    const auto seed = qEnvironmentVariableIsSet("QUADREL_MONKEY_SEED")
                          ? uint(qEnvironmentVariableIntValue("QUADREL_MONKEY_SEED"))
                          : 20240607U;
    for (const QLocale &locale : {test::kItalian, test::kEnglish}) { // 10,000 events in each
        test::Window w(locale);
        ASSERT_TRUE(w.active);
        std::vector<QWidget *> targets{w.ratioField(), w.get("cmdDefaultRatio"),
                                       w.get("imgLang", 0), w.get("imgLang", 1)};
        for (int i = 0; i < kFieldCount; ++i)
            targets.insert(targets.end(), {w.field(i), w.field(i)});
        for (const char *group : {"opzP", "opzD", "opzR"})
            targets.insert(targets.end(), {w.get(group, 0), w.get(group, 1)});
        std::mt19937 random(seed);
        const auto pick = [&](qsizetype n) {
            return std::uniform_int_distribution<qsizetype>(0, n - 1)(random);
        };
        const std::string dec = w.decimalSep().toStdString();
        for (int n = 0; n < 10'000; ++n) {
            QString did;
            switch (pick(6)) {
            case 0:
            case 1:
            case 2:
                test::type(did = keys[pick(keys.size())]);
                break;
            case 3: // any printable character, sent as text only (a space presses no button)
                did = pick(3) == 0 ? other[pick(other.size())] : QChar(char16_t(32 + pick(95)));
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, did,
                                    Qt::NoModifier);
                break;
            case 4:
                QApplication::clipboard()->setText(did = junk.at(size_t(pick(junk.size()))));
                test::type(QString::fromUtf8("ⓥ"));
                break;
            default:
                if (QWidget *t = targets.at(size_t(pick(qsizetype(targets.size()))));
                    t->isVisible()) {
                    test::click(t);
                    did = QString::fromStdString("click " + test::describe(t));
                }
            }
            QString problem;
            if (w.windowTitle() != "Quadrel v1.0 rev.7" || !(w.ratio() > 0) ||
                !std::isfinite(w.ratio()))
                problem = "title " + w.windowTitle() + " ratio " + QString::number(w.ratio());
            // A field that has not the focus holds empty or a number text, never nan, inf or -0.
            for (int i = 0; i <= kFieldCount; ++i) {
                const QLineEdit *f = w.field(i);
                const std::string text = f->text().toStdString();
                if (f != QApplication::focusWidget() && CleanNumber(text, dec) != text &&
                    !text.empty())
                    problem = QString::fromStdString(test::describe(f)) + " shows " + f->text();
            }
            const int last = w.lastField();
            for (int f = 0; f < 3; ++f) {
                if (w.get(frames.at(f))->isVisible() != (f == (last < 3 ? 0 : last == 3 ? 1 : 2)))
                    problem =
                        QStringLiteral("%1 wrong with last field %2").arg(frames.at(f)).arg(last);
            }
            ASSERT_TRUE(problem.isEmpty())
                << "event " << n << " (" << did.left(20).toStdString() << "), seed " << seed << ", "
                << locale.name().toStdString() << ": " << problem.toStdString();
        }
    }
}

} // namespace
} // namespace quadrel
