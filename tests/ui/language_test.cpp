// Language switching through the window: the flag lookup, the seventeen captions of each
// language, the flag highlight and its undoing, clicks on the current language's flag, and the
// highlight at other screen densities.

#include "ui_test_support.hpp"

#include "ui/frmMain.hpp"
#include "ui/image_box.hpp"
#include "ui/layout.hpp"
#include "ui/twips.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace quadrel {
namespace {

using test::control;

ImageBox *flag(const QWidget &window, int index) {
    return control<ImageBox>(window, "imgLang", index);
}

QRect creationRect(int flagIndex) {
    for (const layout::Place &p : layout::kPlaces) {
        if (p.name == "imgLang" && p.index == flagIndex)
            return twips::toPixels(p.box);
    }
    return {};
}

QRect enlarged(const QRect &r) {
    return r.adjusted(-4, -4, 4, 4);
}

// The texts of the seventeen captions that a language switch writes, in the order it writes them.
std::vector<QString> captions(const QWidget &window) {
    std::vector<QString> texts;
    for (int k = 0; k < kFieldCount; ++k)
        texts.push_back(control<QLabel>(window, "lblLabels", k)->text());
    for (const char *group : {"opzD", "opzP", "opzR"}) {
        for (int i = 0; i < 2; ++i)
            texts.push_back(control<QRadioButton>(window, group, i)->text());
    }
    texts.push_back(control<QLabel>(window, "lblOptions")->text());
    texts.push_back(control<QLabel>(window, "lblRatio")->text());
    texts.push_back(control<QPushButton>(window, "cmdDefaultRatio")->text());
    texts.push_back(control<QLabel>(window, "lblAuthor")->text());
    texts.push_back(control<QPushButton>(window, "cmdClose")->text());
    return texts;
}

TEST(Language, Lang2IndexFindsTheFlagIgnoringCase) {
    struct Case {
        const char *code;
        short index;
    };
    const std::array<Case, 10> cases{{
        {"it", 0},
        {"IT", 0},
        {"It", 0},
        {"uk", 1},
        {"UK", 1},
        {"uK", 1},
        {"", -1},
        {"en", -1},
        {"it ", -1},
        {"ukk", -1},
    }};
    frmMain window;
    for (const Case &c : cases)
        EXPECT_EQ(window.Lang2Index(QString::fromLatin1(c.code)), c.index) << '"' << c.code << '"';
}

TEST(Language, StartsInItalianWithTheItalianFlagEnlarged) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    EXPECT_EQ(window.tag(), "it");
    EXPECT_EQ(flag(window, 0)->geometry(), enlarged(creationRect(0)));
    EXPECT_EQ(flag(window, 1)->geometry(), creationRect(1));
    // The highlight keeps the flag's centre: 4 pixels in twips on every side.
    const twips::BoxF box = flag(window, 0)->box();
    EXPECT_EQ(box, (twips::BoxF{60, 0, 555, 360}));
}

// Each flag writes its language's seventeen captions; labels keep their left and top and take
// the size of the new text, and the fields' accessible names follow their labels.
TEST(Language, EachFlagWritesItsLanguagesCaptions) {
    struct Case {
        int flag;
        const char *code;
        std::vector<QString> captions;
        QString creditStart;
    };
    const QString lock = QStringLiteral("lock");
    const QString blocca = QStringLiteral("blocca");
    const std::array<Case, 2> cases{{
        {1,
         "uk",
         {"Megapixels", "Horizontal pixels", "Vertical pixels", "Print resolution [DPI]",
          "Print width [cm]", "Print height [cm]", lock, lock, lock, lock, lock, lock, " Options ",
          "X/Y ratio", "default", "", "Close"},
         "Author: "},
        {0,
         "it",
         {"Megapixel", "Pixel in orizzontale", "Pixel in verticale", "Risoluzione di stampa [DPI]",
          "Larghezza di stampa [cm]", "Altezza di stampa [cm]", blocca, blocca, blocca, blocca,
          blocca, blocca, " Opzioni ", "Rapporto X/Y", "predef.", "", "Chiudi"},
         "Autore: "},
    }};
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    for (const Case &c : cases) { // English first, then back to Italian
        test::click(flag(window, c.flag));
        EXPECT_EQ(window.tag(), c.code);
        std::vector<QString> shown = captions(window);
        ASSERT_EQ(shown.size(), 17U);
        EXPECT_TRUE(shown[15].startsWith(c.creditStart)) << shown[15].toStdString();
        EXPECT_GT(shown[15].size(), c.creditStart.size());
        shown[15].clear(); // the contact text after the prefix is free
        EXPECT_EQ(shown, c.captions) << c.code;

        for (const layout::Place &p : layout::kPlaces) {
            auto *label = control<QLabel>(window, p.name, p.index);
            if (label == nullptr)
                continue;
            const QRect at = twips::toPixels(p.box);
            EXPECT_EQ(label->geometry(), QRect(at.topLeft(), label->sizeHint()))
                << test::describe(label) << " in " << c.code;
        }
        for (int k = 0; k < kFieldCount; ++k) {
            auto *label = control<QLabel>(window, "lblLabels", k);
            auto *field = control<QLineEdit>(window, "txtDati", k);
            EXPECT_EQ(label->buddy(), field);
            EXPECT_EQ(field->accessibleName(), label->text());
        }
        auto *ratio = control<QLineEdit>(window, "txtRatio");
        EXPECT_EQ(control<QLabel>(window, "lblRatio")->buddy(), ratio);
        EXPECT_EQ(ratio->accessibleName(), control<QLabel>(window, "lblRatio")->text());
    }
}

