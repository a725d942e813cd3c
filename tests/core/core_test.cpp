// The calculation core without a window: number text, ratio texts, the key filter and the
// recalculation. Texts in the tables are written with a comma as the decimal mark and checked
// under each mark of kMarks.

#include "core/key_filter.hpp"
#include "core/number_text.hpp"
#include "core/ratio.hpp"
#include "core/recalc.hpp"

#include <cfloat>
#include <climits>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

constexpr std::array<std::string_view, 3> kMarks{",", ".", "\u066B"};

// `text`, written with a comma as the decimal mark, with each comma replaced by `mark`.
std::string WithMark(std::string_view text, std::string_view mark) {
    std::string out;
    for (char c : text)
        out += c == ',' ? std::string(mark) : std::string(1, c);
    return out;
}

constexpr std::optional<double> kNone;

TEST(DecimalSepFromMark, TakesTheFirstCharacterOfAMarkThatReadsBack) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> cases[] = {
        {",", ","}, {"\u066B\u066C", "\u066B"}, {".,", "."}, {"", "."}, {"\xC3", "."}, {"e", "."},
        {"\xC0\xAE", "."}, {"\xE0\x80\xAE", "."}, {"\xED\xA0\x80", "."}, {"-", "."}, {" ", "."}};
    // clang-format on
    for (const auto &[mark, sep] : cases)
        EXPECT_EQ(DecimalSepFromMark(mark), sep) << "mark \"" << mark << "\"";
}

TEST(NumberText, WritesFifteenDigitsInPlainOrExponentForm) {
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
        for (const auto &[value, want] : cases)
            EXPECT_EQ(NumberText(value, mark), WithMark(want, mark)) << "value " << value;
    }
}

TEST(ParseNumber, ReadsOnlyWholeNumbersInTheRange) {
    // clang-format off
    const std::pair<std::string_view, std::optional<double>> cases[] = {
        {"5,", 5}, {",5", 0.5}, {" \t-2,5\t ", -2.5}, {"+1,5e-3", 0.0015}, {"1E3", 1000},
        {"-0", 0.0}, {"1e-400", 0.0}, {"-1e-99999999999999999999", 0.0}, {"", kNone}, {" ", kNone},
        {"-", kNone}, {",", kNone}, {"e5", kNone}, {"1e", kNone}, {"1e+", kNone}, {"1e5,5", kNone},
        {"1 2", kNone}, {"1,2,3", kNone}, {"+-1", kNone}, {"1e400", kNone}, {"0x10", kNone},
        {"1,79769313486232E+308", kNone}, {"1e99999999999999999999", kNone}, {"inf", kNone},
        {"100e9223372036854775807", kNone}, {"nan", kNone}, {"\xC2\xA0" "1", kNone}};
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

// CleanNumber and ReadNumber side by side; a typed "," or "." is a mark too, once.
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
            EXPECT_EQ(ReadNumber(c.typed, mark), c.value);
        }
    }
}

TEST(FormatFixed, RoundsHalvesToEvenAndFailsBeyondTheRange) {
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
            EXPECT_EQ(FormatFixed(c.value, c.decimals, mark),
                      c.text ? std::optional(WithMark(*c.text, mark)) : std::nullopt)
                << "value " << c.value.value_or(-999) << ", decimals " << c.decimals;
        }
    }
}

