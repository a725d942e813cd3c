// The window through real key and mouse events: layout, languages, what a screen reader and the
// keyboard alone get, start-up, editing, focus, random events, and its pixels at 1.5 times the
// scale. The program is built twice: as it is, and (QUADREL_TEST_SCALE) with all tests at 1.5.

#include "core/number_text.hpp"
#include "lang/captions.hpp"
#include "ui/flags.hpp"
#include "ui/frmMain.hpp"
#include "ui/layout.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quadrel {
namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

std::string describe(const QWidget *w) { // "txtDati(3)", "cmdClose", "-" for none
    const QString i = w != nullptr ? w->property("index").toString() : QString();
    return w ? (w->objectName() + (i.isEmpty() ? "" : '(' + i + ')')).toStdString() : "-";
}

QString q(std::optional<std::string_view> text) {
    return QString::fromStdString(std::string(text.value_or("")));
}

// Types `keys` into the focused widget, each character as typed apart from ⌫ Backspace, ⌦ Delete,
// ⇱ Home, ⇲ End, ← Left, ↑ Up, ↓ Down, ⇥ Tab, ⏎ Return, ⎋ Escape, ⑥ F6, ⇤ Shift+Tab, the keypad's
// ⌤ Enter and ⎖ decimal key, and ⓐ to ⓩ for Ctrl+A to Ctrl+Z.
void type(const QString &keys) {
    static const QString named = QString::fromUtf8("⌫⌦⇱⇲←↑↓⇥⏎⎋⑥⇤⌤⎖");
    static const std::array<Qt::Key, 14> key{
        Qt::Key_Backspace, Qt::Key_Delete,  Qt::Key_Home,  Qt::Key_End,    Qt::Key_Left,
        Qt::Key_Up,        Qt::Key_Down,    Qt::Key_Tab,   Qt::Key_Return, Qt::Key_Escape,
        Qt::Key_F6,        Qt::Key_Backtab, Qt::Key_Enter, Qt::Key_Period};
    for (const QChar c : keys) {
        QWidget *to = QApplication::focusWidget();
        const auto k = named.indexOf(c);
        const auto mods = k < 11 ? Qt::NoModifier : k > 11 ? Qt::KeypadModifier : Qt::ShiftModifier;
        if (k >= 0)
            QTest::keyClick(to, key.at(size_t(k)), mods);
        else if (c >= u'ⓐ' && c <= u'ⓩ')
            QTest::keyClick(to, Qt::Key(Qt::Key_A + c.unicode() - u'ⓐ'), Qt::ControlModifier);
        else if (c.unicode() < 128)
            QTest::keyClick(to, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void click(QWidget *w, QPoint at = {-1, -1}) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.x() < 0 ? w->rect().center() : at);
}

// The window, created under `locale` (the default locale until the window goes), shown, active.
// Every control carries its layout name as objectName, and array members their "index".
class Window : public frmMain {
public:
    explicit Window(const QLocale &locale = kItalian)
        : frmMain((QLocale::setDefault(locale), nullptr)) {
        show();
        active = QTest::qWaitForWindowActive(this);
    }
    ~Window() override { QLocale::setDefault(QLocale::system()); }
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
    QString texts() const { // the data fields' and the ratio field's: "12|4000|3000||||4"
        QStringList all;
        for (int i = 0; i <= kFieldCount; ++i)
            all << field(i)->text();
        return all.join(u'|');
    }
    // Whether only the last data field's lock frame shows (other controls leave the frames).
    bool framesFollowLastField() const {
        const int last = lastField();
        return get("fraP")->isVisible() == (last < 3) && get("fraD")->isVisible() == (last == 3) &&
               get("fraR")->isVisible() == (last > 3);
    }
};

// Opens the field's context menu as a right click does, picks Paste if asked, and closes it.
void useContextMenu(QLineEdit *field, bool paste = false) {
    const QPoint at = field->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QString key = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *action : menu->actions()) {
        if (paste && action->text().endsWith(u'\t' + key))
            action->trigger();
    }
    menu->close();
}

