// Live editing, start-up and close of the window, through real key and mouse events.

#include "ui/frmMain.hpp"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFrame>
#include <QKeySequence>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

// Readable values in failure messages.
void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}
void PrintTo(const QStringList &texts, std::ostream *os) {
    *os << '{' << texts.join(QLatin1String("|")).toStdString() << '}';
}

namespace {

using quadrel::frmMain;

const QLocale kItalian(QLocale::Italian, QLocale::Italy);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

// "%" in an expected text stands for the locale's decimal mark.
QString withMark(QString text, const QString &mark) {
    return text.replace(u'%', mark);
}

class Window {
public:
    explicit Window(const QLocale &locale) {
        QLocale::setDefault(locale);
        window_ = std::make_unique<frmMain>();
        window_->show();
        active_ = QTest::qWaitForWindowActive(window_.get());
    }
    ~Window() {
        window_.reset();
        QLocale::setDefault(QLocale::system());
    }

    frmMain &operator*() const { return *window_; }
    frmMain *operator->() const { return window_.get(); }
    bool active() const { return active_; }

    template <class T> T *find(const char *name, int index = -1) const {
        for (T *w : window_->findChildren<T *>(QString::fromLatin1(name))) {
            if (index < 0 || w->property("index").toInt() == index)
                return w;
        }
        return nullptr;
    }
    QLineEdit *field(int i) const { return find<QLineEdit>("txtDati", i); }
    QLineEdit *ratioField() const { return find<QLineEdit>("txtRatio"); }
    QFrame *frame(const char *name) const { return find<QFrame>(name); }
    QWidget *focused() const { return window_->focusWidget(); }

