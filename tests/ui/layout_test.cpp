// The window as laid out and as the flags switch its language: every control's place at any pixel
// density, captions that fit, what a screen reader gets, and what the keyboard alone reaches.

#include "ui_test_support.hpp"

#include "lang/captions.hpp"
#include "ui/layout.hpp"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <memory>

namespace quadrel {
namespace {

using test::describe;

QString q(std::optional<std::string_view> text) {
    return QString::fromStdString(std::string(text.value_or("")));
}

// Every control sits in its container at its converted place, labels sized to their text and the
// current language's flag 4 pixels larger a side: at any pixel density, in either language.
TEST(Layout, EveryControlSitsInPlaceAtAnyDensity) {
    static constexpr std::array kContainers{"frmMain", "fraP", "fraD", "fraR"};
    for (const twips::TwipsPerPixel d : {twips::TwipsPerPixel{}, {12, 12}, {7.5F, 7.5F}, {12, 15}}) {
        twips::setTwipsPerPixelOverride(d);
        test::Window w;
        ASSERT_TRUE(w.active);
        EXPECT_EQ(w.minimumSize(), w.maximumSize());
        for (const int current : {0, 1, 0}) {
            test::click(w.get("imgLang", current)); // the first click changes nothing
            for (const layout::Place &p : layout::kPlaces) {
                QWidget *c = w.get(p.name, p.index);
                QRect expected = twips::toPixels(p.box);
                if (qobject_cast<QLabel *>(c) != nullptr)
                    expected.setSize(c->sizeHint());
                if (p.name == "imgLang" && p.index == current)
                    expected.adjust(-4, -4, 4, 4);
                EXPECT_EQ(c->parentWidget()->objectName(), kContainers.at(size_t(p.container)));
                EXPECT_EQ(c->geometry(), expected) << describe(c) << " at " << d.x << "x" << d.y;
            }
        }
    }
    twips::setTwipsPerPixelOverride(std::nullopt);
    const test::Window w; // the layout's own figures at 15 twips per pixel
    EXPECT_EQ(w.size(), QSize(322, 284));
    EXPECT_EQ(w.get("imgLang", 1)->geometry(), QRect(44, 4, 29, 16));
    EXPECT_EQ(w.get("lnLines", 4)->geometry(), QRect(5, 192, 312, 1));
}

// In both languages every label ends before its field, and every button and option shows its
// whole caption where its container does not cut it off.
TEST(Layout, CaptionsFitInBothLanguages) {
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const int language : {1, 0}) {
        test::click(w.get("imgLang", language));
        for (int i = 0; i <= kFieldCount; ++i) {
            const QWidget *label = w.get(i < kFieldCount ? "lblLabels" : "lblRatio", i);
            EXPECT_LT(label->geometry().right(), w.field(i)->x()) << describe(label);
        }
        for (const QAbstractButton *b : w.findChildren<QAbstractButton *>()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const auto part = qobject_cast<const QRadioButton *>(b) != nullptr
                                  ? QStyle::SE_RadioButtonContents
                                  : QStyle::SE_PushButtonContents;
            const QRect inside = (b->geometry() & b->parentWidget()->rect()).translated(-b->pos()) &
                                 b->style()->subElementRect(part, &option, b);
            const QSize text = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
            EXPECT_TRUE(inside.width() >= text.width() && inside.height() >= text.height())
                << describe(b);
        }
    }
}

// Each flag, pressed as a screen reader does, writes its language's captions from the language
// tables, and Qt's own texts (a field's context menu) follow; a click on the current flag, also on
// its border, rewrites nothing. The flags are buttons named in their own language; each lock
// option is a radio button named by its caption and described (and tipped) by what it keeps.
TEST(Language, FlagsSwitchEveryCaptionBothWays) {
    using lang::Kept;
    const std::array<std::tuple<const char *, int, Kept>, 6> options{
        {{"opzP", 0, Kept::PrintResolution}, {"opzP", 1, Kept::PrintSize}, {"opzD", 0, Kept::Pixels},
         {"opzD", 1, Kept::PrintSize}, {"opzR", 0, Kept::Pixels}, {"opzR", 1, Kept::PrintResolution}}};
    const std::array<std::pair<const char *, std::optional<std::string_view> (*)(std::string_view)>,
                     4>
        singles{{{"lblRatio", lang::RatioText}, {"cmdDefaultRatio", lang::DefaultText},
                 {"lblAuthor", lang::CreditText}, {"cmdClose", lang::CloseText}}};
    const std::array codes{lang::kItalian, lang::kEnglish};
    const std::array menus{"Ann&ulla|&Rifai|&Taglia|&Copia|&Incolla|Elimina|Seleziona tutto",
                           "&Undo|&Redo|Cu&t|&Copy|&Paste|Delete|Select All"};
    test::Window w;
    ASSERT_TRUE(w.active);
    const auto text = [&](const char *name, int i = -1) {
        return w.get(name, i)->property("text").toString();
    };
    for (const int f : {1, 0}) {
        w.get("cmdClose")->setProperty("text", "marker");
        test::click(w.get("imgLang", 1 - f));
        test::click(w.get("imgLang", 1 - f), QPoint(1, 1));
        EXPECT_EQ(text("cmdClose"), "marker");
        for (const int g : {0, 1}) {
            QWidget *flag = w.get("imgLang", g);
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(flag);
            EXPECT_EQ(a->role(), QAccessible::Button);
            EXPECT_EQ(a->text(QAccessible::Name), q(lang::LanguageName(codes.at(size_t(g)))));
            EXPECT_EQ(flag->toolTip(), a->text(QAccessible::Name));
            if (g == f)
                a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        const std::string_view code = codes.at(size_t(f));
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.tag() == q(code); })) << code;
        for (int i = 0; i < kFieldCount; ++i)
            EXPECT_EQ(text("lblLabels", i), q(lang::LabelText(i, code)));
        for (const auto &[name, caption] : singles)
            EXPECT_EQ(text(name), q(caption(code))) << name;
        EXPECT_EQ(text("lblOptions"), ' ' + q(lang::OptionsText(code)) + ' ');
        for (const auto &[name, i, kept] : options) {
            QWidget *option = w.get(name, i);
            QAccessibleInterface *o = QAccessible::queryAccessibleInterface(option);
            EXPECT_EQ(o->role(), QAccessible::RadioButton);
            EXPECT_EQ(o->text(QAccessible::Name), q(lang::LockText(code))) << describe(option);
            EXPECT_EQ(o->text(QAccessible::Description), q(lang::LockHint(kept, code)));
            EXPECT_EQ(option->toolTip(), o->text(QAccessible::Description)) << describe(option);
        }
        const std::unique_ptr<QMenu> menu(w.field(0)->createStandardContextMenu());
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts << action->text().section(u'\t', 0, 0);
        texts.removeAll(QString());
        EXPECT_EQ(texts.join(u'|'), menus.at(size_t(f)));
    }
    EXPECT_EQ(w.Lang2Index("uK"), 1); // letter case aside, the codes match exactly
    EXPECT_EQ(w.Lang2Index("it "), -1);
}