// Every control sits in its container at its converted place, labels sized to their text and the
// current language's flag 4 pixels larger a side: at any pixel density, in either language.
TEST(Layout, EveryControlSitsInPlaceAtAnyDensity) {
    static constexpr std::array kContainers{"frmMain", "fraP", "fraD", "fraR"};
    for (const twips::TwipsPerPixel d :
         {twips::TwipsPerPixel{}, {12, 12}, {7.5F, 7.5F}, {12, 15}}) {
        twips::setTwipsPerPixelOverride(d);
        Window w;
        ASSERT_TRUE(w.active);
        EXPECT_EQ(w.minimumSize(), w.maximumSize());
        for (const int current : {0, 1, 0}) {
            click(w.get("imgLang", current)); // the first click changes nothing
            for (const layout::Place &p : layout::kPlaces) {
                QWidget *c = w.get(p.name, p.index);
                QRect expected = twips::toPixels(p.box);
                if (qobject_cast<QLabel *>(c) != nullptr)
                    expected.setSize(c->sizeHint());
                if (p.name == "imgLang" && p.index == current)
                    expected.adjust(-4, -4, 4, 4);
                EXPECT_EQ(c->parentWidget()->objectName(), kContainers.at(size_t(p.container)));
                EXPECT_TRUE(c->geometry() == expected)
                    << describe(c) << " at " << d.x << "x" << d.y;
            }
        }
        if (d == twips::TwipsPerPixel{}) { // the layout's own figures at 15 twips per pixel
            EXPECT_EQ(w.size(), QSize(322, 284));
            EXPECT_EQ(w.get("imgLang", 1)->geometry(), QRect(44, 4, 29, 16));
            EXPECT_EQ(w.get("lnLines", 4)->geometry(), QRect(5, 192, 312, 1));
        }
    }
    twips::setTwipsPerPixelOverride(std::nullopt);
}

// A flag, a button named in its own language, pressed as a screen reader does, writes its
// language's captions from the language tables, and Qt's own texts follow; a click on the current
// flag, also on its border, rewrites nothing. A lock option is a radio button named by its caption,
// described (and tipped) by what it keeps. Every label ends before its field, every button shows
// its whole caption.
TEST(Language, FlagsSwitchEveryCaptionBothWays) {
    using lang::Kept;
    // clang-format off
    const std::array<std::tuple<const char *, int, Kept>, 6> options{{
        {"opzP", 0, Kept::PrintResolution}, {"opzP", 1, Kept::PrintSize}, {"opzD", 0, Kept::Pixels},
        {"opzD", 1, Kept::PrintSize}, {"opzR", 0, Kept::Pixels}, {"opzR", 1, Kept::PrintResolution}}};
    // clang-format on
    const std::array codes{lang::kItalian, lang::kEnglish};
    Window w;
    ASSERT_TRUE(w.active);
    const auto text = [&](const char *name, int i = -1) {
        return w.get(name, i)->property("text").toString();
    };
    for (const int f : {1, 0}) {
        w.get("cmdClose")->setProperty("text", "marker");
        click(w.get("imgLang", 1 - f));
        click(w.get("imgLang", 1 - f), QPoint(1, 1));
        EXPECT_EQ(text("cmdClose"), "marker");
        const std::string_view code = codes.at(size_t(f));
        QWidget *flag = w.get("imgLang", f);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(flag);
        EXPECT_EQ(a->role(), QAccessible::Button);
        QStringList shown{a->text(QAccessible::Name), flag->toolTip()};
        QStringList expected{q(lang::LanguageName(code)), q(lang::LanguageName(code))};
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.tag() == q(code); })) << code;
        shown << text("lblRatio") << text("cmdDefaultRatio") << text("lblAuthor")
              << text("cmdClose") << text("lblOptions");
        expected << q(lang::RatioText(code)) << q(lang::DefaultText(code))
                 << q(lang::CreditText(code)) << q(lang::CloseText(code))
                 << ' ' + q(lang::OptionsText(code)) + ' ';
        EXPECT_LT(w.get("lblRatio")->geometry().right(), w.field(kFieldCount)->x());
        for (int i = 0; i < kFieldCount; ++i) {
            shown << text("lblLabels", i);
            expected << q(lang::LabelText(i, code));
            EXPECT_LT(w.get("lblLabels", i)->geometry().right(), w.field(i)->x()) << i;
        }
        for (const auto &[name, i, kept] : options) {
            QAccessibleInterface *o = QAccessible::queryAccessibleInterface(w.get(name, i));
            EXPECT_EQ(o->role(), QAccessible::RadioButton);
            const QString hint = q(lang::LockHint(kept, code));
            shown << o->text(QAccessible::Name) << o->text(QAccessible::Description)
                  << w.get(name, i)->toolTip();
            expected << q(lang::LockText(code)) << hint << hint;
        }
        EXPECT_EQ(shown.join(u'|'), expected.join(u'|'));
        EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste"), f ? "&Paste" : "&Incolla");
        EXPECT_EQ(w.Lang2Index(q(code).toUpper()), f); // the flag's code, letter case aside
        for (const QAbstractButton *b : w.findChildren<QAbstractButton *>()) { // within frames
            QStyleOptionButton option;
            option.initFrom(b);
            const auto part = qobject_cast<const QRadioButton *>(b) != nullptr
                                  ? QStyle::SE_RadioButtonContents
                                  : QStyle::SE_PushButtonContents;
            const QRect room = b->style()->subElementRect(part, &option, b) &
                               b->parentWidget()->rect().translated(-b->pos());
            EXPECT_GE(room.width(), b->fontMetrics().horizontalAdvance(b->text())) << describe(b);
        }
    }
}