    // Real input to whatever has the focus.
    void type(const QString &text) const {
        for (QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(focused(), c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    void key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) const {
        QTest::keyClick(focused(), key, mods);
    }
    void click(QWidget *w) const {
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }
    // Clicks field i and replaces its text by typing.
    void enter(int i, const QString &text) const {
        click(field(i));
        type(text);
    }

    QStringList texts() const {
        QStringList out;
        for (int i = 0; i < quadrel::kFieldCount; ++i)
            out << field(i)->text();
        return out;
    }

private:
    std::unique_ptr<frmMain> window_;
    bool active_ = false;
};

TEST(StartUp, PreparesTheWindowBeforeTheFirstEntry) {
    struct Case {
        QLocale locale;
        QString mark;
        QString ratioText;
    };
    for (const Case &c :
         {Case{kItalian, ",", "1,3333333333333"}, Case{kEnglish, ".", "1.3333333333333"}}) {
        Window w(c.locale);
        ASSERT_TRUE(w.active());
        EXPECT_EQ(w->windowTitle(), "Quadrel v1.0 rev.7");
        EXPECT_EQ(w->decimalSep(), c.mark);
        EXPECT_EQ(w->ratio(), 4.0 / 3.0);
        EXPECT_EQ(w->tag(), "it");
        EXPECT_EQ(w.ratioField()->text(), c.ratioText);
        // The first focus is a real entry into the megapixel field.
        EXPECT_EQ(w.focused(), w.field(0));
        EXPECT_EQ(w->lastField(), 0);
        EXPECT_TRUE(w.frame("fraP")->isVisible());
        EXPECT_FALSE(w.frame("fraD")->isVisible());
        EXPECT_FALSE(w.frame("fraR")->isVisible());
        EXPECT_EQ(w.texts(), QStringList({"", "", "", "", "", ""}));
    }
}

TEST(StartUp, CloseButtonClosesTheWindow) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.enter(0, "8");
    w.click(w.find<QPushButton>("cmdClose"));
    EXPECT_FALSE(w->isVisible());
}

// Keys typed into an empty field, in both locales, for a data field and the ratio field.
TEST(KeyFilter, LetsOnlyDigitsAndTheDecimalMarkIn) {
    struct Case {
        const char *what;
        std::function<void(const Window &)> keys;
        QString expected; // "%" is the decimal mark
    };
    const std::vector<Case> cases{
        {"digits", [](const Window &w) { w.type("0123456789"); }, "0123456789"},
        {"letters, blank, signs", [](const Window &w) { w.type("a Z-+e*"); }, ""},
        {"full stop", [](const Window &w) { w.type("1.5"); }, "1%5"},
        {"comma", [](const Window &w) { w.type("1,5"); }, "1%5"},
        {"second mark is not stopped", [](const Window &w) { w.type("1,2.3"); }, "1%2%3"},
        {"keypad decimal key",
         [](const Window &w) {
             w.type("2");
             QTest::keyClick(w.focused(), Qt::Key_Period, Qt::KeypadModifier);
             QTest::keyClick(w.focused(), Qt::Key_5, Qt::KeypadModifier);
         },
         "2%5"},
        {"non-ASCII digits and marks", [](const Window &w) { w.type(QStringLiteral("１٣٫·")); },
         ""},
        {"Alt with a letter", [](const Window &w) { w.key(Qt::Key_A, Qt::AltModifier); }, ""},
        {"Backspace",
         [](const Window &w) {
             w.type("123");
             w.key(Qt::Key_Backspace);
         },
         "12"},
        {"Home, Delete",
         [](const Window &w) {
             w.type("123");
             w.key(Qt::Key_Home);
             w.key(Qt::Key_Delete);
         },
         "23"},
        {"arrows",
         [](const Window &w) {
             w.type("13");
             w.key(Qt::Key_Left);
             w.type("2");
         },
         "123"},
        {"Ctrl+A replaced by a mark",
         [](const Window &w) {
             w.type("123");
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.type(".");
         },
         "%"},
        {"Ctrl+C, Ctrl+V",
         [](const Window &w) {
             w.type("12");
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.key(Qt::Key_C, Qt::ControlModifier);
             w.key(Qt::Key_End);
             w.key(Qt::Key_V, Qt::ControlModifier);
         },
         "1212"},
        {"Ctrl+X",
         [](const Window &w) {
             w.type("12");
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.key(Qt::Key_X, Qt::ControlModifier);
         },
         ""},
        // The replaced mark is undone together with the digit typed before it, as a typed one is.
        {"Ctrl+Z after a full stop",
         [](const Window &w) {
             w.type("7.");
             w.key(Qt::Key_Z, Qt::ControlModifier);
         },
         ""},
        {"Ctrl+Z after a comma",
         [](const Window &w) {
             w.type("7,");
             w.key(Qt::Key_Z, Qt::ControlModifier);
         },
         ""},
        {"Ctrl+Z takes back a mark that replaced a selection",
         [](const Window &w) {
             w.type("45");
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.type(",");
             w.key(Qt::Key_Z, Qt::ControlModifier);
         },
         "45"},
        {"pasted text is not filtered",
         [](const Window &w) {
             QApplication::clipboard()->setText("-1e3 x");
             w.key(Qt::Key_V, Qt::ControlModifier);
         },
         "-1e3 x"},
    };
    for (const QLocale &locale : {kItalian, kEnglish}) {
        Window w(locale);
        ASSERT_TRUE(w.active());
        for (QLineEdit *target : {w.field(0), w.ratioField()}) {
            for (const Case &c : cases) {
                SCOPED_TRACE(QStringLiteral("%1 in %2, %3")
                                 .arg(c.what, target->objectName(), locale.name())
                                 .toStdString());
                w.click(target);
                target->setText(QString()); // no undo history either
                c.keys(w);
                EXPECT_EQ(target->text(), withMark(c.expected, w->decimalSep()));
            }
        }
    }
}

TEST(FieldEditing, TypingRecalculatesOnEveryKeystroke) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    struct Step {
        const char *key;
        QStringList texts;
    };
    // The typed field is never written; a text without a number derives nothing. The program's
    // writes into the other fields start no recalculation of their own: PixelsX 3266 would give
    // PixelsY 2450.
    const std::vector<Step> steps{
        {"3", {"3", "2000", "1500", "", "", ""}},
        {",", {"3,", "2000", "1500", "", "", ""}},
        {"1", {"3,1", "2033", "1525", "", "", ""}},
        {",", {"3,1,", "2033", "1525", "", "", ""}},
    };
    for (const Step &s : steps) {
        w.type(s.key);
        EXPECT_EQ(w.texts(), s.texts) << "after " << s.key;
    }
    w.field(0)->selectAll();
    w.type("8");
    EXPECT_EQ(w.texts(), QStringList({"8", "3266", "2449", "", "", ""}));
    EXPECT_EQ(w->lastField(), 0);
}

TEST(FieldEditing, EnteringSelectsAndLeavingTidiesAndRecalculates) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.type("0012");
    EXPECT_EQ(w.field(0)->text(), "0012");
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.focused(), w.field(1));
    EXPECT_EQ(w.texts(), QStringList({"12", "4000", "3000", "", "", ""}));

    // Tab selects the whole text, so the first digit replaces it.
    EXPECT_EQ(w.field(1)->selectedText(), "4000");
    w.type("2");
    EXPECT_EQ(w.texts(), QStringList({"0", "2", "2", "", "", ""}));

    // Emptied and left: the text on entry comes back and the figures follow it.
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.field(1)->text(), "");
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.texts(), QStringList({"12", "4000", "3000", "", "", ""}));

    // A mouse click enters a field with the whole text selected as well.
    w.click(w.field(1));
    EXPECT_EQ(w.field(1)->selectedText(), "4000");
    w.type("4");
    EXPECT_EQ(w.field(1)->text(), "4");

    // Leaving a field without typing still recalculates from it.
    w.click(w.field(4));
    w.type("27,66");
    EXPECT_EQ(w.field(5)->text(), "20,7");
    w.click(w.field(5));
    EXPECT_EQ(w.field(4)->text(), "27,66");
    w.click(w.field(0));
    EXPECT_EQ(w.field(4)->text(), "27,6");
}