// The ends of each range of characters, under either mark; a decimal digit of every script
// (Unicode's 660, also beyond 16 bits) goes in as its ASCII digit; each kind of field takes what
// its sizes are written with.
TEST(TypedCharacter, PassesControlsAndDigitsAndTurnsMarksIntoTheDecimalMark) {
    constexpr std::optional<char32_t> kDropped;
    using enum KeyField;
    // clang-format off
    const std::tuple<char32_t, KeyField, char32_t, std::optional<char32_t>> cases[] = {
        {U'\x1f', Number, U',', U'\x1f'}, {U'\x7f', Number, U',', U'\x7f'},
        {U'0', Number, U',', U'0'}, {U'9', Number, U'.', U'9'}, {U',', Number, U'.', U'.'},
        {U'.', PrintSize, U',', U','}, {U'.', Ratio, U'\u066B', U'\u066B'},
        {U' ', Number, U',', kDropped}, {U'/', Number, U',', kDropped},
        {U':', PixelCount, U',', kDropped}, {U'/', Ratio, U',', U'/'}, {U':', Ratio, U',', U':'},
        {U'-', Ratio, U',', kDropped}, {U'e', Number, U',', kDropped},
        {U'\x80', Number, U',', kDropped}, {U'\u0660', Number, U',', U'0'},
        {U'\u0669', Number, U',', U'9'}, {U'\u066A', Number, U',', kDropped},
        {U'\u0E58', Ratio, U',', U'8'}, {U'\uFF18', Number, U',', U'8'},
        {U'\U0001D7CE', Number, U',', U'0'}, {U'\U0001D7FF', Number, U',', U'9'},
        {U'\U0001FBF9', Number, U',', U'9'}, {U'\U0001FBFA', Number, U',', kDropped},
        {U'\u00B2', Number, U',', kDropped}, {U'\u2167', Number, U',', kDropped}};
    // What each kind of field takes as typed besides, and some of what it drops.
    const std::tuple<KeyField, std::u32string_view, std::u32string_view> kinds[] = {
        {Number, U"", U"xX\u00D7*\" cmA"}, {PixelCount, U"xX\u00D7* ", U"c\"/:"},
        {PrintSize, U"8 x 10in 8\" \u00D7 10\" 13X18 cm 210 mm A4 Letter IN CM MM LETTER",
         U"*bdzBDZ/:"},
        {Ratio, U"/:xX\u00D7", U"* c\""}};
    // clang-format on
    for (const auto &[key, field, mark, put] : cases) {
        EXPECT_EQ(TypedCharacter(key, field, mark), put)
            << "key U+" << std::hex << unsigned(key) << " in field kind " << int(field);
    }
    for (const auto &[field, taken, dropped] : kinds) {
        for (const std::u32string_view keys : {taken, dropped}) {
            for (const char32_t c : keys)
                EXPECT_EQ(TypedCharacter(c, field, U'.'),
                          keys == taken ? std::optional(c) : kDropped)
                    << "key U+" << std::hex << unsigned(c) << " in field kind " << int(field);
        }
    }
    const KeyField kindOf[] = {Number, PixelCount, PixelCount, Number, PrintSize, PrintSize};
    for (int k = -1; k <= kFieldCount; ++k)
        EXPECT_EQ(KeyFieldOf(k), k >= 0 && k < kFieldCount ? kindOf[k] : Number) << "field " << k;
    int digits = 0;
    for (char32_t c = 0; c < 0x110000; ++c)
        digits += DecimalDigitValue(c) >= 0;
    EXPECT_EQ(digits, 660);
}

// Read under "," and under "." as the locale's decimal mark: either mark reads on either side.
TEST(ReadRatio, DividesOneNumberByAnotherOrReadsOneNumber) {
    const std::pair<std::string_view, std::optional<double>> cases[] = {
        {"3/2", 1.5},     {"16:9", 16.0 / 9.0}, {" 4,5 / 3 ", 1.5}, {"4/3", 4.0 / 3.0},
        {"-3/2", -1.5},   {"1,5", 1.5},         {"4/0", kNone},     {"/2", kNone},
        {"3/", kNone},    {"3/2/1", kNone},     {"8x10", 0.8},      {"16 × 9", 16.0 / 9},
        {"4X3", 4.0 / 3}, {"8x10x1", kNone}};
    for (const std::string_view dec : {",", "."}) {
        for (const auto &[text, ratio] : cases)
            EXPECT_EQ(ReadRatio(text, dec), ratio) << '"' << text << "\" under " << dec;
    }
}

// Lock choices: the first option of every pair, or the second one of a pair.
constexpr LockChoices k1{}, kP2{.pixels = LockChoices::OnPixels::KeepPrintSize},
    kD2{.resolution = LockChoices::OnResolution::KeepPrintSize},
    kR2{.printSize = LockChoices::OnPrintSize::KeepResolution};

struct Case {
    std::string_view name;
    int index;
    std::string_view before, after; // the six fields, ";" between them, a comma as the mark
    LockChoices locks = k1;
    double ratio = 4.0 / 3;
    int writes = -1; // all but the edited field, unless a failure stops them
};