// Keys only: Tab through the fields to the flags, Space, Return or Enter on them; then the option
// pair shown, one stop at its selected option; Shift+Tab from the first field to it; F6 to the
// resolution field's pair and back; the arrows choose within a pair; Escape closes nothing, Return
// on Close closes. Each step gives the focus, the language and the options selected.
TEST(Keyboard, SwitchesLanguageChoosesEveryLockOptionAndCloses) {
    const std::array<std::pair<const char *, const char *>, 13> steps{{
        // clang-format off
        {"⇥⇥⇥⇥⇥⇥⇥⇥⇥", "imgLang(0) it 101010"}, {"⇥ ", "imgLang(1) uk 101010"},
        {"⇤⏎", "imgLang(0) it 101010"}, {"⇥⌤", "imgLang(1) uk 101010"}, {"⇥↓", "opzR(1) uk 101001"},
        {"↑", "opzR(0) uk 101010"}, {"⇥⇤", "opzP(0) uk 101010"}, {"↓", "opzP(1) uk 011010"},
        {"⇥⇥⇥⇥⑥↓", "opzD(1) uk 010110"}, {"⑥", "txtDati(3) uk 010110"}, {"⑥↑", "opzD(0) uk 011010"},
        {"⎋", "opzD(0) uk 011010"}, {"⇤⇤⇤⏎", "- uk 011010 closed"}, // Return on cmdClose
    }}; // clang-format on
    Window w;
    ASSERT_TRUE(w.active);
    for (const auto &[keys, expected] : steps) {
        type(QString::fromUtf8(keys));
        QString state =
            QString::fromStdString(describe(QApplication::focusWidget())) + u' ' + w.tag() + u' ';
        for (const char *pair : {"opzP", "opzD", "opzR"}) {
            for (const int i : {0, 1})
                state += w.get<QRadioButton>(pair, i)->isChecked() ? u'1' : u'0';
        }
        EXPECT_EQ(state + (w.isVisible() ? "" : " closed"), QString(expected)) << keys;
    }
}