TEST(FieldEditing, ShowsTheLockFrameOfTheEnteredField) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    const char *frames[] = {"fraP", "fraD", "fraR"};
    const char *expected[] = {"fraP", "fraP", "fraP", "fraD", "fraR", "fraR"};
    for (int i : {3, 5, 2, 4, 1, 0}) {
        w.click(w.field(i));
        for (const char *f : frames)
            EXPECT_EQ(w.frame(f)->isVisible(), qstrcmp(f, expected[i]) == 0) << i << " " << f;
        EXPECT_EQ(w->lastField(), i);
    }
    // Moving on to a control that is no data field leaves the frame as it is.
    w.click(w.field(5));
    w.click(w.ratioField());
    EXPECT_TRUE(w.frame("fraR")->isVisible()); // left as the last data field showed it
    EXPECT_EQ(w->lastField(), 5);
}

// Moving the focus from field 2 to field 1 lands in the field that Recalc(2) writes, so Recalc(1)
// runs inside it and its figures stand for the fields up to 2.
TEST(FieldEditing, FocusMoveIntoAWrittenFieldNestsOneRecalculation) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.click(w.ratioField());
    w.key(Qt::Key_A, Qt::ControlModifier);
    w.type("0,1");
    w.enter(2, "1501");
    EXPECT_EQ(w.texts(), QStringList({"0,2", "150", "1501", "", "", ""}));
    w.key(Qt::Key_Tab);
    w.key(Qt::Key_Backtab);
    w.type("2000,,"); // no number: field 1 keeps 200
    EXPECT_EQ(w.field(1)->text(), "200");
    w.key(Qt::Key_Backtab);
    // Field 2 goes back to 1501, Recalc(2) writes 150 into field 1, and Recalc(1) derives 1500.
    EXPECT_EQ(w.texts(), QStringList({"0,2", "150", "1500", "", "", ""}));
    EXPECT_EQ(w.field(1)->selectedText(), "150");
}

