// The window through real key and mouse events: layout, languages, what a screen reader and the
// keyboard alone get, start-up, editing, focus, and its pixels at 1.5 times the scale. The program
// is built twice: as it is, and (QUADREL_TEST_SCALE) with all tests at 1.5.

#include "core/key_filter.hpp"
#include "ui/common/behaviour.hpp"
#include "ui/common/version.hpp"
#include "ui/qt/main_window.hpp"
#include "ui/qt/twips.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>

#include <gtest/gtest.h>

inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace quadrel {
namespace {

const QLocale kItalian(QLocale::Italian, QLocale::Italy);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

std::string describe(const QWidget *w) { // "field.3", "closeButton", "-" for none
    return w ? w->objectName().toStdString() : "-";
}

void click(QWidget *w, QPoint at = {-1, -1}) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.x() < 0 ? w->rect().center() : at);
}

// The window, created under `locale` (the default locale until the window goes), shown, active.
class Window : public MainWindow {
public:
    explicit Window(const QLocale &locale = kItalian)
        : MainWindow((QLocale::setDefault(locale), nullptr)) {
        show();
        active = QTest::qWaitForWindowActive(this);
    }
    ~Window() override { QLocale::setDefault(QLocale::system()); }
    bool active = false;

    template <class T = QWidget> T *get(const Control &control) const {
        return static_cast<T *>(widget(control));
    }
    QLineEdit *field(int i) const { // data field i; kFieldCount: the ratio field
        return get<QLineEdit>(i < kFieldCount ? Control::Field(i) : kRatioField);
    }
    QString texts() const { // the data fields' and the ratio field's: "12|4000|3000||||4"
        QStringList all;
        for (int i = 0; i <= kFieldCount; ++i)
            all << field(i)->text();
        return all.join(u'|');
    }
    // Focus, language and the six options ("field.3 en 100110"), " closed" once closed.
    QString state() const {
        QString s = QString::fromStdString(describe(QApplication::focusWidget())) + ' ' +
                    QString::fromUtf8(behaviour().language()) + ' ';
        for (const LockPair pair : kLockPairs) {
            for (const int i : {0, 1})
                s += get<QRadioButton>(Control::Lock(pair, i))->isChecked() ? u'1' : u'0';
        }
        return s + (isVisible() ? "" : " closed");
    }