// Start-up in either locale; the default button sets 4/3 without recalculating (leaving field 1 for
// it recalculated under ratio 2). A context menu, another window or a flag click moves no focus:
// the field is neither tidied nor selected; a paste from the menu recalculates. Ctrl+Q closes.
TEST(StartUp, PreparesTheWindowInEitherLocaleAndCloses) {
    for (const auto &[locale, mark] : {std::pair{kItalian, ","}, {kEnglish, "."}}) {
        Window w(locale);
        ASSERT_TRUE(w.active);
        EXPECT_EQ(w.windowTitle(), "Quadrel v1.0 rev.7");
        EXPECT_TRUE(w.field(0)->hasFocus() && w.tag() == "it" && w.framesFollowLastField());
        click(w.field(kFieldCount));
        type("ⓐ2,0"); // either mark typed gives the locale's
        click(w.field(1));
        type("4000.0");
        EXPECT_EQ(w.texts(), QStringLiteral("8|4000%0|2000||||2").replace(u'%', mark));
        click(w.get("cmdDefaultRatio"));
        EXPECT_EQ(w.ratio(), 4.0 / 3.0);
        EXPECT_EQ(w.texts(), QStringLiteral("8|4000|2000||||1%3333333333333").replace(u'%', mark));
        click(w.field(0));
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
        EXPECT_EQ(w.texts().section(u'|', 0, 2), "0012|4000|3000");
        EXPECT_FALSE(w.field(0)->hasSelectedText());
        type("ⓐ");
        QApplication::clipboard()->setText(QStringLiteral("8"));
        useContextMenu(w.field(0), true);
        EXPECT_EQ(w.texts().section(u'|', 0, 2), "8|3266|2449");
        type("ⓠ");
        EXPECT_FALSE(w.isVisible());
    }
}

// Each step clicks field `click` (-1: none; 6: the ratio field; 7: the default-ratio button), types
// `keys` and expects the data fields' and ratio field's texts. The clipboard holds "-2" at first.
TEST(FieldEditing, FieldsRecalculateWhileTypedAndTidyWhenLeft) {
    const struct Step {
        int click;
        const char *keys, *texts;
    } steps[] = {
        // clang-format off
        // Only the ratio field takes "/" and ":". A positive ratio typed, also X/Y or X:Y, counts
        // at once and recalculates from the last data field; 0, a negative number pasted and a
        // text without a number are passed over; leaving shows the ratio's number text.
        {1, "4/0:00", "12|4000|3000||||1,3333333333333"}, {6, "ⓐⓥ⇥", "12|4000|3000||||1,33333333333333"},
        {6, "ⓐ0⇥", "12|4000|3000||||1,33333333333333"}, {6, "ⓐ⌦⇥", "12|4000|3000||||1,33333333333333"},
        {6, "⇲⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫", "16|4000|4000||||"}, {-1, "⇥", "16|4000|4000||||1"},
        {6, "ⓐ02.50⇥", "6,4|4000|1600||||2,5"}, {6, "ⓐ3a/2⇥", "10,7|4000|2667||||1,5"},
        {6, "ⓐ4/0⇥", "4|4000|1000||||4"}, {6, "ⓐ16:9⇥", "9|4000|2250||||1,77777777777778"},
        {7, "", "9|4000|2250||||1,3333333333333"}, // the default button recalculates nothing
        // Pasted text is not filtered; typed, only digits and the decimal mark go in, also from
        // the keypad. The typed field is never written; a text without a number derives nothing;
        // the program's own writes start no recalculation (PixelsX 3266 would give PixelsY 2450).
        {0, "ⓥ", "-2|4000|2250||||1,3333333333333"}, {-1, "ⓐ3a-", "3|2000|1500||||1,3333333333333"},
        {-1, "⎖", "3,|2000|1500||||1,3333333333333"}, {-1, "1", "3,1|2033|1525||||1,3333333333333"},
        {-1, ".", "3,1,|2033|1525||||1,3333333333333"}, {-1, "ⓐ8", "8|3266|2449||||1,3333333333333"},
        // Editing keys and shortcuts work; undo takes back a replaced decimal mark.
        {-1, "ⓐ13←2⇱⌦⇲⌫", "2|1633|1225||||1,3333333333333"},
        {-1, "ⓐⓧⓥⓐⓒ⇲ⓥ", "22|5416|4062||||1,3333333333333"}, {-1, "ⓐ.", ",|5416|4062||||1,3333333333333"},
        {-1, "ⓩ", "22|5416|4062||||1,3333333333333"},
        // Leaving tidies and recalculates; Tab and click select the whole text they enter; a field
        // emptied and left gets its text on entry back.
        {-1, "ⓐ0012⇥", "12|4000|3000||||1,3333333333333"}, {-1, "2", "0|2|2||||1,3333333333333"},
        {-1, "⌫⇥", "12|4000|3000||||1,3333333333333"}, {1, "5", "0|5|4||||1,3333333333333"},
        // A focus move into the field that Recalc(2) writes nests Recalc(1) inside it.
        {6, "ⓐ0,1", "0|5|50||||0,1"}, {2, "1501", "0,2|150|1501||||0,1"},
        {-1, "⇥⇤2000,,", "0,4|200|2000,,||||0,1"}, {-1, "⇤", "0,2|150|1500||||0,1"},
        // Leaving a field without typing still recalculates from it.
        {4, "27,66", "0,2|141|1414|13|27,66|276,6|0,1"}, {5, "", "0,2|141|1414|13|27,66|276,6|0,1"},
        {0, "", "0,2|141|1414|13|27,7|276,6|0,1"},
    }; // clang-format on
    QApplication::clipboard()->setText(QStringLiteral("-2"));
    Window w;
    ASSERT_TRUE(w.active);
    for (const Step &s : steps) {
        if (s.click >= 0)
            click(s.click <= kFieldCount ? w.field(s.click) : w.get("cmdDefaultRatio"));
        type(QString::fromUtf8(s.keys));
        EXPECT_EQ(w.texts(), QString::fromUtf8(s.texts)) << s.click << " " << s.keys;
    }
}

