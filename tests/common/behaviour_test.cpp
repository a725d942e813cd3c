// The main window's behaviour without a window: a fake window keeps the seven field texts, the
// selection, the focus, the lock pair shown, the captions and the checked flag, and turns a script
// of user actions into the behaviour's calls, as both real windows do.

#include "fake_window.hpp"
#include "ui/common/behaviour.hpp"
#include "ui/common/version.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quadrel {
namespace {

// `text`, written with a comma as the decimal mark, with the full stop instead.
std::string WithStop(std::string text) {
    for (char &c : text)
        c = c == ',' ? '.' : c;
    return text;
}

TEST(Behaviour, StartsWithTheDefaultRatioTheTitleAndItalian) {
    for (const auto &[mark, ratio] :
         {std::pair{",", "1,3333333333333"}, {".", "1.3333333333333"}}) {
        FakeWindow w(mark);
        EXPECT_EQ(w.all(), std::string("||||||") + ratio);
        EXPECT_EQ(w.behaviour.ratio(), 4.0 / 3.0);
        EXPECT_EQ(w.title, kTitle);
        EXPECT_EQ(w.checkedLocks, (std::array{0, 0, 0}));
        EXPECT_EQ(w.behaviour.language(), "it");
        EXPECT_EQ(w.checked, (std::array{true, false}));
        EXPECT_EQ(w.shown, LockPair::Pixels);
        EXPECT_TRUE(w.selected[0]);
    }
}

// Each row, from a new window (focus in the megapixel field), plays its script under a comma and
// under a full stop as the decimal mark and expects the seven texts.
TEST(Behaviour, FiguresChangeOnlyInAnswerToTheUsersOwnChange) {
    struct Row {
        const char *name;
        const char32_t *script;
        const char *expected;
    };
    // clang-format off
    const Row rows[] = {
        {"typing recalculates; a second mark holds no number", U"3,1,", "3,1,|2033|1525||||1,3333333333333"},
        {"only digits and either mark go in", U"3a -+.1", "3,1|2033|1525||||1,3333333333333"},
        {"digits of every script go in as 0 to 9", U"٣.١", "3,1|2033|1525||||1,3333333333333"},
        {"leaving an edited field tidies it and recalculates", U"0012❷", "12|4000|3000||||1,3333333333333"},
        {"tabbing through every field and back moves nothing", U"8❷❸❹❺❻❼❻❺❹❸❷❶", "8|3266|2449||||1,3333333333333"},
        {"reading the figures back moves nothing", U"❷6000❺50❶❷❸❹❻❺", "27|6000|4500|305|50|37,5|1,3333333333333"},
        {"keep the pixels keeps both counts", U"❷4032❺15", "12,2|4032|3024|683|15|11,2|1,3333333333333"},
        {"keep the print size for the resolution", U"❺30❹300Ⓓ", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"clicking through the fields afterwards", U"❺30❹300Ⓓ❶❷❸❹❺❻❼❶", "9,4|3543|2657|300|30|22,5|1,3333333333333"},
        {"the anchor's pair recalculates at once", U"8❹300Ⓓ", "8|3272|2445|300|27,7|20,7|1,3333333333333"},
        {"another pair's choice waits for the next edit", U"8❹300Ⓟ", "8|3266|2449|300|27,7|20,7|1,3333333333333"},
        {"F6 and a lock key choose, from the anchor", U"8❹300❻⑥↓⑥", "8|3266|2449|300|27,7|20,7|1,3333333333333"},
        {"a ratio recalculates from the field last edited", U"8❷❸❹❺❻❼ⓐ3/2", "8|3464|2309||||3/2"},
        {"the default ratio recalculates from it too", U"8❷❸❹❺❻❼ⓐ3/2❽", "8|3266|2449||||1,3333333333333"},
        {"a ratio typed as X:Y stays so", U"❷4000❼ⓐ16 :9❶", "9|4000|2250||||16:9"},
        {"a ratio before any edit derives nothing", U"❼ⓐ2", "||||||2"},
        {"a ratio without a number keeps the last one", U"❷4000❼ⓐ4/0❶", "4|4000|1000||||4"},
        {"a zero ratio is passed over", U"❷4000❼ⓐ0❶", "12|4000|3000||||1,3333333333333"},
        {"a pasted negative ratio is passed over", U"❷4000❼ⓐⓥ❶", "12|4000|3000||||1,3333333333333"},
        {"a ratio deleted key by key ends at its first digit", U"❷4000❼⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫⌫❶", "16|4000|4000||||1"},
        {"an emptied field gives the window back", U"8❷5⌫❸", "8|3266|2449||||1,3333333333333"},
        {"and the anchor it had on entry", U"8❷5⌫❸❼ⓐ2", "8|4000|2000||||2"},
        {"a flag changes no figure", U"8ⒺⒾ❷", "8|3266|2449||||1,3333333333333"},
    };
    // clang-format on
    for (const Row &row : rows) {
        for (const std::string_view mark : {",", "."}) {
            FakeWindow w(mark);
            w.play(row.script);
            EXPECT_EQ(w.all(), mark == "," ? row.expected : WithStop(row.expected))
                << row.name << ", mark " << mark;
        }
    }
}

// The lock pair shown follows the data field last entered; F6 goes to the chosen option of that
// pair and back to the field.
TEST(Behaviour, LockPairAndF6FollowTheFieldLastEntered) {
    const std::pair<std::u32string_view, Control> rows[] = {
        {U"❹⑥", Control::Lock(LockPair::Resolution, 0)},
        {U"❹⑥↓⑥", Control::Field(Dpi)},
        {U"❻Ⓡ❼⑥", Control::Lock(LockPair::PrintSize, 1)},
        {U"❸❽⑥", Control::Lock(LockPair::Pixels, 0)},
    };
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        FakeWindow w;
        w.play(rows[row].first);
        EXPECT_EQ(w.focused, rows[row].second) << "row " << row;
        EXPECT_EQ(w.shown, PairOf(w.behaviour.lastEntered())) << "row " << row;
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
    w.play(U"Ⓔ");
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
    w.play(U"Ⓔ");
    EXPECT_EQ(w.captions, nullptr);
    w.play(U"Ⓘ");
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