    // Types `keys` into the focused control, each character as typed apart from ⌫ Backspace,
    // ⌦ Delete, ⇱ Home, ⇲ End, ← → ↑ ↓ arrows, ⇥ Tab, ⏎ Return, ⎋ Escape, ⑥ F6, ⇤ Shift+Tab, the
    // keypad's ⌤ Enter and ⎖ decimal key, ⓐ to ⓩ for Ctrl+A to Ctrl+Z, Ⓒ Ctrl+Shift+C; ❶ to ❼
    // click data field 0 to 5 and the ratio field, ❽ the default-ratio button, Ⓘ Ⓔ the flags.
    void type(const QString &keys) const {
        static const QString named = QString::fromUtf8("⌫⌦⇱⇲←→↑↓⇥⏎⎋⑥⇤⌤⎖");
        static const std::array<Qt::Key, 15> key{
            Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home,    Qt::Key_End,   Qt::Key_Left,
            Qt::Key_Right,     Qt::Key_Up,     Qt::Key_Down,    Qt::Key_Tab,   Qt::Key_Return,
            Qt::Key_Escape,    Qt::Key_F6,     Qt::Key_Backtab, Qt::Key_Enter, Qt::Key_Period};
        for (const char32_t c : keys.toUcs4()) {
            QWidget *to = QApplication::focusWidget();
            const auto k = c < 0x10000 ? named.indexOf(QChar(c)) : -1;
            const auto mods = k < 12   ? Qt::NoModifier
                              : k > 12 ? Qt::KeypadModifier
                                       : Qt::ShiftModifier;
            if (k >= 0)
                QTest::keyClick(to, key.at(size_t(k)), mods);
            else if (c == U'Ⓒ')
                QTest::keyClick(to, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            else if (c >= U'ⓐ' && c <= U'ⓩ')
                QTest::keyClick(to, Qt::Key(Qt::Key_A + int(c - U'ⓐ')), Qt::ControlModifier);
            else if (c >= U'❶' && c <= U'❽')
                click(c < U'❽' ? field(int(c - U'❶')) : get({Role::DefaultRatioButton}));
            else if (c == U'Ⓘ' || c == U'Ⓔ')
                click(get(Control::Flag(c == U'Ⓘ' ? 0 : 1)));
            else if (c < 128)
                QTest::keyClick(to, char(c));
            else
                QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                    Qt::NoModifier);
        }
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

// Every control sits in its container at its place rounded to whole pixels, labels sized to their
// text and the current language's flag 4 pixels larger a side: at any pixel density, in either
// language. At 15 twips a pixel a few places are checked against their own figures.
TEST(Layout, EveryControlSitsInPlaceAtAnyDensity) {
    for (const layout::TwipsPerPixel d :
         {layout::TwipsPerPixel{}, {12, 12}, {7.5F, 7.5F}, {12, 15}}) {
        twips::setTwipsPerPixelOverride(d);
        Window w;
        ASSERT_TRUE(w.active);
        const auto px = [](float twips, float perPixel) {
            return int(std::lround(twips / perPixel));
        };
        EXPECT_EQ(w.minimumSize(), w.maximumSize());
        EXPECT_EQ(w.size(), QSize(px(4830, d.x), px(4260, d.y)));
        for (const int current : {0, 1, 0}) {
            click(w.get(Control::Flag(current))); // the first click changes nothing
            for (const auto &[control, b] : layout::kControls) {
                QWidget *c = w.get(control);
                QRect expected(px(b.left, d.x), px(b.top, d.y), b.width ? px(b.width, d.x) : 1,
                               b.height ? px(b.height, d.y) : 1);
                if (qobject_cast<QLabel *>(c) != nullptr)
                    expected.setSize(c->sizeHint());
                if (control == Control::Flag(current))
                    expected.adjust(-4, -4, 4, 4);
                const std::optional<Control> in = layout::ContainerOf(control);
                EXPECT_EQ(c->parentWidget(), in ? w.get(*in) : &w) << describe(c);
                EXPECT_TRUE(c->geometry() == expected)
                    << describe(c) << " at " << d.x << "x" << d.y;
            }
        }
        if (d == layout::TwipsPerPixel{}) {
            EXPECT_EQ(w.size(), QSize(322, 284));
            EXPECT_EQ(w.get(Control::Flag(1))->geometry(), QRect(44, 4, 29, 16));
            EXPECT_EQ(w.field(5)->geometry(), QRect(148, 147, 97, 19));
            EXPECT_EQ(w.get(Control::Lock(LockPair::Resolution, 1))->geometry(),
                      QRect(2, 107, 61, 17));
        }
    }
    twips::setTwipsPerPixelOverride(std::nullopt);
}

// A flag, a button named in its own language and checked while its language is on, pressed as a
// screen reader does, gives every control its language's text and hint (shown, or its accessible
// name, with its description and tooltip), and Qt's own texts follow; a click on the current flag,
// also on its border, rewrites nothing. The window is a window named by its title; a lock frame is
// a grouping, its options radio buttons. Every label ends before its field, every button shows
// its whole caption.
TEST(Language, FlagsSwitchEveryCaptionAndHintBothWays) {
    Window w;
    ASSERT_TRUE(w.active);
    const auto a11y = [&](const Control &c) {
        return QAccessible::queryAccessibleInterface(w.get(c));
    };
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&w);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name).toStdString(), kTitle);
    for (const int f : {1, 0}) {
        QWidget *close = w.get({Role::CloseButton});
        close->setProperty("text", "marker");
        click(w.get(Control::Flag(1 - f)));
        click(w.get(Control::Flag(1 - f)), QPoint(1, 1));
        EXPECT_EQ(close->property("text"), "marker");
        const lang::Captions &captions = lang::kCaptions.at(size_t(f));
        QAccessibleInterface *flag = a11y(Control::Flag(f));
        EXPECT_FALSE(flag->state().checked);
        flag->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.behaviour().language() == captions.code; }));
        EXPECT_TRUE(flag->state().checked && !a11y(Control::Flag(1 - f))->state().checked);
        QStringList shown, expected;
        for (const auto &[control, box] : layout::kControls) {
            const QWidget *c = w.get(control);
            const bool captioned =
                qobject_cast<const QLabel *>(c) != nullptr || control.role == Role::LockOption ||
                control.role == Role::DefaultRatioButton || control.role == Role::CloseButton;
            shown << (captioned ? c->property("text").toString()
                                : a11y(control)->text(QAccessible::Name)) +
                         '(' + a11y(control)->text(QAccessible::Description) + '/' + c->toolTip() +
                         ')';
            const auto [text, hint] = TextOf(control, captions);
            expected << QString::fromUtf8(std::string(text)) + '(' +
                            QString::fromUtf8(std::string(hint)) + '/' +
                            QString::fromUtf8(std::string(hint)) + ')';
            const std::map<Role, QAccessible::Role> roles{
                {Role::Flag, QAccessible::RadioButton},
                {Role::LockOption, QAccessible::RadioButton},
                {Role::LockFrame, QAccessible::Grouping},
                {Role::Line, QAccessible::Separator}};
            if (roles.contains(control.role)) {
                EXPECT_EQ(a11y(control)->role(), roles.at(control.role)) << describe(c);
            }
            if (control.role == Role::LockOption) {
                EXPECT_EQ(a11y(control)->parent(), a11y(Control::Frame(*control.pair)));
            }
            if (control.role == Role::Field || control.role == Role::RatioField) {
                const QWidget *label = w.get(layout::kControls[layout::RowOf(control) - 1].control);
                EXPECT_LT(label->geometry().right(), c->x()) << describe(c);
            }
        }
        EXPECT_EQ(shown.join(u'|'), expected.join(u'|'));
        EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Paste"), f ? "&Paste" : "&Incolla");
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

