// Seeded property tests over many generated numbers and texts.

#include "core/number_text.hpp"
#include "core/recalc.hpp"

#include "test_marks.hpp"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

using test::kMarks;

constexpr int kRuns = 50'000;
constexpr double kTop = 1.79769313486231e308; // the largest double in 15 digits

struct Generator {
    std::mt19937_64 rng;

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    // A finite double: any bit pattern, any decade, a figure with few decimals, or a neighbour of
    // an end of the range or of the plain form.
    double Double() {
        static constexpr double kEdges[] = {DBL_MAX, DBL_TRUE_MIN, 1e15, 1e-4, 999999999999999.5};
        for (;;) {
            const int kind = Int(0, 3);
            const double x = kind == 0   ? std::bit_cast<double>(rng())
                             : kind == 1 ? Int(-99, 99) * 0.1 * std::pow(10.0, Int(-330, 308))
                             : kind == 2 ? Int(-99'999, 99'999) / std::pow(10.0, Int(0, 6))
                                         : std::nextafter(kEdges[Int(0, 4)], Int(0, 1) * DBL_MAX);
            if (std::isfinite(x))
                return x;
        }
    }

    // A text as it might reach a field: a number text, a C-form number, or junk.
    std::string Text(std::string_view mark) {
        std::string text(64, '\0');
        if (const int kind = Int(0, 2); kind == 0)
            return NumberText(Double(), Int(0, 1) ? mark : kMarks[Int(0, 2)]);
        else if (kind == 1)
            return text.substr(0, std::snprintf(text.data(), 64, "%.*g", Int(0, 19), Double()));
        for (text.clear(); text.size() < 12 && Int(0, 12) > 0;)
            text += Int(0, 9) ? std::string(1, "0123456789.,eE+- \tx"[Int(0, 18)]) : mark;
        return text;
    }
};

// A text NumberText writes: it reads back and is written again the same way.
bool IsNumberText(const std::string &text, std::string_view mark) {
    const std::optional<double> value = ParseNumber(text, mark);
    return !text.empty() && value && NumberText(*value, mark) == text;
}

// Digits, a sign, one mark and an exponent only: no group separator, at most 15 significant digits.
bool IsShortNumber(std::string text, std::string_view mark) {
    if (const std::size_t at = text.find(mark); at != std::string::npos)
        text.erase(at, mark.size());
    const std::string mantissa = text.substr(0, text.find('E'));
    const std::size_t first = std::min(mantissa.find_first_of("123456789"), mantissa.size());
    return text.find_first_not_of("0123456789-+E") == std::string::npos &&
           mantissa.size() - first <= 15;
}

// NumberText reads back as the value to 15 digits, CleanNumber is stable on its result, s2n reads
// the clean text, and n2s shows the value rounded half to even in at most 15 digits.
TEST(NumberTextProperty, HoldForGeneratedValuesAndTexts) {
    Generator gen{std::mt19937_64(1)};
    for (int run = 0; run < kRuns; ++run) {
        const std::string_view mark = kMarks[run % kMarks.size()];
        const double x = gen.Double();
        const std::string text = NumberText(x, mark), typed = gen.Text(mark);
        const std::string clean = CleanNumber(typed, mark);
        const int decimals = gen.Int(-1, 16);
        const double scale = std::pow(10.0, std::max(decimals, 0));
        const std::optional<std::string> shown = n2s(x, decimals, mark);
        SCOPED_TRACE("\"" + text + "\", \"" + typed + "\", " + shown.value_or("no text"));
        char digits15[32]; // the C library's rounding, kept inside the range
        std::snprintf(digits15, sizeof digits15, "%.14e", x);
        ASSERT_EQ(ParseNumber(text, mark),
                  std::clamp(std::strtod(digits15, nullptr), -kTop, kTop) + 0.0);
        ASSERT_TRUE(IsNumberText(text, mark) && IsShortNumber(text, mark));
        const double got = std::fabs(*ParseNumber(text, mark));
        ASSERT_EQ(text.find('E') != std::string::npos, got != 0.0 && (got >= 1e15 || got < 1e-4));
        ASSERT_TRUE(clean.empty() || CleanNumber(clean, mark) == clean);
        ASSERT_EQ(s2n(typed, std::nullopt, mark),
                  clean.empty() ? std::nullopt : ParseNumber(clean, mark));
        ASSERT_EQ(shown.has_value(), std::isfinite(x * scale));
        ASSERT_TRUE(!shown || IsShortNumber(*shown, mark));
        ASSERT_TRUE(!shown || *shown == NumberText(std::nearbyint(x * scale) / scale, mark));
    }
}

TEST(RecalcProperty, WritesOnlyEmptyOrNumberTexts) {
    Generator gen{std::mt19937_64(4)};
    for (int run = 0; run < kRuns; ++run) {
        const std::string_view mark = kMarks[run % kMarks.size()];
        std::array<std::string, kFieldCount> fields;
        FieldTexts texts;
        for (int k = 0; k < kFieldCount; ++k)
            texts[k] = fields[k] = gen.Int(0, 2) ? gen.Text(mark) : std::string();
        const double ratio = gen.Int(0, 1) ? gen.Int(1, 99) * 0.1 : gen.Double();
        LockChoices locks;
        for (auto *pair : {&locks.opzP, &locks.opzD, &locks.opzR})
            *pair = {gen.Int(0, 1) == 1, gen.Int(0, 1) == 1};
        for (const FieldWrite &w : RecalcWrites(gen.Int(-1, 6), texts, ratio, locks, mark))
            ASSERT_TRUE(w.text.empty() || IsNumberText(w.text, mark)) << w.text;
    }
}

} // namespace
} // namespace quadrel
