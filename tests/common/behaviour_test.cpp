// The main window's behaviour through a fake window: the start, worked figures and the captions.
// What holds after any sequence of actions (what recalculates, from which field; the window given
// back; the lock pair shown and checked; F6) fuzz/behaviour_fuzzer.cpp checks.

#include "ui/common/behaviour.hpp"
#include "ui/common/version.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quadrel {
namespace {

class FakeWindow : public WindowView {
public:
    explicit FakeWindow(std::string_view mark = ",") {
        behaviour.start(mark);
        move(Control::Field(0)); // the focus lands in the first field when the window shows
    }

    // A field's place in `texts` and `selected`: the data fields, then the ratio field.
    static std::size_t slot(const Control &f) { return f == kRatioField ? 6 : f.index; }
    std::string text(const Control &f) const override { return texts.at(slot(f)); }
    void write(const Control &f, const std::string &text) override {
        texts.at(slot(f)) = text;
        selected.at(slot(f)) = false;
    }
    void selectAll(const Control &f) override { selected.at(slot(f)) = true; }
    void showLockPair(LockPair) override {}
    void setLockChecked(LockPair, int) override {}
    void focus(const Control &control) override { move(control); }
    void setTitle(const std::string &text) override { title = text; }
    void setCaptions(const lang::Captions &c) override { captions = &c; }
    void setFlagChecked(int flag, bool on) override { checked.at(flag) = on; }

    void move(Control to) { behaviour.focusChanged(focused = to); }
    // Plays `script`: ❶ to ❼ click data field 0 to 5 and the ratio field, ❽ the default-ratio
    // button; Ⓓ clicks the second option of the resolution pair; ⓐ is Ctrl+A, ⌫ Backspace; any
    // other character is typed into the field in focus.
    void play(std::u32string_view script) {
        for (const char32_t c : script) {
            const std::string text = selected.at(slot(focused)) ? "" : texts.at(slot(focused));
            if (c >= U'❶' && c <= U'❽') {
                const int n = int(c - U'❶');
                move(n < 6    ? Control::Field(n)
                     : n == 6 ? kRatioField
                              : Control{Role::DefaultRatioButton});
                if (n == 7)
                    behaviour.defaultRatioPressed();
            } else if (c == U'Ⓓ') {
                move(Control::Lock(LockPair::Resolution, 1));
                behaviour.lockChosen(LockPair::Resolution, 1);
            } else if (c == U'ⓐ') {
                selected.at(slot(focused)) = true;
            } else if (const auto typed = behaviour.typed(focused, c); typed || c == U'⌫') {
                // The user's change: written as the program's would be, then reported.
                write(focused,
                      typed ? text + char(*typed) : text.substr(0, text.size() - !text.empty()));
                behaviour.edited(focused);
            }
        }
    }
    // The data fields' and the ratio field's texts: "12|4000|3000||||1,3333333333333".
    std::string all() const {
        std::string s = texts[0];
        for (std::size_t k = 1; k < texts.size(); ++k)
            s += "|" + texts[k];
        return s;
    }

    std::array<std::string, kFieldCount + 1> texts;
    std::array<bool, kFieldCount + 1> selected{};
    Control focused;
    std::string title;
    const lang::Captions *captions = nullptr;
    std::array<bool, 2> checked{};
    WindowBehaviour behaviour{*this};
};

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
        {"a zero ratio is passed over, the one in use shown", U"❷4000❼ⓐ0❶", "12|4000|3000||||1,33333333333333"},
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