// A field's text is one attribute run from start to end: a screen reader that reads the run
// around the caret reads the whole figure.
TEST(ScreenReader, ReadsAFieldWhole) {
    Window w;
    ASSERT_TRUE(w.active);
    w.type(QStringLiteral("8"));
    int start = -1, end = -1;
    QAccessible::queryAccessibleInterface(w.field(1))->textInterface()->attributes(2, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 4)); // "3266"
}

// Keys only, each row from a new window (focus in the megapixel field, Italian): the focus, the
// language and the options selected that follow.
TEST(Keyboard, ReachesEveryControlWithoutAMouse) {
    const std::array<std::tuple<const char *, const char *, const char *>, 12> rows{{
        // clang-format off
        {"Tab runs through fields and buttons to the flags", "⇥⇥⇥⇥⇥⇥⇥⇥⇥", "flag.0 it 101010"},
        {"Space presses a flag", "⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥ ", "flag.1 en 101010"},
        {"Return presses a flag", "⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥⏎", "flag.1 en 101010"},
        {"keypad Enter presses a flag", "⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥⌤", "flag.1 en 101010"},
        {"Shift+Tab goes back to the pair shown", "⇤", "lockOption.pixels.0 it 101010"},
        {"Down chooses within the pair", "⇤↓", "lockOption.pixels.1 it 011010"},
        {"Right chooses as Down does", "⇤→", "lockOption.pixels.1 it 011010"},
        {"Left chooses as Up does", "⇤↓←", "lockOption.pixels.0 it 101010"},
        {"the pair is one stop, at its choice", "⇤↓⇥⇤", "lockOption.pixels.1 it 011010"},
        {"F6 goes to the pair shown and back", "⇥⇥⇥⑥↓⑥", "field.3 it 100110"},
        {"Escape closes nothing", "⎋", "field.0 it 101010"},
        {"Return presses Close", "⇥⇥⇥⇥⇥⇥⇥⇥⏎", "- it 101010 closed"},
    }}; // clang-format on
    for (const auto &[name, keys, expected] : rows) {
        Window w;
        ASSERT_TRUE(w.active);
        w.type(QString::fromUtf8(keys));
        EXPECT_EQ(w.state(), expected) << name;
    }
}

