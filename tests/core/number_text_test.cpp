#include "core/number_text.hpp"

#include "test_marks.hpp"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

using test::kArabic;
using test::kComma;
using test::kMarks;
using test::kStop;
using test::WithMark;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(DecimalSepFromMark, TakesTheFirstCharacterOfAUsableMark) {
    struct Case {
        std::string_view mark;
        std::string_view sep;
    };
    const Case cases[] = {
        {",", ","},
        {".", "."},
        {"\u066B", "\u066B"},
        {"\u066B\u066C", "\u066B"},
        {".,", "."},
        {",.", ","},
        {"\U0001D7CE", "\U0001D7CE"}, // four bytes
        {"", "."},
        {"\xC3", "."},         // cut short
        {"\xFF", "."},         // never in UTF-8
        {"\x80", "."},         // a continuation byte first
        {"\xC0\xAE", "."},     // overlong "."
        {"\xE0\x80\xAC", "."}, // overlong ","
        {"\xED\xA0\x80", "."}, // a surrogate
        {"e", "."},
        {"E", "."},
        {"7", "."},
        {"-", "."},
        {"+", "."},
        {" ", "."},
        {"\t", "."},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DecimalSepFromMark(c.mark), c.sep) << "mark \"" << c.mark << "\"";
}

TEST(DecimalSepFromMark, IsTheSecondCharacterOfTwoPointOne) {
    for (std::string_view mark : kMarks) {
        const std::string sep = DecimalSepFromMark(mark);
        EXPECT_EQ(NumberText(2.1, sep), "2" + sep + "1");
    }
}

TEST(NumberText, WritesTheGeneralFormWithEachMark) {
    struct Case {
        double value;
        std::string_view text; // with a comma mark
    };
    const Case cases[] = {
        {2.1, "2,1"},
        {1.0 / 3, "0,333333333333333"},
        {2.0 / 3, "0,666666666666667"},
        {1000, "1000"},
        {1e15, "1E+15"},
        {999999999999999, "999999999999999"},
        {999999999999999.9, "1E+15"}, // rounding reaches the exponent form
        {123456789012345.6, "123456789012346"},
        {0.0001, "0,0001"},
        {0.00009999999999999999, "0,0001"}, // rounding reaches the plain form
        {0.00001, "1E-05"},
        {0.000015, "1,5E-05"},
        {1234567890123456789.0, "1,23456789012346E+18"},
        {-2.5, "-2,5"},
        {100.25, "100,25"},
        {1e100, "1E+100"},
        {-1e-100, "-1E-100"},
        {0.0, "0"},
        {-0.0, "0"},
        {5e-324, "4,94065645841247E-324"},
        {DBL_MIN, "2,2250738585072E-308"},
        {1e308, "1E+308"},
        // The 15-digit rounding of the largest doubles is beyond the range; they round down.
        {DBL_MAX, "1,79769313486231E+308"},
        {-DBL_MAX, "-1,79769313486231E+308"},
        {1.797693134862315e308, "1,79769313486231E+308"},
        {1.797693134862314e308, "1,79769313486231E+308"},
        {1.79769313486230e308, "1,7976931348623E+308"},
        {kInf, ""},
        {-kInf, ""},
        {kNaN, ""},
    };
    for (std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(NumberText(c.value, mark), WithMark(c.text, mark))
                << "value " << c.value << " mark " << mark;
        }
    }
}

TEST(ParseNumber, ReadsOnlyWholeNumbers) {
    struct Case {
        std::string_view text; // with a comma mark
        std::optional<double> value;
    };
    const std::optional<double> none;
    const Case cases[] = {
        {"12", 12},
        {"12,5", 12.5},
        {"5,", 5},
        {",5", 0.5},
        {"-2,5", -2.5},
        {"+2,5", 2.5},
        {"1e3", 1000},
        {"1E3", 1000},
        {"1,5e-3", 0.0015},
        {"2E+02", 200},
        {" \t 7 \t", 7},
        {" \t-2 ", -2},
        {"0012", 12},
        {"-0", 0.0},
        {"1,79769313486231E+308", 1.79769313486231e308},
        {"1e-400", 0.0},
        {"-1e-400", 0.0},
        {"123456e-330", 0.0}, // below the range from a long mantissa
        {"0,0000000001e-320", 0.0},
        {"4,94065645841247E-324", 5e-324},
        {"1e00000000000000000000000000002", 100},
        {"0e999999999999999999", 0.0},
        {"0,000000000000000000000000000001e330", 1e300},
        {"", none},
        {"   ", none},
        {"-", none},
        {",", none},
        {"-,", none},
        {"e5", none},
        {",e5", none},
        {"1e", none},
        {"1e+", none},
        {"1e5,5", none},
        {"1 2", none},
        {"1,2,3", none},
        {"+-1", none},
        {"--1", none},
        {"1-", none},
        {"1e400", none},
        {"-1e400", none},
        {"1,79769313486232E+308", none},
        {"1e99999999999999999999", none},
        {"1000e306", none},
        {"abc", none},
        {"12a", none},
        {"inf", none},
        {"nan", none},
        {"0x10", none},
        {"1d3", none},
        {"\xC2\xA0"
         "1",
         none},           // no-break space
        {"\u0661", none}, // ARABIC-INDIC DIGIT ONE
    };
    for (std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            const std::string text = WithMark(c.text, mark);
            const std::optional<double> got = ParseNumber(text, mark);
            EXPECT_EQ(got, c.value) << "text \"" << text << "\"";
            if (got && *got == 0.0) {
                EXPECT_FALSE(std::signbit(*got)) << "text \"" << text << "\"";
            }
        }
    }
    // Only the mark in use is a mark.
    EXPECT_EQ(ParseNumber("1.5", kComma), none);
    EXPECT_EQ(ParseNumber("1,5", kStop), none);
    EXPECT_EQ(ParseNumber("1,5", kArabic), none);
    EXPECT_EQ(ParseNumber("1\xD9", kArabic), none); // half of the mark
}

