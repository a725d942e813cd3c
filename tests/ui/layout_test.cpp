// The window as laid out and as language switches change it: every control's place, the frames
// and their option groups, the tab order, captions that fit, and the flags.

#include "ui_test_support.hpp"

#include "ui/image_box.hpp"
#include "ui/layout.hpp"

#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <array>

namespace quadrel {
namespace {

using test::describe;

ImageBox *flag(const test::Window &w, int i) {
    return w.get<ImageBox>("imgLang", i);
}

// Every control sits in its container at its converted place; labels keep their left and top and
// take the size of their text; the current language's flag is enlarged by 4 pixels a side.
void expectPlaces(const test::Window &w, int currentFlag) {
    static constexpr std::array kContainers{"frmMain", "fraP", "fraD", "fraR"};
    for (const layout::Place &p : layout::kPlaces) {
        QWidget *c = w.get(p.name, p.index);
        ASSERT_NE(c, nullptr) << p.name << p.index;
        QRect expected = twips::toPixels(p.box);
        if (qobject_cast<QLabel *>(c) != nullptr)
            expected.setSize(c->sizeHint());
        if (p.name == "imgLang" && p.index == currentFlag)
            expected.adjust(-4, -4, 4, 4);
        EXPECT_EQ(c->parentWidget()->objectName(), kContainers.at(size_t(p.container)));
        EXPECT_EQ(c->geometry(), expected) << describe(c);
    }
}

TEST(Layout, EveryControlSitsWhereTheLayoutPutsIt) {
    test::Window w;
    ASSERT_TRUE(w.active);
    EXPECT_EQ(w.size(), QSize(322, 284));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.get("imgLang", 1)->geometry(), QRect(44, 4, 29, 16));
    EXPECT_EQ(w.get("lnLines", 4)->geometry(), QRect(5, 192, 312, 1));
    expectPlaces(w, 0);
}

// The frames start hidden; a data field shows its lock frame on entry and another control leaves
// it as it is; each frame is an option group of its own, with option 0 selected at first.
TEST(Layout, FramesFollowTheFocusAndHoldAnOptionGroupEach) {
    const std::array<const char *, 3> frames{"fraP", "fraD", "fraR"},
        groups{"opzP", "opzD", "opzR"};
    for (const char *frame : frames)
        EXPECT_TRUE(frmMain().findChild<QWidget *>(frame)->isHidden()) << frame;
    test::Window w;
    ASSERT_TRUE(w.active);
    const auto checked = [&] {
        QString s;
        for (const char *g : groups)
            s += QString::number(w.get<QRadioButton>(g, 0)->isChecked()) +
                 QString::number(w.get<QRadioButton>(g, 1)->isChecked());
        return s;
    };
    QString expected = QStringLiteral("101010");
    EXPECT_EQ(checked(), expected);
    for (const int i : {3, 0, 2, 4, 1, 5, kFieldCount}) { // kFieldCount: the ratio field
        test::click(w.field(i));
        const int last = std::min(i, 5);
        const int k = last < 3 ? 0 : last == 3 ? 1 : 2;
        EXPECT_EQ(w.lastField(), last);
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(w.get(frames.at(f))->isVisible(), f == k) << i << frames.at(f);
        const int pick = expected[2 * k] == u'1' ? 1 : 0; // the other option of the group
        test::click(w.get(groups.at(k), pick));
        expected[2 * k] = pick == 0 ? u'1' : u'0';
        expected[2 * k + 1] = pick == 1 ? u'1' : u'0';
        EXPECT_EQ(checked(), expected) << groups.at(k) << pick;
    }
}

// Rounds of Shift+Tab and Tab from the ratio field, after a data field showed its frame: labels
// are passed over, the flags and the shown frame's option group (one stop, at its selected option)
// come after the close button, and a hidden frame's options are never visited.
TEST(Layout, TabVisitsTheVisibleFocusableControlsInLayoutOrder) {
    struct Case {
        int field;
        const char *keys;
        const char *path;
    };
    const std::array<Case, 2> cases{{
        {0, "⇤⇤⇤⇤⇤⇤⇤⇤⇤⇤⇤",
         "txtDati(5) txtDati(4) txtDati(3) txtDati(2) txtDati(1) txtDati(0) opzP(0) imgLang(1) "
         "imgLang(0) cmdClose cmdDefaultRatio"},
        {3, "⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥⇥",
         "cmdDefaultRatio cmdClose imgLang(0) imgLang(1) opzD(0) txtDati(0) txtDati(1) txtDati(2) "
         "txtDati(3) txtDati(4) txtDati(5)"},
    }};
    for (const Case &c : cases) {
        test::Window w;
        ASSERT_TRUE(w.active);
        test::click(w.field(c.field));
        test::click(w.ratioField());
        QStringList path;
        for (const QChar key : QString::fromUtf8(c.keys)) {
            test::type(key);
            path << QString::fromStdString(describe(QApplication::focusWidget()));
        }
        EXPECT_EQ(path.join(u' '), c.path);
    }
}

// The part of `c` that its container does not cut off, in c's own coordinates.
QRect visiblePart(const QWidget *c) {
    return (c->geometry() & c->parentWidget()->rect()).translated(-c->pos());
}

// In both languages every label ends before its field, every button and option shows its whole
// caption, and no two controls that can be seen together overlap.
TEST(Layout, CaptionsFitInBothLanguages) {
    test::Window w;
    ASSERT_TRUE(w.active);
    for (const int language : {1, 0}) {
        test::click(flag(w, language));
        for (int i = 0; i <= kFieldCount; ++i) {
            const auto *label = w.get<QLabel>(i < kFieldCount ? "lblLabels" : "lblRatio", i);
            EXPECT_LT(label->geometry().right(), w.field(i)->x()) << describe(label);
        }
        for (const QAbstractButton *b : w.findChildren<QAbstractButton *>()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const bool radio = qobject_cast<const QRadioButton *>(b) != nullptr;
            const QSize text = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
            const QRect inside =
                visiblePart(b) & b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents
                                                                  : QStyle::SE_PushButtonContents,
                                                            &option, b);
            EXPECT_TRUE(inside.width() >= text.width() && inside.height() >= text.height())
                << describe(b) << " " << b->text().toStdString();
        }
        // The frames share one column and are never shown together; the options heading lies
        // on the rule by design.
        const auto seen = [&](const layout::Place &p) {
            const QWidget *c = w.get(p.name, p.index);
            return visiblePart(c).translated(c->mapTo(&w, QPoint()));
        };
        for (const layout::Place &a : layout::kPlaces) {
            for (const layout::Place &b : layout::kPlaces) {
                const bool apart = &a >= &b || a.name.starts_with("fra") ||
                                   b.name.starts_with("fra") ||
                                   (a.container != b.container && a.container != layout::Window &&
                                    b.container != layout::Window) ||
                                   (a.name == "lblOptions" && b.name == "lnLines" && b.index == 4);
                EXPECT_TRUE(apart || !seen(a).intersects(seen(b))) << a.name << " on " << b.name;
            }
        }
    }
}

