// Sizes as photographers write them, through the behaviour: pixel pairs, print sizes with units
// and papers, the ratio as written, turning the picture, the figures in one line and the hints
// of empty fields. Each row plays its script in a new window under a comma and under a full stop.

#include "fake_window.hpp"

#include <gtest/gtest.h>

namespace quadrel {
namespace {

std::string WithMark(std::string text, std::string_view mark) {
    for (char &c : text)
        c = c == ',' && mark == "." ? '.' : c;
    return text;
}

// Each row's script, then the seven texts; a second script, when there is one, then its texts.
TEST(Sizes, FollowTheFormsAsTyped) {
    struct Row {
        const char *name;
        const char32_t *script;
        const char *expected;
    };
    // clang-format off
    const Row rows[] = {
        {"a pair of counts sets the ratio and the other count", U"❹300❷3840x2160", "8,3|3840x2160|2160|300|32,5|18,3|16:9"},
        {"left, the pair is its own count", U"❹300❷3840 * 2160❸", "8,3|3840|2160|300|32,5|18,3|16:9"},
        {"a pair on its way derives nothing more", U"❷3840x", "11,1|3840x|2880||||1,3333333333333"},
        {"a pair undone gives the ratio back", U"❷3840x2⌫⌫", "11,1|3840|2880||||1,3333333333333"},
        {"a length with its unit", U"❹300❺Ⓡ❺8in", "4,3|2400|1800|300|8in|15,2|1,3333333333333"},
        {"left, a length is its cm", U"❹300❺Ⓡ❺8in❻", "4,3|2400|1800|300|20,32|15,2|1,3333333333333"},
        {"a paper, keeping the resolution", U"❹300❺Ⓡ❺A4", "8,7|2480|3508|300|A4|29,7|21:29,7"},
        {"two lengths, one unit", U"❹300❺Ⓡ❺8x10in", "7,2|2400|3000|300|8x10in|25,4|8:10"},
        {"a paper in the height", U"❹300❻Ⓡ❻a4", "8,7|2480|3508|300|21|a4|21:29,7"},
        {"a ratio written with x", U"❷4000❼ⓐ8x10❶", "20|4000|5000||||8x10"},
        {"counts of another ratio follow the megapixels", U"❼ⓐ3/2❶24❹300❼ⓐ21/29,7❺21", "24|4119|5826|498|21|29,7|21/29,7"},
        {"turning swaps the sides", U"❷4032❺15Ⓣ", "12,2|3024|4032|683|11,2|15|0,75"},
        {"turning twice gives everything back", U"❷4032❺15ⓉⓉ", "12,2|4032|3024|683|15|11,2|1,3333333333333"},
        {"turning a fraction", U"❷6000❼ⓐ3:2Ⓣ", "24|4000|6000||||2:3"},
        {"turning moves the anchor to its partner", U"❷4032❺15Ⓣ❼ⓐ1", "12,2|3493|3493|591|15|15|1"},
        {"turning ends an edit", U"❷3840x2160Ⓣ", "8,3|2160|3840||||9:16"},
    };
    // clang-format on
    for (const Row &row : rows) {
        for (const std::string_view mark : {",", "."}) {
            FakeWindow w(mark);
            w.play(row.script);
            EXPECT_EQ(w.all(), WithMark(row.expected, mark)) << row.name << ", mark " << mark;
        }
    }
}

// Leaving an edited field only tidies it: the figures were worked out from the same number at the
// last keystroke, and a second derivation would read the figures that the first one wrote.
TEST(Sizes, LeavingAFieldChangesNoOtherFigure) {
    for (const std::u32string_view script : {U"❹ⓥ❸8❹ⓐ4", U"❷4032❺15", U"❹300❺Ⓡ❺A4"}) {
        FakeWindow w;
        w.pasted = "2e-308";
        w.play(script);
        const std::size_t left = FakeWindow::slot(w.focused);
        std::array<std::string, kFieldCount + 1> before = w.texts;
        w.play(U"❼");
        before[left] = w.texts[left]; // tidied
        EXPECT_EQ(w.texts, before);
    }
}

// The figures in one line, and the hints of empty fields in the window's language.
TEST(Sizes, CopyTheAnswerAndNameWhatWouldFillAField) {
    for (const std::string_view mark : {",", "."}) {
        FakeWindow w(mark);
        w.play(U"❼ⓐ3/2❶24❹300Ⓒ");
        const std::string m(mark);
        EXPECT_EQ(w.clipboard, "24 MP, 6000 × 4000 px, 300 DPI, 50" + m + "8 × 33" + m +
                                   "9 cm (20 × 13" + m + "3 in), 3/2");
        EXPECT_EQ(w.tips[WidthCm], "20 in");
    }
    FakeWindow h;
    h.play(U"❹300❺30");
    const char *keepDpi = lang::kCaptions[0].lockChoices[int(LockPair::PrintSize)][1];
    EXPECT_EQ((std::vector<std::string>(h.placeholders.begin(), h.placeholders.end())),
              (std::vector<std::string>{keepDpi, keepDpi, keepDpi, "", "", "", ""}));
    h.play(U"Ⓔ");
    EXPECT_EQ(h.placeholders[0], lang::kCaptions[1].lockChoices[int(LockPair::PrintSize)][1]);
    h.play(U"Ⓡ");
    EXPECT_EQ(h.all(), "9,4|3543|2657|300|30|22,5|1,3333333333333");
    EXPECT_EQ(h.placeholders[0], "");
}

} // namespace
} // namespace quadrel
