// Seeded property tests over many generated numbers and texts.

#include "core/number_text.hpp"
#include "core/recalc.hpp"

#include "test_marks.hpp"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace quadrel {
namespace {

using test::kMarks;

constexpr int kRuns = 100'000;
constexpr std::uint64_t kSeed = 0x5EED'0A11'CAFE'F00Dull;

class Generator {
public:
    explicit Generator(std::uint64_t seed)
        : rng_(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool Coin() { return Int(0, 1) == 1; }

    // A finite double, from a mix of kinds.
    double Double() {
        double value;
        do {
            value = AnyDouble();
        } while (!std::isfinite(value));
        return value;
    }

    double AnyDouble() {
        switch (Int(0, 6)) {
        case 0: { // any decade of the range
            const double mantissa = std::uniform_real_distribution<double>(1.0, 10.0)(rng_);
            const double value = mantissa * std::pow(10.0, Int(-330, 308));
            return Coin() ? -value : value;
        }
        case 1: // any bit pattern
            return std::bit_cast<double>(rng_());
        case 2:
            return Int(0, 100'000);
        case 3: // a rounded figure
            return Int(-100'000, 100'000) / std::pow(10.0, Int(0, 6));
        case 4: { // the ends of the range and of the plain form, and their neighbours
            static constexpr double kEdges[] = {
                0.0,    DBL_MAX, DBL_MIN, DBL_TRUE_MIN,     1e15, 1e-4, 1e-5, 1e14, 0.5, 1.0, 1e308,
                1e-308, 2.5,     9.5,     999999999999999.5};
            double value = kEdges[Int(0, std::size(kEdges) - 1)];
            for (int steps = Int(0, 3); steps > 0; --steps)
                value = std::nextafter(value, Coin() ? 0.0 : DBL_MAX);
            return Coin() ? -value : value;
        }
        default: // the sizes of the fields
            return std::uniform_real_distribution<double>(0.0, 10'000.0)(rng_);
        }
    }

    // A text as it might reach a field: a number in some form, junk, or a number spoiled.
    std::string Text(std::string_view mark) {
        std::string text;
        switch (Int(0, 4)) {
        case 0:
            text = NumberText(Double(), Coin() ? mark : std::string_view(Coin() ? "," : "."));
            break;
        case 1: { // up to 20 significant digits in C form
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, Coin() ? "%.*g" : "%.*e", Int(0, 19), Double());
            text = buffer;
            break;
        }
        case 2: { // junk from the characters that matter
            static constexpr std::string_view kAlphabet = "0123456789.,eE+- \tx";
            for (int n = Int(0, 12); n > 0; --n) {
                if (Int(0, 10) == 0)
                    text += mark;
                else
                    text += kAlphabet[Int(0, kAlphabet.size() - 1)];
            }
            break;
        }
        case 3: // typed-like digits with one mark
            text = std::to_string(Int(0, 99999));
            if (Coin())
                text += std::string(Coin() ? "," : ".") + std::to_string(Int(0, 9999));
            break;
        default: { // a number text with one character inserted or removed
            text = NumberText(Double(), mark);
            if (text.empty())
                break;
            const std::size_t at = Int(0, static_cast<int>(text.size()) - 1);
            if (Coin())
                text.erase(at, 1);
            else
                text.insert(at, 1, "0,.e-+ 9"[Int(0, 7)]);
            break;
        }
        }
        if (Int(0, 5) == 0)
            text = std::string(Int(1, 3), ' ') + text + std::string(Int(0, 3), Coin() ? ' ' : '\t');
        return text;
    }

    double Ratio() {
        static constexpr double kRatios[] = {4.0 / 3, 3.0 / 2, 16.0 / 9, 1.0,
                                             0.0,     -1.0,    1e-300,   1e300};
        return Coin() ? kRatios[Int(0, std::size(kRatios) - 1)]
                      : std::uniform_real_distribution<double>(0.1, 10.0)(rng_);
    }

    LockChoices Locks() {
        const int bits = Int(0, 63);
        return LockChoices{.opzP = {(bits & 1) != 0, (bits & 2) != 0},
                           .opzD = {(bits & 4) != 0, (bits & 8) != 0},
                           .opzR = {(bits & 16) != 0, (bits & 32) != 0}};
    }

private:
    std::mt19937_64 rng_;
};

// A text that NumberText writes: it reads back and is written again the same way.
bool IsNumberText(const std::string &text, std::string_view mark) {
    if (text.empty())
        return false;
    const std::optional<double> value = ParseNumber(text, mark);
    return value && NumberText(*value, mark) == text;
}

// Significant digits of a number text: the digits of its mantissa after any leading zeros.
int SignificantDigits(std::string_view text) {
    int count = 0;
    bool started = false;
    for (char c : text) {
        if (c == 'E')
            break;
        if (c >= '1' && c <= '9')
            started = true;
        if (started && c >= '0' && c <= '9')
            ++count;
    }
    return count;
}

// Only digits, a leading minus, the mark and an exponent: never a group separator.
bool HasOnlyNumberCharacters(std::string_view text, std::string_view mark) {
    int marks = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i).starts_with(mark)) {
            ++marks;
            i += mark.size();
            continue;
        }
        const char c = text[i];
        if (!(c >= '0' && c <= '9') && c != '-' && c != 'E' && c != '+')
            return false;
        ++i;
    }
    return marks <= 1;
}