TEST(RatioField, EveryPositiveNumberTypedBecomesTheRatio) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.enter(1, "4000");
    w.click(w.ratioField());
    w.key(Qt::Key_A, Qt::ControlModifier);
    w.key(Qt::Key_Delete);
    EXPECT_EQ(w->ratio(), 4.0 / 3.0);
    struct Step {
        const char *key;
        double ratio;
        QString pixelsY;
    };
    // 0 and "0," hold no usable ratio and are passed over.
    for (const Step &s : {Step{"0", 4.0 / 3.0, "3000"}, Step{",", 4.0 / 3.0, "3000"},
                          Step{"5", 0.5, "8000"}, Step{"0", 0.5, "8000"}}) {
        w.type(s.key);
        EXPECT_EQ(w->ratio(), s.ratio) << s.key;
        EXPECT_EQ(w.field(2)->text(), s.pixelsY) << s.key;
        EXPECT_EQ(w.field(1)->text(), "4000");
    }
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.ratioField()->text(), "0,5");

    // Typing "1,5" after emptying: 1, 1 and 1.5, each time derived from field 1.
    w.click(w.ratioField());
    w.key(Qt::Key_A, Qt::ControlModifier);
    w.type("1,5");
    EXPECT_EQ(w->ratio(), 1.5);
    EXPECT_EQ(w.texts(), QStringList({"10,7", "4000", "2667", "", "", ""}));
}

TEST(RatioField, LeavingShowsTheNumberOrTheCurrentRatio) {
    struct Case {
        const char *what;
        std::function<void(const Window &)> edit;
        double ratio;
        QString shown;
    };
    const std::vector<Case> cases{
        {"deleted in one step",
         [](const Window &w) {
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.key(Qt::Key_Delete);
         },
         4.0 / 3.0, "1,33333333333333"},
        {"deleted key by key",
         [](const Window &w) {
             w.key(Qt::Key_End);
             for (int n = 0; n < 15; ++n)
                 w.key(Qt::Key_Backspace);
         },
         1.0, "1"},
        {"pasted negative number",
         [](const Window &w) {
             QApplication::clipboard()->setText("-2");
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.key(Qt::Key_V, Qt::ControlModifier);
         },
         4.0 / 3.0, "1,33333333333333"},
        {"zero",
         [](const Window &w) {
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.type("0");
         },
         4.0 / 3.0, "1,33333333333333"},
        {"tidied",
         [](const Window &w) {
             w.key(Qt::Key_A, Qt::ControlModifier);
             w.type("02.50");
         },
         2.5, "2,5"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Window w(kItalian);
        ASSERT_TRUE(w.active());
        w.enter(0, "8");
        const QStringList before = w.texts();
        w.click(w.ratioField());
        c.edit(w);
        EXPECT_EQ(w->ratio(), c.ratio);
        w.key(Qt::Key_Tab);
        EXPECT_EQ(w.ratioField()->text(), c.shown);
        EXPECT_EQ(w->ratio(), c.ratio);
        for (const QString &text : w.texts())
            EXPECT_FALSE(text.startsWith('-')) << text.toStdString();
        if (c.ratio == 4.0 / 3.0) {
            EXPECT_EQ(w.texts(), before);
        }
    }
}

TEST(RatioField, DefaultButtonSetsFourThirdsWithoutRecalculating) {
    Window w(kEnglish);
    ASSERT_TRUE(w.active());
    w.click(w.ratioField());
    w.key(Qt::Key_A, Qt::ControlModifier);
    w.type("2");
    w.enter(1, "4000");
    EXPECT_EQ(w.field(2)->text(), "2000");
    w.click(w.find<QPushButton>("cmdDefaultRatio"));
    EXPECT_EQ(w.ratioField()->text(), "1.3333333333333");
    EXPECT_EQ(w->ratio(), 4.0 / 3.0);
    // Leaving field 1 for the button recalculated under ratio 2; the button itself does not.
    EXPECT_EQ(w.field(2)->text(), "2000");
    w.click(w.field(1));
    w.click(w.field(0));
    EXPECT_EQ(w.field(2)->text(), "3000");
}

// Opens the field's context menu as a right click would and runs `inMenu` on the menu once it
// is open, whether it opens modal or not.
void withContextMenu(QLineEdit *field, const std::function<void(QMenu *)> &inMenu) {
    bool done = false;
    std::function<void()> poll;
    poll = [&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *menu = qobject_cast<QMenu *>(top); menu && menu->isVisible()) {
                inMenu(menu);
                done = true;
                return;
            }
        }
        QTimer::singleShot(0, poll);
    };
    QTimer::singleShot(0, poll);
    const QPoint at = field->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &event);
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }));
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
}