// Start-up in either locale: title, focus, decimal mark. A context menu, another window or a flag
// click moves no focus: the field is neither tidied nor selected; a paste from the menu counts as
// an edit. Ctrl+Q closes.
TEST(StartUp, PreparesTheWindowInEitherLocaleAndCloses) {
    for (const auto &[locale, mark] : {std::pair{kItalian, ","}, {kEnglish, "."}}) {
        Window w(locale);
        ASSERT_TRUE(w.active);
        EXPECT_EQ(w.windowTitle().toStdString(), kTitle);
        EXPECT_TRUE(w.field(0)->hasFocus());
        EXPECT_EQ(w.field(kFieldCount)->text(),
                  QStringLiteral("1%3333333333333").replace(u'%', mark));
        w.type(QString::fromUtf8("❷4000❶0012"));
        useContextMenu(w.field(0));
        click(w.get(Control::Flag(1)));
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        EXPECT_EQ(QApplication::focusWidget(), w.field(0));
        EXPECT_EQ(w.texts().section(u'|', 0, 2), "0012|4000|3000");
        EXPECT_FALSE(w.field(0)->hasSelectedText());
        w.type(QString::fromUtf8("ⓐ"));
        QApplication::clipboard()->setText(QStringLiteral("8"));
        useContextMenu(w.field(0), true);
        EXPECT_EQ(w.texts().section(u'|', 0, 2), "8|3266|2449");
        w.type(QString::fromUtf8("ⓠ"));
        EXPECT_FALSE(w.isVisible());
    }
}

// Each row, from a new window with "-2" on the clipboard, types its keys (see Window::type) and
// expects the data fields' and the ratio field's texts.
TEST(FieldEditing, TypingEditingKeysPasteAndClicksWork) {
    const std::array<std::tuple<const char *, const char *, const char *>, 9> rows{{
        // clang-format off
        {"only what the filter lets in goes in, also from the keypad", "3a -+⎖1", "3,1|2033|1525||||1,3333333333333"},
        {"pasted text is not filtered", "ⓥ", "-2||||||1,3333333333333"},
        {"editing keys work", "13←2⇱⌦⇲⌫", "2|1633|1225||||1,3333333333333"},
        {"cut, copy, paste and undo work", "2ⓐⓧⓥⓐⓒ⇲ⓥⓐ.ⓩ", "22|5416|4062||||1,3333333333333"},
        {"a click enters a field with its text selected", "8❷5", "0|5|4||||1,3333333333333"},
        {"a worked figure through Tab, F6, an arrow and clicks", "❺30⇤300⑥↓❶❷❸❹❺❻❼❶", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"both pixel counts typed at once", "❹300❷3840 × 2160", "8,3|3840 × 2160|2160|300|32,5|18,3|16:9"},
        {"a paper typed as a print size", "❹300❺⑥↓⑥A4", "8,7|2480|3508|300|A4|29,7|21:29,7"},
        {"Ctrl+R turns the picture", "❷4032❺15ⓡ", "12,2|3024|4032|683|11,2|15|0,75"},
    }}; // clang-format on
    for (const auto &[locale, flag] : {std::pair{kItalian, "Ⓘ"}, {kEnglish, "Ⓔ"}}) {
        for (const auto &[name, keys, expected] : rows) {
            QApplication::clipboard()->setText(QStringLiteral("-2"));
            Window w(locale);
            ASSERT_TRUE(w.active);
            w.type(QString::fromUtf8(flag) + QString::fromUtf8("❶") + QString::fromUtf8(keys));
            EXPECT_EQ(w.texts(),
                      QString::fromUtf8(expected).replace(u',', QLocale().decimalPoint()))
                << name << " in " << flag;
        }
    }
}