// CleanNumber and s2n side by side, for a text typed with whatever marks.
TEST(CleanNumber, TidiesTextOrEmptiesIt) {
    struct Case {
        std::string_view text;  // as typed; "," and "." are both typed marks here
        std::string_view clean; // with a comma mark
        std::optional<double> value;
    };
    const std::optional<double> none;
    const Case cases[] = {
        {"", "", none},
        {"   ", "", none},
        {"12,5", "12,5", 12.5},
        {"12.5", "12,5", 12.5},
        {"  7,50  ", "7,5", 7.5},
        {"  7.50 ", "7,5", 7.5},
        {"0012", "12", 12},
        {"5,", "5", 5},
        {",5", "0,5", 0.5},
        {".5", "0,5", 0.5},
        {"1.2.3", "", none},
        {"1.234,5", "", none},
        {"1,,2", "", none},
        {"1,234", "1,234", 1.234},
        {"1e3", "1000", 1000},
        {"3,14159265358979323", "3,14159265358979", 3.14159265358979},
        {"3.14159265358979323", "3,14159265358979", 3.14159265358979},
        {"0,1234567890123456", "0,123456789012346", 0.123456789012346},
        {"abc", "", none},
        {"-0", "0", 0.0},
        {"-0,00", "0", 0.0},
        {"1e-400", "0", 0.0},
        {"1e400", "", none},
        {"1 000", "", none},
        {"\t8\t", "8", 8},
        {"1e-310", "9,99999999999997E-311", 9.99999999999997e-311},
        {"1,7976931348623157e308", "1,79769313486231E+308", 1.79769313486231e308},
    };
    for (std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            EXPECT_EQ(CleanNumber(c.text, mark), WithMark(c.clean, mark))
                << "text \"" << c.text << "\" mark " << mark;
            EXPECT_EQ(s2n(c.text, std::nullopt, mark), c.value)
                << "text \"" << c.text << "\" mark " << mark;
        }
    }
    // The mark in use counts like a typed one, once.
    EXPECT_EQ(CleanNumber("12\u066B5", kArabic), "12\u066B5");
    EXPECT_EQ(CleanNumber("1\u066B2.3", kArabic), "");
    EXPECT_EQ(CleanNumber("1\u066B2", kComma), "");
}

TEST(S2n, GivesTheFallbackForNoNumber) {
    EXPECT_EQ(s2n("", 3.0, kComma), 3.0);
    EXPECT_EQ(s2n("x", 3.0, kComma), 3.0);
    EXPECT_EQ(s2n("1e400", -1.5, kComma), -1.5);
    EXPECT_EQ(s2n("4", 3.0, kComma), 4.0);
    EXPECT_EQ(s2n("", std::nullopt, kComma), std::nullopt);
}

TEST(N2s, RoundsHalvesToEvenAndWritesTheNumberText) {
    struct Case {
        std::optional<double> value;
        int decimals;
        std::optional<std::string_view> text; // with a comma mark; none for a failure
    };
    const std::optional<std::string_view> fails;
    const Case cases[] = {
        {1524.5, 0, "1524"},
        {1525.5, 0, "1526"},
        {-1524.5, 0, "-1524"},
        {0.25, 1, "0,2"},
        {0.75, 1, "0,8"},
        {3.0, 1, "3"},
        {4.0 / 3, 13, "1,3333333333333"},
        {4.0 / 3, 20, "1,33333333333333"}, // never more than 15 significant digits
        {2033.06, -1, "2033"},
        {2033.06, std::numeric_limits<int>::min(), "2033"},
        {std::nullopt, 1, ""},
        {std::nullopt, -5, ""},
        {1234567, 0, "1234567"},
        {1e15, 0, "1E+15"},
        {0.00002, 13, "2E-05"},
        {0.00002, 1, "0"},
        {-0.04, 1, "0"},
        {-0.0, 0, "0"},
        {-0.4, 0, "0"},
        {27.652, 1, "27,7"},
        {1e307, 1, "1E+307"},
        {1e308, 0, "1E+308"},
        {DBL_MAX, 0, "1,79769313486231E+308"},
        {1e308, 1, fails}, // the scaling overflows
        {-1e308, 1, fails},
        {1.5, 400, fails},
        {kInf, 0, fails},
        {kNaN, 1, fails},
    };
    for (std::string_view mark : kMarks) {
        for (const Case &c : cases) {
            const std::optional<std::string> got = n2s(c.value, c.decimals, mark);
            const std::optional<std::string> want =
                c.text ? std::optional(WithMark(*c.text, mark)) : std::nullopt;
            EXPECT_EQ(got, want) << "value " << c.value.value_or(-999) << " decimals "
                                 << c.decimals;
        }
    }
}

} // namespace
} // namespace quadrel