// Random keys (also ones no field takes), pastes and clicks, 10,000 in each locale: the ratio stays
// positive, a field without the focus shows a number text or nothing (never nan, inf or -0), and
// the frame shown is the last data field's.
TEST(Monkey, NothingBadEverShows) {
    const QStringList junk{
        "1e400",           "-0", "NaN", "-1e-400", "-8", " 12.5 ", "-0,0", "1.7976931348623157e308",
        QString(300, u'9')};
    const QString keys = QString::fromUtf8("0123456789,.,.⌫⌦⇱ⓐⓩⓧ⇥⇤a-+e/:éß∞٣١٫·１−"); // see type
    std::mt19937 random(20240607U);
    const auto pick = [&](qsizetype n) {
        return std::uniform_int_distribution<qsizetype>(0, n - 1)(random);
    };
    for (const QLocale &locale : {kItalian, kEnglish}) {
        Window w(locale);
        ASSERT_TRUE(w.active);
        QList<QWidget *> targets = w.findChildren<QWidget *>(); // what takes the focus but Close
        targets.removeIf([&](QWidget *t) { return !t->focusPolicy() || t == w.get("cmdClose"); });
        for (int n = 0; n < 10'000 && !HasFailure(); ++n) {
            if (const auto what = pick(5); what < 3) {
                type(keys[pick(keys.size())]);
            } else if (what == 3) {
                QApplication::clipboard()->setText(junk.at(pick(junk.size())));
                type(QString::fromUtf8("ⓥ"));
            } else if (QWidget *t = targets.at(pick(targets.size())); t->isVisible()) {
                click(t);
            }
            EXPECT_TRUE(w.ratio() > 0 && std::isfinite(w.ratio())) << n << ": " << w.ratio();
            EXPECT_TRUE(w.framesFollowLastField()) << n;
            for (int i = 0; i <= kFieldCount; ++i) {
                const std::string text = w.field(i)->text().toStdString();
                EXPECT_TRUE(w.field(i)->hasFocus() ||
                            CleanNumber(text, w.decimalSep().toStdString()) == text)
                    << "event " << n << ", " << describe(w.field(i)) << ": " << text;
            }
        }
    }
}