// A field's context menu, opened by Shift+F10, the Menu key or a right click: the line edit's own
// commands, then the program's entries with their keys, and in a print-size field the common
// print sizes, one of which enters the field as typing it would. Ctrl+Shift+C copies the figures.
TEST(ContextMenu, OffersTheProgramsEntriesAfterTheEditCommands) {
    for (const auto &[locale, flag] : {std::pair{kItalian, "Ⓘ"}, {kEnglish, "Ⓔ"}}) {
        Window w(locale);
        ASSERT_TRUE(w.active);
        w.type(QString::fromUtf8(flag) + QString::fromUtf8("❹300❺⑥↓⑥"));
        const lang::Captions &captions = w.behaviour().captions();
        const auto [key, modifiers] = std::pair{Qt::Key_F10, Qt::ShiftModifier};
        for (const auto &[k, m] : {std::pair{key, modifiers}, {Qt::Key_Menu, Qt::NoModifier}}) {
            QTest::keyClick(w.field(4), k, m);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            QStringList entries;
            for (const QAction *action : menu->actions().mid(menu->actions().size() - 4))
                entries << action->text() + '/' + action->shortcut().toString();
            EXPECT_EQ(entries.join(u'|'), QString::fromUtf8(captions.openPictureText) + "/Ctrl+O|" +
                                              captions.turnText + "/Ctrl+R|" + captions.copyText +
                                              "/Ctrl+Shift+C|" + captions.printSizesText + '/');
            EXPECT_EQ(menu->actions().first()->text(),
                      QCoreApplication::translate("QLineEdit", "&Undo") + "\tCtrl+Z");
            if (k == Qt::Key_Menu) {
                for (QAction *size : menu->actions().last()->menu()->actions()) {
                    if (size->text() == "A4")
                        size->trigger();
                }
            }
            menu->close();
        }
        EXPECT_EQ(w.texts(), QString::fromUtf8("8,7|2480|3508|300|A4|29,7|21:29,7")
                                 .replace(u',', QLocale().decimalPoint()));
        w.type(QString::fromUtf8("Ⓒ"));
        EXPECT_EQ(
            QApplication::clipboard()->text(),
            QString::fromUtf8("8%7 MP, 2480 × 3508 px, 300 DPI, 21 × 29%7 cm (8%3 × 11%7 in), "
                              "21:29%7")
                .replace(u'%', QLocale().decimalPoint()));
    }
}

// Files dropped on a field or on the window, or chosen in the file dialog that Ctrl+O opens, in
// either language: a picture sets the figures and names itself in the title, anything else is
// named in a message box that opens once the drop has returned. The file dialog offers the formats
// read and every file. Text dropped on a field goes in as text.
TEST(OpenPicture, DropsAndCtrlOOpenAPictureOrSayWhyNot) {
    QTemporaryDir dir;
    // The headers of a 6000 x 4000 JPEG, and of a phone's 4032 x 3024 one with EXIF orientation 6.
    const auto file = [&](const char *name, const char *hex) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(QByteArray::fromHex(hex)) > 0);
        return QUrl::fromLocalFile(f.fileName());
    };
    const QUrl picture = file("photo.jpg", "ffd8ffc00011080fa0177003012200021101031101"),
               phone = file("tall.jpg", "ffd8ffe1002245786966000049492a0008000000010012010300"
                                        "010000000600000000000000ffc00011080bd00fc00301220002"
                                        "1101031101"),
               missing = QUrl::fromLocalFile(dir.filePath("gone.jpg"));
    constexpr int kWindow = -1, kCtrlO = -2;
    struct Row {
        const char *name;
        int on; // the data field dropped on, the window, or Ctrl+O
        QList<QUrl> files;
        const char *texts, *italian, *english; // the dialog shown, as `answer` below reads it
    };
    const char *opened = "24|6000|4000|300|50,8|33,9|3:2", *none = "|||300|||1,3333333333333";
    const Row rows[] = {
        // clang-format off
        {"a picture on a field", 3, {picture}, opened, "", ""},
        {"a picture on the window", kWindow, {picture}, opened, "", ""},
        {"a picture chosen after Ctrl+O", kCtrlO, {picture}, opened, "Apri immagine|Immagini (*.jpg *.jpeg *.png *.tif *.tiff *.webp *.gif *.bmp)|Tutti i file (*)", "Open picture|Pictures (*.jpg *.jpeg *.png *.tif *.tiff *.webp *.gif *.bmp)|All files (*)"},
        {"a phone's picture on a field, turned upright", 0, {phone}, "12,2|3024|4032|300|25,6|34,1|3:4", "", ""},
        {"several files", kWindow, {picture, missing}, none, "Nessuno dei 2 file è stato aperto.\nSi apre un'immagine alla volta.", "None of the 2 files was opened.\nOne picture opens at a time."},
        {"a web address", 1, {QUrl("https://example.com/a.jpg")}, none, "Impossibile aprire «https://example.com/a.jpg».\nNon è un file di questo computer.", "Could not open “https://example.com/a.jpg”.\nIt is not a file on this computer."},
        {"text on a field", 0, {}, "8|3266|2449|300|27,7|20,7|1,3333333333333", "", ""},
        // clang-format on
    };
    // Answers each dialog the window opens as a user would: the file dialog with the row's file,
    // the message box with OK.
    const Row *row = nullptr;
    bool dropping = false;
    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (auto *files = qobject_cast<QFileDialog *>(dialog)) {
            shown = files->windowTitle() + '|' + files->nameFilters().join(u'|');
            files->selectFile(row->files[0].toLocalFile());
            static_cast<QDialog *>(files)->accept(); // QFileDialog's own is protected
        } else if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            shown = dropping ? "(shown before the drop returned)" : box->text();
            box->done(0);
        }
    });
    answer.start(1);
    for (const auto &[locale, flag] : {std::pair{kItalian, "Ⓘ"}, {kEnglish, "Ⓔ"}}) {
        for (const Row &r : rows) {
            Window w(locale);
            ASSERT_TRUE(w.active);
            w.type(QString::fromUtf8(flag) + QString::fromUtf8("❹300❶"));
            row = &r;
            shown.clear();
            QMimeData data;
            if (!r.files.isEmpty())
                data.setUrls(r.files);
            data.setText(r.files.isEmpty() ? QStringLiteral("8") : r.files[0].toString());
            QWidget *on = r.on == kWindow ? static_cast<QWidget *>(&w) : w.field(std::max(r.on, 0));
            QDragEnterEvent enter({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, {});
            QDropEvent drop({1, 1}, Qt::CopyAction, &data, Qt::LeftButton, {});
            dropping = true;
            if (r.on == kCtrlO)
                w.type(QString::fromUtf8("ⓞ"));
            else if (QApplication::sendEvent(on, &enter); enter.isAccepted())
                QApplication::sendEvent(on, &drop);
            dropping = false;
            bool done = false; // once what the drop queued has run
            QMetaObject::invokeMethod(
                qApp, [&] { done = true; }, Qt::QueuedConnection);
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return done && !QApplication::activeModalWidget(); }));
            const bool italian = w.behaviour().language() == lang::kItalian;
            EXPECT_EQ(shown, QString::fromUtf8(italian ? r.italian : r.english)) << r.name;
            EXPECT_EQ(w.texts(), QString::fromUtf8(r.texts).replace(u',', QLocale().decimalPoint()))
                << r.name;
            const bool named = !r.files.isEmpty() && std::string_view(r.texts) != none;
            EXPECT_EQ(w.windowTitle(), (named ? r.files[0].fileName() + " - " : QString()) +
                                           QString::fromUtf8(kTitle))
                << r.name;
        }
    }
}