// Italian -> English -> Italian: both flags end where the first Italian state had them, and the
// fields' texts and the lock choices are not touched by the switches.
TEST(Language, SwitchingBackRestoresTheFlagsAndTouchesNothingElse) {
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    auto *field = control<QLineEdit>(window, "txtDati", 0);
    test::click(field);
    QTest::keyClicks(field, "8");
    test::click(control(window, "txtDati", 3)); // shows fraD
    auto *option = control<QRadioButton>(window, "opzD", 1);
    control(window, "fraD")->show();
    test::click(option);
    ASSERT_TRUE(option->isChecked());

    const auto state = [&] {
        std::vector<QString> s;
        for (int k = 0; k < kFieldCount; ++k)
            s.push_back(control<QLineEdit>(window, "txtDati", k)->text());
        s.push_back(control<QLineEdit>(window, "txtRatio")->text());
        for (const char *group : {"opzP", "opzD", "opzR"}) {
            for (int i = 0; i < 2; ++i) {
                const bool checked = control<QRadioButton>(window, group, i)->isChecked();
                s.push_back(checked ? QStringLiteral("on") : QStringLiteral("off"));
            }
        }
        return s;
    };
    const std::vector<QString> before = state();
    const std::array<QRect, 2> italian{flag(window, 0)->geometry(), flag(window, 1)->geometry()};
    const std::array<twips::BoxF, 2> italianBoxes{flag(window, 0)->box(), flag(window, 1)->box()};

    test::click(flag(window, 1));
    EXPECT_EQ(window.tag(), "uk");
    EXPECT_EQ(flag(window, 0)->geometry(), creationRect(0));
    EXPECT_EQ(flag(window, 1)->geometry(), enlarged(creationRect(1)));
    EXPECT_EQ(state(), before);

    test::click(flag(window, 0));
    EXPECT_EQ(window.tag(), "it");
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(flag(window, i)->geometry(), italian[i]) << i;
        EXPECT_EQ(flag(window, i)->box(), italianBoxes[i]) << i;
    }
    EXPECT_EQ(state(), before);
}

// A click on the current language's flag rewrites no caption and moves no flag: a caption
// changed behind the window's back stays as it was.
TEST(Language, ClickingTheCurrentFlagChangesNothing) {
    for (const int current : {0, 1}) {
        frmMain window;
        ASSERT_TRUE(test::showActive(window));
        test::click(flag(window, current));
        auto *label = control<QLabel>(window, "lblLabels", 2);
        auto *close = control<QPushButton>(window, "cmdClose");
        label->setText(QStringLiteral("marker"));
        close->setText(QStringLiteral("marker"));
        const std::array<QRect, 2> flags{flag(window, 0)->geometry(), flag(window, 1)->geometry()};
        const QString tag = window.tag();

        test::click(flag(window, current));
        test::click(flag(window, current), QPoint(1, 1)); // on the border, still the flag
        EXPECT_EQ(window.tag(), tag);
        EXPECT_EQ(label->text(), "marker") << current;
        EXPECT_EQ(close->text(), "marker") << current;
        EXPECT_EQ(flag(window, 0)->geometry(), flags[0]) << current;
        EXPECT_EQ(flag(window, 1)->geometry(), flags[1]) << current;
    }
}

// At any pixel density the selected flag grows by exactly 4 screen pixels on every side, and the
// other flag returns to its creation box.
class HighlightAtDensity : public testing::TestWithParam<twips::TwipsPerPixel> {};

TEST_P(HighlightAtDensity, IsFourPixelsOnEachSide) {
    const test::ScopedTwipsPerPixel density(GetParam());
    frmMain window;
    ASSERT_TRUE(test::showActive(window));
    EXPECT_EQ(flag(window, 0)->geometry(), enlarged(creationRect(0)));
    EXPECT_EQ(flag(window, 1)->geometry(), creationRect(1));

    test::click(flag(window, 1));
    EXPECT_EQ(flag(window, 0)->geometry(), creationRect(0));
    EXPECT_EQ(flag(window, 1)->geometry(), enlarged(creationRect(1)));
    const twips::BoxF box = flag(window, 1)->box();
    EXPECT_FLOAT_EQ(box.left, 660.0F - 4.0F * GetParam().x);
    EXPECT_FLOAT_EQ(box.height, 240.0F + 8.0F * GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Densities, HighlightAtDensity,
                         testing::Values(twips::TwipsPerPixel{15, 15},     // 96 DPI
                                         twips::TwipsPerPixel{12, 12},     // 120 DPI
                                         twips::TwipsPerPixel{10, 10},     // 144 DPI
                                         twips::TwipsPerPixel{7.5F, 7.5F}, // 192 DPI
                                         twips::TwipsPerPixel{12, 15}),
                         [](const testing::TestParamInfo<twips::TwipsPerPixel> &param) {
                             // Named by the screen's DPI, across and down: "dpi120x96".
                             const auto dpi = [](float perPixel) {
                                 return std::to_string(std::lround(1440.0F / perPixel));
                             };
                             return "dpi" + dpi(param.param.x) + "x" + dpi(param.param.y);
                         });

} // namespace
} // namespace quadrel