// Keys only, from the start: Tab through the fields to the flags, and Space, Return or Enter on
// them; then the option pair shown, one stop at its selected option; Shift+Tab from the first
// field to it; F6 to the resolution field's pair and back; the arrow keys choose within a pair;
// Escape closes nothing and Return on the close button closes. Each step gives the controls the
// focus visits, the language and the options selected.
TEST(Keyboard, SwitchesLanguageChoosesEveryLockOptionAndCloses) {
    const std::array<std::pair<const char *, const char *>, 12> steps{{
        {"⇥⇥⇥⇥⇥⇥⇥⇥⇥", "txtDati(1) txtDati(2) txtDati(3) txtDati(4) txtDati(5) txtRatio "
                      "cmdDefaultRatio cmdClose imgLang(0) it 101010"},
        {"⇥ ", "imgLang(1) uk 101010"},
        {"⇤⏎", "imgLang(0) it 101010"},
        {"⇥⌤", "imgLang(1) uk 101010"},
        {"⇥↓", "opzR(0) opzR(1) uk 101001"},
        {"↑", "opzR(0) uk 101010"},
        {"⇥⇤", "txtDati(0) opzP(0) uk 101010"},
        {"↓", "opzP(1) uk 011010"},
        {"⇥⇥⇥⇥⑥↓", "txtDati(0) txtDati(1) txtDati(2) txtDati(3) opzD(0) opzD(1) uk 010110"},
        {"⑥", "txtDati(3) uk 010110"},
        {"⑥↑", "opzD(1) opzD(0) uk 011010"},
        {"⎋⇤⇤⇤⏎", "imgLang(1) imgLang(0) cmdClose uk 011010 closed"},
    }};
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const auto &[keys, expected] : steps) {
        QStringList path;
        for (const QChar key : QString::fromUtf8(keys)) {
            QWidget *before = QApplication::focusWidget();
            test::type(key);
            if (QApplication::focusWidget() != before && QApplication::focusWidget() != nullptr)
                path << QString::fromStdString(describe(QApplication::focusWidget()));
        }
        QString state = w.tag() + u' ';
        for (const char *pair : {"opzP", "opzD", "opzR"}) {
            for (const int i : {0, 1})
                state += w.get<QRadioButton>(pair, i)->isChecked() ? u'1' : u'0';
        }
        path << state;
        EXPECT_EQ(path.join(u' ') + (w.isVisible() ? "" : " closed"), expected) << keys;
    }
}

} // namespace
} // namespace quadrel