// The table of decimal digits the fields take agrees with Qt's Unicode tables everywhere.
TEST(FieldEditing, DigitTableAgreesWithQt) {
    for (char32_t c = 0; c < 0x110000; ++c) {
        const int qt = QChar::category(c) == QChar::Number_DecimalDigit ? QChar::digitValue(c) : -1;
        ASSERT_EQ(DecimalDigitValue(c), qt) << "U+" << std::hex << unsigned(c);
    }
}

// A decimal digit of any script, typed, goes in as its ASCII digit, also beyond 16 bits, under the
// locale's mark.
TEST(FieldEditing, DigitsOfEveryScriptGoIn) {
    const std::array<std::tuple<const char *, QLocale, const char *, const char *>, 2> rows{{
        // clang-format off
        {"Persian, its locale's mark", QLocale(QLocale::Persian, QLocale::Iran), "۳.۱", "3٫1|2033|1525||||1٫3333333333333"},
        {"mathematical bold, beyond 16 bits", kItalian, "𝟖", "8|3266|2449||||1,3333333333333"},
    }}; // clang-format on
    for (const auto &[name, locale, keys, expected] : rows) {
        Window w(locale);
        ASSERT_TRUE(w.active);
        w.type(QString::fromUtf8(keys));
        EXPECT_EQ(w.texts(), QString::fromUtf8(expected)) << name;
    }
}

// Text committed by an input method is filtered as typed text is.
TEST(FieldEditing, InputMethodTextIsFilteredAsTyped) {
    Window w;
    ASSERT_TRUE(w.active);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("٨a-"));
    QApplication::sendEvent(w.field(0), &commit);
    EXPECT_EQ(w.texts(), "8|3266|2449||||1,3333333333333");
}