bool near(QRgb a, QRgb b) { // within 8 in every colour channel
    return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
           std::abs(qBlue(a) - qBlue(b)) <= 8;
}

// At 1.5 times the scale, where layout and device pixels do not line up: inside their two-pixel
// borders the tricolour has one colour a column and the Union Flag is the same after a half turn;
// the rule and the shown frame's bracket keep the text colour but under the options heading; the
// window manager gets every desktop icon size; the Union Flag is counterchanged.
TEST(Scale, FlagsLinesAndIconsKeepTheirPixels) {
    Window w;
    ASSERT_TRUE(w.active);
    const QImage shot = w.grab().toImage();
    if (shot.devicePixelRatio() != 1.5)
        GTEST_SKIP() << "runs in the program built with QUADREL_TEST_SCALE";
    const auto onDevice = [&](const char *name, int i, int inset) {
        const QWidget *c = w.get(name, i);
        const QRectF r(QPointF(c->mapTo(&w, QPoint(0, 0))) * 1.5, QSizeF(c->size()) * 1.5);
        return QRect(QPoint(qRound(r.left()), qRound(r.top())),
                     QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1))
            .adjusted(inset, inset, -inset, -inset);
    };
    const QRect italian = onDevice("imgLang", 0, 2);
    std::vector<QRgb> columns;
    for (int x = italian.left(); x <= italian.right(); ++x) {
        columns.push_back(shot.pixel(x, italian.top()));
        for (int y = italian.top(); y <= italian.bottom(); ++y)
            ASSERT_EQ(shot.pixel(x, y), columns.back()) << "column " << x << " row " << y;
    }
    EXPECT_EQ(columns.front(), qRgb(0x00, 0x92, 0x46));
    EXPECT_EQ(columns.back(), qRgb(0xCE, 0x2B, 0x37));
    const QImage uk = shot.copy(onDevice("imgLang", 1, 2)), turned = uk.mirrored(true, true);
    for (int y = 0; y < uk.height(); ++y) {
        for (int x = 0; x < uk.width(); ++x)
            ASSERT_TRUE(near(uk.pixel(x, y), turned.pixel(x, y))) << x << "," << y;
    }
    const QRgb ink = w.palette().color(QPalette::WindowText).rgb();
    for (const int i : {1, 4}) {
        const QRect line = onDevice("lnLines", i, 0);
        const bool vertical = line.height() > line.width();
        for (int k = 2; k < (vertical ? line.height() : line.width()) - 2; ++k) {
            const QPoint at = vertical ? QPoint(line.left(), line.top() + k)
                                       : QPoint(line.left() + k, line.top());
            if (!onDevice("lblOptions", -1, 0).contains(at)) {
                ASSERT_EQ(shot.pixel(at), ink) << "lnLines(" << i << ") at " << k;
            }
        }
    }
    EXPECT_EQ(w.windowIcon().availableSizes(),
              (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    const QImage drawn = flags::unionFlag({120, 60}); // 2 pixels a unit of its 60 x 30 field
    const QRgb red = qRgb(0xC8, 0x10, 0x2E), white = qRgb(255, 255, 255);
    const std::array<std::pair<QPoint, QRgb>, 4> sides{
        {{{29, 16}, red}, {{30, 13}, white}, {{30, 46}, red}, {{29, 43}, white}}};
    for (const auto &[at, colour] : sides)
        EXPECT_TRUE(near(drawn.pixel(at), colour)) << at.x() << "," << at.y();
}

} // namespace
} // namespace quadrel

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) // also when CTest lists the tests
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef QUADREL_TEST_SCALE
    qputenv("QT_SCALE_FACTOR", QUADREL_TEST_SCALE);
#endif
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
