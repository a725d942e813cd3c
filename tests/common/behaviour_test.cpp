// The main window's behaviour through a fake window (fake_window.hpp): the start, worked figures
// and the captions. What holds after any sequence of actions (what recalculates and from which
// field, the window given back, the lock pair shown and checked, F6) is checked by
// fuzz/behaviour_fuzzer.cpp.

#include "fake_window.hpp"
#include "ui/common/version.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quadrel {
namespace {

TEST(Behaviour, StartsWithTheDefaultRatioTheTitleAndItalian) {
    FakeWindow w(".");
    EXPECT_EQ(w.all(), "||||||1.3333333333333");
    EXPECT_EQ(w.title, kTitle);
    EXPECT_EQ(w.behaviour.language(), "it");
    EXPECT_EQ(w.checked, (std::array{true, false}));
}

// Each row plays its script in a new window (the focus in the megapixel field): the seven texts.
TEST(Behaviour, WorkedFigures) {
    // clang-format off
    const std::tuple<const char *, std::u32string_view, const char *> rows[] = {
        {"8 megapixels, tabbed through and back", U"8❷❸❹❺❻❼❻❺❹❸❷❶", "8|3266|2449||||1,3333333333333"},
        {"keep the pixels keeps both counts", U"❷4032❺15", "12,2|4032|3024|683|15|11,2|1,3333333333333"},
        {"30 cm at 300 DPI, keep the print size", U"❺30❹300Ⓓ", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"a ratio recalculates from the field last edited", U"8❷❸❹❺❻❼ⓐ3/2", "8|3464|2309||||3/2"},
        {"the default ratio recalculates from it too", U"8❷❸❹❺❻❼ⓐ3/2❽", "8|3266|2449||||1,3333333333333"},
        {"an emptied field gives the window back", U"8❷5⌫❸", "8|3266|2449||||1,3333333333333"},
        {"a zero ratio is passed over, the one in use shown", U"❷4000❼ⓐ0❶", "12|4000|3000||||1,3333333333333"},
    };
    // clang-format on
    for (const auto &[name, script, expected] : rows) {
        FakeWindow w;
        w.play(script);
        EXPECT_EQ(w.all(), expected) << name;
    }
}

// The flags switch every control's text and hint and the checked flag; the flag in use changes
// nothing. One literal row a language, so that two captions swapped in the table fail.
TEST(Behaviour, FlagsSwitchEveryControlsText) {
    const auto shown = [](const lang::Captions &captions) {
        std::string all;
        for (const layout::Row &row : layout::kControls) {
            const auto [text, hint] = TextOf(row.control, captions);
            all += std::string(text) + (hint.empty() ? "" : "(" + std::string(hint) + ")") + "|";
        }
        return all;
    };
    FakeWindow w;
    w.move(Control::Flag(1));
    w.behaviour.flagPressed(1);
    ASSERT_NE(w.captions, nullptr);
    EXPECT_EQ(shown(*w.captions),
              "Megapixels|Megapixels|Horizontal pixels|Horizontal pixels|Vertical pixels|Vertical "
              "pixels|Print resolution [DPI]|Print resolution [DPI]|Print width [cm]|Print width "
              "[cm]|Print height [cm]|Print height [cm]|X/Y ratio|X/Y ratio|default(Puts back the "
              "4/3 ratio)|Close|Italiano(Italiano)|English(English)|What stays fixed while the "
              "print size changes|lock(Keeps the pixels fixed)|lock(Keeps the print resolution "
              "fixed)||What stays fixed while the print resolution changes|lock(Keeps the pixels "
              "fixed)|lock(Keeps the print size fixed)|||What stays fixed while the pixels "
              "change|lock(Keeps the print resolution fixed)|lock(Keeps the print size fixed)||| "
              "Options |Author: Quadrel team|");
    EXPECT_EQ(w.checked, (std::array{false, true}));
    w.captions = nullptr;
    w.behaviour.flagPressed(1);
    EXPECT_EQ(w.captions, nullptr);
    w.move(Control::Flag(0));
    w.behaviour.flagPressed(0);
    EXPECT_EQ(shown(*w.captions),
              "Megapixel|Megapixel|Pixel in orizzontale|Pixel in orizzontale|Pixel in "
              "verticale|Pixel in verticale|Risoluzione di stampa [DPI]|Risoluzione di stampa "
              "[DPI]|Larghezza di stampa [cm]|Larghezza di stampa [cm]|Altezza di stampa "
              "[cm]|Altezza di stampa [cm]|Rapporto X/Y|Rapporto X/Y|predef.(Rimette il rapporto "
              "4/3)|Chiudi|Italiano(Italiano)|English(English)|Cosa resta fisso se cambiano le "
              "dimensioni di stampa|blocca(Mantiene fissi i pixel)|blocca(Mantiene fissa la "
              "risoluzione di stampa)||Cosa resta fisso se cambia la risoluzione di "
              "stampa|blocca(Mantiene fissi i pixel)|blocca(Mantiene fisse le dimensioni di "
              "stampa)|||Cosa resta fisso se cambiano i pixel|blocca(Mantiene fissa la "
              "risoluzione di stampa)|blocca(Mantiene fisse le dimensioni di stampa)||| Opzioni "
              "|Autore: Quadrel team|");
    EXPECT_EQ(w.checked, (std::array{true, false}));
}

} // namespace
} // namespace quadrel