// clang-format off
const Case kCases[] = {
    {"megapixels, Dpi kept", 0, "8;;;300;;", "8;3266;2449;300;27,7;20,7"},
    {"megapixels, width kept", 0, "8;;;300;30;", "8;3266;2449;277;30;22,5", kP2},
    {"megapixels, both sizes kept as they are", 0, "8;;;300;30;20", "8;3266;2449;277;30;20", kP2},
    {"megapixels, height kept", 0, "8;;;300;;22,5", "8;3266;2449;277;30;22,5", kP2},
    {"megapixels, no numbers to keep", 0, "8;abc;;300;x;1e400", "8;3266;2449;300;;", kP2},
    {"megapixels empty", 0, "; 0012 ;;300,;27,66;1e3", ";12;;300;27,7;1000"},
    {"horizontal pixels", 1, ";4000;;300;;", "12;4000;3000;300;33,9;25,4"},
    {"vertical pixels, ratio 3/2", 2, ";;2000;;;", "6;3000;2000;;;", k1, 1.5},
    {"Dpi, both pixel counts kept", 3, "8;3264;2448;200;;", "8;3264;2448;200;41,5;31,1"},
    {"Dpi, megapixels from both counts", 3, ";3543;2657;300;;", "9,4;3543;2657;300;30;22,5"},
    {"Dpi, pixels from megapixels", 3, "8;3264;;200;;", "8;3266;2449;200;41,5;31,1"},
    {"Dpi, pixels from vertical", 3, ";;3000;300;;", "12;4000;3000;300;33,9;25,4"},
    {"Dpi, no pixels to keep", 3, ";;;300;30;22,5", ";;;300;30;22,5"},
    {"Dpi, width kept", 3, ";;;300;30;", "9,4;3543;2657;300;30;22,5", kD2},
    {"Dpi, height kept", 3, ";;;300;;20", "7,4;3150;2362;300;26,7;20", kD2},
    {"Dpi, no size to keep", 3, "8;;;300;;", "8;;;300;;", kD2},
    {"width, no pixels to keep", 4, ";;;300;30;", ";;;300;30;22,5"},
    {"width, pixels kept", 4, ";4000;;;30;", "12;4000;3000;339;30;22,5"},
    {"width, both pixel counts kept", 4, "12,2;4032;3024;;15;", "12,2;4032;3024;683;15;11,2"},
    {"width, no Dpi to keep", 4, "8;;;;30;", "8;;;;30;22,5", kR2},
    // The grouping of a formula decides a half: (WidthCm * Dpi) / 2,54 = 5567,4999... and
    // PixelsX / Ratio = 7357,4999... (with HeightCm * Dpi / 2,54 it would be 7357,5).
    {"width, Dpi kept, 5567,4999", 4, ";;;635;22,27;", "23,2;5567;4176;635;22,27;16,7", kR2},
    {"width, Dpi kept, 7357,4999", 4, ";;;981;25,4;", "72,2;9810;7357;981;25,4;19", kR2},
    {"height, pixels kept", 5, ";3200;;;;20", "7,7;3200;2400;305;26,7;20"},
    // Kept pixels are the ratio's to their rounding; counts of another shape follow the megapixels.
    {"Dpi, 8 MP's counts are 4/3's", 3, "8;3266;2449;300;;", "8;3266;2449;300;27,7;20,7"},
    {"width, counts of another ratio", 4, "24;6000;4000;300;21;", "24;4119;5826;498;21;29,7", k1,
     21 / 29.7},
    {"Dpi, counts of another ratio", 3, "24;6000;4000;300;50,8;33,9", "24;4119;5826;300;34,9;49,3",
     k1, 21 / 29.7},
    {"outside the fields", -1, "8,04;3264,4;;300;;", "8;3264;;300;;"},
    // Failures while deriving write nothing; a failure while showing field k writes those before.
    {"Dpi zero", 0, "8;;;0;;", "8;;;0;;", k1, 4.0 / 3, 0},
    {"Dpi tiny", 0, "8;;;1e-320;;", "8;;;1e-320;;", k1, 4.0 / 3, 0},
    {"ratio infinite", 1, ";4000;;;;", ";4000;;;;", k1, INFINITY, 0},
    {"width zero", 4, "8;;;;0;", "8;;;;0;", k1, 4.0 / 3, 0},
    {"width too large to show", 1, "8,04;;;;1e308;5,55", "8;;;;1e308;5,55", k1, 4.0 / 3, 3},
};
// clang-format on

TEST(RecalcWrites, WritesTheOtherFieldsInOrderWithEachMark) {
    for (std::string_view mark : kMarks) {
        for (const Case &c : kCases) {
            SCOPED_TRACE(testing::Message() << c.name << ", mark " << mark);
            std::array<std::string, kFieldCount> before, after;
            std::istringstream in(WithMark(c.before, mark)), out(WithMark(c.after, mark));
            std::vector<int> order, expected;
            for (int k = 0; k < kFieldCount; ++k) {
                std::getline(in, before[k], ';');
                std::getline(out, after[k], ';');
                if (k != c.index)
                    expected.push_back(k);
            }
            expected.resize(c.writes >= 0 ? c.writes : expected.size());
            const FieldTexts texts{before[0], before[1], before[2],
                                   before[3], before[4], before[5]};
            std::array<std::string, kFieldCount> fields = before;
            for (const FieldWrite &w : RecalcWrites(c.index, texts, c.ratio, c.locks, mark)) {
                order.push_back(w.field);
                fields.at(w.field) = w.text;
            }
            EXPECT_EQ(order, expected);
            EXPECT_EQ(fields, after);
        }
    }
}

} // namespace
} // namespace quadrel