// A field the user is not in shows the start of a text longer than itself, its caret at the
// start: the picture is that of a line edit showing the text from its first character. The field
// being typed in keeps the caret where the user left it.
TEST(FieldEditing, FieldsShowTheStartOfLongFigures) {
    const std::array<std::tuple<const char *, const char *, int, const char *>, 2> rows{{
        {"a long ratio", "❼ⓐ1,777777777777777⇥", kFieldCount, "1,77777777777778"},
        {"an exponent form", "9999999999999999999999999", 1, "3,65148371670111E+15"},
    }};
    for (const auto &[name, keys, index, text] : rows) {
        Window w;
        ASSERT_TRUE(w.active);
        w.type(QString::fromUtf8(keys));
        QLineEdit *field = w.field(index);
        ASSERT_EQ(field->text(), text) << name;
        EXPECT_FALSE(field->hasFocus());
        EXPECT_EQ(field->cursorPosition(), 0) << name;
        QLineEdit plain(&w);
        plain.setGeometry(field->geometry());
        plain.setText(text);
        plain.show();
        plain.setCursorPosition(0);
        const QImage shown = field->grab().toImage(), start = plain.grab().toImage();
        plain.end(false);
        EXPECT_TRUE(shown == start && start != plain.grab().toImage()) << name;
    }
    Window w;
    w.type(QString::fromUtf8("123456789012345678901234567890←←"));
    EXPECT_EQ(w.field(0)->cursorPosition(), 28);
    w.type(QString::fromUtf8("⇥"));
    EXPECT_EQ(w.field(0)->cursorPosition(), 0);
}

// At 1.5 times the scale, where layout and device pixels do not line up: inside its two-pixel
// border the tricolour, drawn for the device pixels, has one colour a column, and the Union Flag is
// the same after a half turn; the rule and the shown frame's bracket keep the text colour but under
// the options heading; the window manager gets every desktop icon size.
TEST(Scale, FlagsLinesAndIconsKeepTheirPixels) {
    Window w;
    ASSERT_TRUE(w.active);
    const QImage shot = w.grab().toImage();
    if (shot.devicePixelRatio() != 1.5)
        GTEST_SKIP() << "runs in the program built with QUADREL_TEST_SCALE";
    const auto onDevice = [&](const Control &control, int inset) {
        const QWidget *c = w.get(control);
        const QRectF r(QPointF(c->mapTo(&w, QPoint(0, 0))) * 1.5, QSizeF(c->size()) * 1.5);
        return QRect(QPoint(qRound(r.left()), qRound(r.top())),
                     QPoint(qRound(r.right()) - 1, qRound(r.bottom()) - 1))
            .adjusted(inset, inset, -inset, -inset);
    };
    const QRect italian = onDevice(Control::Flag(0), 2);
    std::vector<QRgb> columns;
    for (int x = italian.left(); x <= italian.right(); ++x) {
        columns.push_back(shot.pixel(x, italian.top()));
        for (int y = italian.top(); y <= italian.bottom(); ++y)
            ASSERT_EQ(shot.pixel(x, y), columns.back()) << "column " << x << " row " << y;
    }
    EXPECT_EQ(columns.front(), qRgb(0x00, 0x92, 0x46));
    EXPECT_EQ(columns.back(), qRgb(0xCE, 0x2B, 0x37));
    const QImage uk = shot.copy(onDevice(Control::Flag(1), 2));
    EXPECT_TRUE(uk == uk.mirrored(true, true)); // the Union Flag, which a half turn keeps
    const QRgb ink = w.palette().color(QPalette::WindowText).rgb();
    for (const Control &i : {Control{Role::Line, 1, LockPair::Pixels}, Control{Role::Line, 4}}) {
        const QRect line = onDevice(i, 0);
        const bool vertical = line.height() > line.width();
        for (int k = 2; k < (vertical ? line.height() : line.width()) - 2; ++k) {
            const QPoint at = vertical ? QPoint(line.left(), line.top() + k)
                                       : QPoint(line.left() + k, line.top());
            if (!onDevice({Role::OptionsHeading}, 0).contains(at)) {
                ASSERT_EQ(shot.pixel(at), ink) << "line." << i.index << " at " << k;
            }
        }
    }
    EXPECT_EQ(w.windowIcon().availableSizes(),
              (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
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