class NumberTextProperty : public ::testing::Test {
protected:
    // The oracle below uses the C library's conversions, which follow the C locale.
    void SetUp() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(NumberTextProperty, ReadsBackTheCorrectlyRounded15DigitValue) {
    Generator gen(kSeed);
    for (int run = 0; run < kRuns; ++run) {
        const double x = gen.Double();
        const std::string_view mark = kMarks[run % kMarks.size()];
        const std::string text = NumberText(x, mark);
        SCOPED_TRACE(text);
        ASSERT_TRUE(IsNumberText(text, mark)) << "value " << x;
        ASSERT_LE(SignificantDigits(text), 15);
        ASSERT_TRUE(HasOnlyNumberCharacters(text, mark));

        // The C library's own 15-digit rounding, where it stays in range.
        char oracle[64];
        std::snprintf(oracle, sizeof oracle, "%.14e", x);
        double expected = std::strtod(oracle, nullptr);
        if (std::isinf(expected))
            expected = std::copysign(1.79769313486231e308, x);
        const double value = *ParseNumber(text, mark);
        ASSERT_EQ(value, expected + 0.0) << "value " << x << ", C library " << oracle;

        const bool exponentForm = text.find('E') != std::string::npos;
        const double magnitude = std::fabs(value);
        ASSERT_EQ(exponentForm, magnitude != 0.0 && (magnitude >= 1e15 || magnitude < 1e-4));
    }
}

TEST_F(NumberTextProperty, CleaningIsStableAndS2nReadsTheCleanText) {
    Generator gen(kSeed + 1);
    for (int run = 0; run < kRuns; ++run) {
        const std::string_view mark = kMarks[run % kMarks.size()];
        const std::string text = gen.Text(mark);
        SCOPED_TRACE("\"" + text + "\"");
        const std::string clean = CleanNumber(text, mark);
        const OptionalNumber value = s2n(text, std::nullopt, mark);
        if (clean.empty()) {
            ASSERT_FALSE(value.has_value());
            continue;
        }
        ASSERT_TRUE(IsNumberText(clean, mark)) << clean;
        ASSERT_EQ(CleanNumber(clean, mark), clean);
        ASSERT_TRUE(value.has_value());
        const double read = *ParseNumber(clean, mark);
        ASSERT_TRUE(*value == read && std::signbit(*value) == std::signbit(read))
            << clean << ": " << *value << " and " << read;
    }
}

TEST_F(NumberTextProperty, N2sShowsRoundedNumberTexts) {
    Generator gen(kSeed + 2);
    for (int run = 0; run < kRuns; ++run) {
        const std::string_view mark = kMarks[run % kMarks.size()];
        const double x = gen.Double();
        const int decimals = gen.Int(-2, 16);
        const std::optional<std::string> text = n2s(x, decimals, mark);
        const int n = std::max(decimals, 0);
        SCOPED_TRACE(text.value_or("(failed)"));
        if (!text) {
            ASSERT_GE(std::fabs(x) * std::pow(10.0, n), DBL_MAX / 2) << "value " << x;
            continue;
        }
        ASSERT_TRUE(IsNumberText(*text, mark)) << "value " << x;
        ASSERT_LE(SignificantDigits(*text), 15);
        ASSERT_TRUE(HasOnlyNumberCharacters(*text, mark));
        // The same from the C library's rounding (to nearest, ties to even) and NumberText.
        const double scale = std::pow(10.0, n);
        ASSERT_EQ(*text, NumberText(std::nearbyint(x * scale) / scale, mark)) << "value " << x;
        const double shown = *ParseNumber(*text, mark);
        const double tolerance = 0.5 * std::pow(10.0, -n) * (1 + 1e-9) + std::fabs(x) * 1e-14;
        ASSERT_LE(std::fabs(shown - x), tolerance) << "value " << x << " decimals " << decimals;
    }
}

TEST(RecalcProperty, WritesOnlyNumberTextsInOrder) {
    Generator gen(kSeed + 3);
    for (int run = 0; run < kRuns / 2; ++run) {
        const std::string_view mark = kMarks[run % kMarks.size()];
        std::array<std::string, kFieldCount> fields;
        FieldTexts texts;
        for (int k = 0; k < kFieldCount; ++k) {
            fields[k] = gen.Int(0, 3) == 0 ? std::string() : gen.Text(mark);
            texts[k] = fields[k];
        }
        const int index = gen.Int(-1, kFieldCount);
        const double ratio = gen.Ratio();
        const FieldWrites writes = RecalcWrites(index, texts, ratio, gen.Locks(), mark);

        ASSERT_LE(writes.size(), static_cast<std::size_t>(kFieldCount));
        int previous = -1;
        for (const FieldWrite &w : writes) {
            SCOPED_TRACE("field " + std::to_string(w.field) + " \"" + w.text + "\"");
            ASSERT_GT(w.field, previous);
            ASSERT_LT(w.field, kFieldCount);
            ASSERT_NE(w.field, index);
            previous = w.field;
            if (w.text.empty())
                continue;
            ASSERT_TRUE(IsNumberText(w.text, mark));
            ASSERT_TRUE(HasOnlyNumberCharacters(w.text, mark));
            if (w.text.front() == '-') {
                ASSERT_LT(*ParseNumber(w.text, mark), 0.0);
            }
        }
    }
}

} // namespace
} // namespace quadrel
