// Sizes as photographers write them, and the texts written of sizes, under "," and "." as the
// decimal mark: a field reads either, and each text written is given here with ",".

#include "core/size_text.hpp"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

constexpr std::string_view kMarks[] = {",", "."};

// `text` with each comma before a digit (a decimal mark, not the summary's ", ") written as `mark`.
std::string WithMark(std::string_view text, std::string_view mark) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool decimal = text[i] == ',' && text.substr(i, 2).find_first_of("0123456789") == 1;
        out += decimal ? mark : text.substr(i, 1);
    }
    return out;
}

TEST(ReadPixelPair, ReadsTwoCountsJoinedByATimesSign) {
    // clang-format off
    struct Case { std::string_view name, text; double x, y; std::string_view ratio; }
    const cases[] = {
        {"x", "3840x2160", 3840, 2160, "16:9"}, {"X", "4000X3000", 4000, 3000, "4:3"},
        {"× between blanks", " 3840 × 2160 ", 3840, 2160, "16:9"},
        {"*", "6000*4000", 6000, 4000, "3:2"}, {"while typing", "3840x2", 3840, 2, "1920:1"},
        {"a mark", "3840*2.5", 3840, 2.5, "3840:2,5"}};
    const std::string_view refused[] = {"3840x", "3840", "1x2x3", "0x2160", "3840/2160",
                                        "1e300x1e-300"};
    // clang-format on
    for (const std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(ReadPixelPair(c.text, mark), (PixelPair{c.x, c.y, WithMark(c.ratio, mark)}))
                << c.name << ", mark " << mark;
        }
        for (const std::string_view text : refused)
            EXPECT_FALSE(ReadPixelPair(text, mark)) << '"' << text << "\", mark " << mark;
    }
}

TEST(ReadPrintSize, ReadsLengthsInTheirUnitsAndPapersInCentimetres) {
    const OptionalNumber one; // one length: no height and no ratio
    // clang-format off
    struct Case {
        std::string_view name, text; double width; OptionalNumber height; std::string_view ratio;
    } const cases[] = {
        {"inches", "8in", 20.32, one, ""}, {"inch sign", "8\"", 20.32, one, ""},
        {"inches as typed", "1,1 IN", 2.794, one, ""}, {"millimetres", "210mm", 21, one, ""},
        {"centimetres", " 21 Cm ", 21, one, ""}, {"no unit", "13", 13, one, ""},
        {"pair", "13x18", 13, 18, "13:18"}, {"unit at the end", "8x10in", 20.32, 25.4, "8:10"},
        {"unit at the end, blanks", "210 x 297 mm", 21, 29.7, "210:297"},
        {"unit at the end, mark", "8.5 × 11\"", 21.59, 27.94, "8,5:11"},
        {"the second's unit for both", "25 x 8in", 63.5, 20.32, "25:8"},
        {"a unit each", "8in x 25cm", 20.32, 25, "20,32:25"},
        {"cm without one", "8in x 25", 20.32, 25, "20,32:25"},
        {"A0", "A0", 84.1, 118.9, "84,1:118,9"}, {"A1", "a1", 59.4, 84.1, "59,4:84,1"},
        {"A2", "A2", 42, 59.4, "42:59,4"}, {"A3", "A3", 29.7, 42, "29,7:42"},
        {"A4", " A4 ", 21, 29.7, "21:29,7"}, {"A5", "A5", 14.8, 21, "14,8:21"},
        {"A6", "A6", 10.5, 14.8, "10,5:14,8"}, {"Letter", "LETTER", 21.59, 27.94, "21,59:27,94"}};
    const std::string_view refused[] = {"8x", "x10", "8 inch", "A7", "8*10", "0x10", "-8in", "cm",
                                        "8xin", "1e308in", "1e-200x1e200", "A4x2", ""};
    // clang-format on
    for (const std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(ReadPrintSize(c.text, mark),
                      (PrintSize{c.width, c.height, WithMark(c.ratio, mark)}))
                << c.name << ", mark " << mark;
        }
        for (const std::string_view text : refused)
            EXPECT_FALSE(ReadPrintSize(text, mark)) << '"' << text << "\", mark " << mark;
        for (const std::string_view size : kCommonPrintSizes)
            EXPECT_TRUE(ReadPrintSize(size, mark).value_or(PrintSize{}).heightCm) << size;
    }
}

TEST(PixelRatioText, ReducesWholeCountsAndWritesOthersAsTheyAre) {
    // clang-format off
    struct Case { std::string_view name; double x, y; std::string_view text; } const cases[] = {
        {"16:9", 3840, 2160, "16:9"}, {"coprime", 3266, 2449, "3266:2449"},
        {"zero", 0, 2160, "0:2160"}, {"not whole", 4000.5, 3000, "4000,5:3000"},
        {"2^53", 9007199254740992.0, 4503599627370496.0, "2:1"},
        {"beyond 2^53", 9007199254740994.0, 2, "9,00719925474099E+15:2"},
        {"infinite", INFINITY, 1, ""}, {"not a number", 1, NAN, ""}};
    // clang-format on
    for (const std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(PixelRatioText(c.x, c.y, mark), WithMark(c.text, mark))
                << c.name << ", mark " << mark;
        }
    }
}

TEST(SummaryLine, WritesEachGroupThatHoldsNumbers) {
    // clang-format off
    struct Case { std::string_view name; FieldTexts fields; std::string_view ratio, line; }
    const cases[] = {
        {"all", {"24", "6000", "4000", "300", "50.8", "33.9"}, "3/2",
         "24 MP, 6000 × 4000 px, 300 DPI, 50,8 × 33,9 cm (20 × 13,3 in), 3/2"},
        {"untidy", {"0024", "6000", "4000", "300.", "50.80", " 33,9"}, " 3/2 ",
         "24 MP, 6000 × 4000 px, 300 DPI, 50,8 × 33,9 cm (20 × 13,3 in), 3/2"},
        {"a count missing", {"24", "6000", "", "300", "50.8", "33.9"}, "3/2",
         "24 MP, 300 DPI, 50,8 × 33,9 cm (20 × 13,3 in), 3/2"},
        {"a size missing", {"", "6000", "4000", "300", "50.8", "x"}, "0", "6000 × 4000 px, 300 DPI"},
        {"inches too large to show", {"", "", "", "", "1e308", "2.54"}, "", "1E+308 × 2,54 cm"}};
    // clang-format on
    for (const std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(SummaryLine(c.fields, c.ratio, mark), WithMark(c.line, mark))
                << c.name << ", mark " << mark;
        }
    }
}

} // namespace
} // namespace quadrel