TEST(Language, Lang2IndexIgnoresLetterCaseOnly) {
    const frmMain w;
    for (const auto &[code, index] : std::initializer_list<std::pair<const char *, short>>{
             {"it", 0}, {"IT", 0}, {"uK", 1}, {"UK", 1}, {"", -1}, {"en", -1}, {"it ", -1}})
        EXPECT_EQ(w.Lang2Index(QString::fromLatin1(code)), index) << '"' << code << '"';
}

// Each flag writes its language's seventeen captions and moves the highlight; a click on the
// current language's flag rewrites nothing; Italian -> English -> Italian restores the flags.
TEST(Language, FlagsSwitchAllCaptionsBothWays) {
    struct Case {
        int flag;
        const char *code;
        const char *captions; // the credit is checked by its start
    };
    // clang-format off
    const std::array<Case, 2> cases{{
        {1, "uk", "Megapixels|Horizontal pixels|Vertical pixels|Print resolution [DPI]|"
                  "Print width [cm]|Print height [cm]|lock|lock|lock|lock|lock|lock| Options |"
                  "X/Y ratio|default|Author: |Close"},
        {0, "it", "Megapixel|Pixel in orizzontale|Pixel in verticale|Risoluzione di stampa [DPI]|"
                  "Larghezza di stampa [cm]|Altezza di stampa [cm]|blocca|blocca|blocca|blocca|"
                  "blocca|blocca| Opzioni |Rapporto X/Y|predef.|Autore: |Chiudi"},
    }};
    // clang-format on
    std::vector<std::pair<const char *, int>> captioned;
    for (int i = 0; i < kFieldCount; ++i)
        captioned.emplace_back("lblLabels", i);
    for (const char *group : {"opzD", "opzP", "opzR"})
        captioned.insert(captioned.end(), {{group, 0}, {group, 1}});
    for (const char *name : {"lblOptions", "lblRatio", "cmdDefaultRatio", "lblAuthor", "cmdClose"})
        captioned.emplace_back(name, -1);

    test::Window w;
    ASSERT_TRUE(w.active);
    ASSERT_EQ(w.tag(), "it");
    const std::array italian{flag(w, 0)->box(), flag(w, 1)->box()};
    EXPECT_EQ(italian[0], (twips::BoxF{60, 0, 555, 360}));
    for (const Case &c : cases) {
        QWidget *close = w.get("cmdClose");
        close->setProperty("text", QStringLiteral("marker"));
        test::click(flag(w, 1 - c.flag));
        test::click(flag(w, 1 - c.flag), QPoint(1, 1)); // on the border, still the flag
        EXPECT_EQ(close->property("text").toString(), "marker");
        expectPlaces(w, 1 - c.flag);

        test::click(flag(w, c.flag));
        EXPECT_EQ(w.tag(), c.code);
        QStringList shown;
        for (const auto &[name, index] : captioned)
            shown << w.get(name, index)->property("text").toString();
        EXPECT_GT(shown[15].size(), 8);
        shown[15].truncate(8);
        EXPECT_EQ(shown.join(u'|'), c.captions);
        expectPlaces(w, c.flag);
    }
    EXPECT_EQ((std::array{flag(w, 0)->box(), flag(w, 1)->box()}), italian);
}

TEST(Language, FlagGrowsFourPixelsASideAtAnyDensity) {
    for (const twips::TwipsPerPixel d :
         {twips::TwipsPerPixel{12, 12}, {10, 10}, {7.5F, 7.5F}, {12, 15}}) {
        twips::setTwipsPerPixelOverride(d);
        test::Window w;
        ASSERT_TRUE(w.active);
        expectPlaces(w, 0);
        test::click(flag(w, 1));
        expectPlaces(w, 1);
    }
    twips::setTwipsPerPixelOverride(std::nullopt);
}

} // namespace
} // namespace quadrel
