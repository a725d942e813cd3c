#include "core/number_text.hpp"

#include "core/key_filter.hpp"
#include "test_marks.hpp"

#include <cfloat>
#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

// Texts in the tables are written with a comma mark and checked under each mark.
namespace quadrel {
namespace {

using test::kMarks;
using test::WithMark;

constexpr std::optional<double> kNone;

TEST(DecimalSepFromMark, TakesTheFirstCharacterOfAMarkThatReadsBack) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> cases[] = {
        {",", ","}, {"\u066B\u066C", "\u066B"}, {".,", "."}, {"", "."}, {"\xC3", "."},
        {"\xC0\xAE", "."}, {"\xED\xA0\x80", "."}, {"e", "."}, {"-", "."}, {" ", "."}};
    // clang-format on
    for (const auto &[mark, sep] : cases)
        EXPECT_EQ(DecimalSepFromMark(mark), sep) << "mark \"" << mark << "\"";
}

TEST(NumberText, WritesFifteenDigitsThatReadBack) {
    // clang-format off
    const std::pair<double, std::string_view> cases[] = {
        {2.1, "2,1"}, {1.0 / 3, "0,333333333333333"}, {2.0 / 3, "0,666666666666667"},
        {999999999999999, "999999999999999"}, {999999999999999.9, "1E+15"}, {0.0001, "0,0001"},
        {0.00001, "1E-05"}, {1234567890123456789.0, "1,23456789012346E+18"},
        {-1e-100, "-1E-100"}, {-0.0, "0"}, {5e-324, "4,94065645841247E-324"},
        {DBL_MAX, "1,79769313486231E+308"}, {-1.797693134862315e308, "-1,79769313486231E+308"},
        {1.79769313486230e308, "1,7976931348623E+308"}, {INFINITY, ""}, {NAN, ""}};
    // clang-format on
    for (std::string_view mark : kMarks) {
        for (const auto &[value, want] : cases) {
            const std::string text = NumberText(value, mark);
            EXPECT_EQ(text, WithMark(want, mark)) << "value " << value;
            EXPECT_EQ(NumberText(ParseNumber(text, mark).value_or(NAN), mark), text);
        }
    }
}

TEST(ParseNumber, ReadsOnlyWholeNumbersInTheRange) {
    // clang-format off
    const std::pair<std::string_view, std::optional<double>> cases[] = {
        {"5,", 5}, {",5", 0.5}, {" \t-2,5 ", -2.5}, {"+1,5e-3", 0.0015}, {"1E3", 1000},
        {"-0", 0.0}, {"1e-400", 0.0}, {"-1e-99999999999999999999", 0.0}, {"", kNone}, {" ", kNone},
        {"-", kNone}, {",", kNone}, {"e5", kNone}, {"1e", kNone}, {"1e+", kNone}, {"1e5,5", kNone},
        {"1 2", kNone}, {"1,2,3", kNone}, {"+-1", kNone}, {"1e400", kNone},
        {"1,79769313486232E+308", kNone}, {"1e99999999999999999999", kNone}, {"100e9223372036854775807", kNone}, {"0x10", kNone},
        {"inf", kNone}, {"nan", kNone}, {"\xC2\xA0" "1", kNone}};
    // clang-format on
    for (std::string_view mark : kMarks) {
        for (const auto &[typed, want] : cases) {
            const std::string text = WithMark(typed, mark);
            const std::optional<double> got = ParseNumber(text, mark);
            EXPECT_EQ(got, want) << "text \"" << text << "\"";
            EXPECT_FALSE(got && *got == 0.0 && std::signbit(*got)) << "text \"" << text << "\"";
        }
    }
    EXPECT_EQ(ParseNumber("1.5", ","), kNone); // only the mark in use is a mark
    EXPECT_EQ(ParseNumber("1,5", "\u066B"), kNone);
    EXPECT_EQ(ParseNumber("1\xD9", "\u066B"), kNone); // half of the mark
}

// CleanNumber and s2n side by side; a typed "," or "." is a mark too, once.
TEST(CleanNumber, TidiesTheTextOrEmptiesIt) {
    // clang-format off
    struct Case { std::string_view typed, clean; std::optional<double> value; } const cases[] = {
        {"  7.50 ", "7,5", 7.5}, {"0012", "12", 12}, {".5", "0,5", 0.5}, {"1,234", "1,234", 1.234},
        {"-0,00", "0", 0.0}, {"1e-400", "0", 0.0},
        {"3.14159265358979323", "3,14159265358979", 3.14159265358979},
        {"1,7976931348623157e308", "1,79769313486231E+308", 1.79769313486231e308},
        {"1.2.3", "", kNone}, {"1.234,5", "", kNone}, {"1e400", "", kNone}, {"abc", "", kNone}};
    // clang-format on
    for (std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << "\"" << c.typed << "\", mark " << mark);
            EXPECT_EQ(CleanNumber(c.typed, mark), WithMark(c.clean, mark));
            EXPECT_EQ(s2n(c.typed, -1.5, mark), c.value.value_or(-1.5));
        }
    }
    EXPECT_EQ(CleanNumber("12\u066B5", "\u066B"), "12\u066B5");
    EXPECT_EQ(CleanNumber("1\u066B2.3", "\u066B"), "");
}

TEST(N2s, RoundsHalvesToEvenAndFailsBeyondTheRange) {
    const std::optional<std::string_view> fails;
    // clang-format off
    struct Case { std::optional<double> value; int decimals; std::optional<std::string_view> text; }
    const cases[] = {
        {1524.5, 0, "1524"}, {1525.5, 0, "1526"}, {-1524.5, 0, "-1524"}, {0.25, 1, "0,2"},
        {0.75, 1, "0,8"}, {27.652, 1, "27,7"}, {4.0 / 3, 13, "1,3333333333333"},
        {4.0 / 3, 20, "1,33333333333333"}, {2033.06, -1, "2033"}, {2033.06, INT_MIN, "2033"},
        {std::nullopt, 1, ""}, {1e15, 0, "1E+15"}, {0.0001, 4, "0,0001"}, {0.00002, 13, "2E-05"},
        {0.00002, 1, "0"}, {-0.04, 1, "0"}, {-0.4, 0, "0"}, {DBL_MAX, 0, "1,79769313486231E+308"},
        {1e308, 1, fails}, {1.5, 400, fails}, {INFINITY, 0, fails}, {NAN, 1, fails}};
    // clang-format on
    for (std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(n2s(c.value, c.decimals, mark),
                      c.text ? std::optional(WithMark(*c.text, mark)) : std::nullopt)
                << "value " << c.value.value_or(-999) << ", decimals " << c.decimals;
        }
    }
}

// The ends of each range of characters; the window tests type the rest.
TEST(FilterKey, PassesControlsAndDigitsAndTurnsMarksIntoTheDecimalMark) {
    using enum KeyAction;
    // clang-format off
    const std::pair<char32_t, KeyAction> cases[] = {
        {U'\x1f', Pass}, {U'\x7f', Pass}, {U'0', Pass}, {U'9', Pass}, {U',', InsertDecimalMark},
        {U'.', InsertDecimalMark}, {U' ', Discard}, {U'/', Discard}, {U':', Discard}, {U'\x80', Discard}};
    // clang-format on
    for (const auto &[key, action] : cases)
        EXPECT_EQ(FilterKey(key), action) << "key U+" << std::hex << unsigned(key);
}

} // namespace
} // namespace quadrel