// The menu's action for a standard key, found by the shortcut that its text shows.
QAction *menuAction(QMenu *menu, QKeySequence::StandardKey key) {
    const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (action->text().endsWith(QLatin1Char('\t') + shortcut))
            return action;
    }
    return nullptr;
}

TEST(FocusEvents, ContextMenuIsNoFocusMove) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.type("0012");
    withContextMenu(w.field(0), [](QMenu *menu) { menu->close(); });
    EXPECT_EQ(w.focused(), w.field(0));
    // Neither tidied (a focus-out) nor selected (a focus-in).
    EXPECT_EQ(w.field(0)->text(), "0012");
    EXPECT_FALSE(w.field(0)->hasSelectedText());
    EXPECT_EQ(w.field(1)->text(), "4000");

    // A paste from the menu recalculates like typing; the pasted text is not filtered.
    w.field(0)->selectAll();
    QApplication::clipboard()->setText("8");
    withContextMenu(w.field(0), [](QMenu *menu) {
        QAction *paste = menuAction(menu, QKeySequence::Paste);
        ASSERT_NE(paste, nullptr);
        paste->trigger();
        menu->close();
    });
    EXPECT_EQ(w.texts(), QStringList({"8", "3266", "2449", "", "", ""}));
    EXPECT_FALSE(w.field(0)->hasSelectedText());
    w.type("5");
    EXPECT_EQ(w.field(0)->text(), "85");
}

TEST(FocusEvents, AnotherWindowIsNoFocusMove) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.type("0012");
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&*w));
    EXPECT_EQ(w.focused(), w.field(0));
    EXPECT_EQ(w.field(0)->text(), "0012");
    EXPECT_FALSE(w.field(0)->hasSelectedText());
    w.type("3");
    EXPECT_EQ(w.field(0)->text(), "00123");

    // A move made while the window is inactive is caught up on activation: the field left is
    // tidied and recalculated before the new one is entered.
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w.field(3)->setFocus(Qt::OtherFocusReason);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&*w));
    EXPECT_EQ(w.field(0)->text(), "123");
    EXPECT_EQ(w.field(1)->text(), "12806");
    EXPECT_EQ(w->lastField(), 3);
    EXPECT_TRUE(w.frame("fraD")->isVisible());
}

TEST(FocusEvents, ButtonsAndOptionsAreFocusMoves) {
    Window w(kItalian);
    ASSERT_TRUE(w.active());
    w.type("0012");
    auto *option = w.find<QRadioButton>("opzP", 1);
    w.click(option);
    EXPECT_TRUE(option->isChecked());
    EXPECT_EQ(w.field(0)->text(), "12"); // left for the option
    w.click(w.field(0));
    EXPECT_EQ(w.field(0)->selectedText(), "12"); // entered again
}

} // namespace
