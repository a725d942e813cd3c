#pragma once

// Helpers shared by the fuzz targets: reading the decimal mark from the input, checking that a text
// has the shape of a number text, and failing loudly when an invariant does not hold.

#include "core/number_text.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quadrel::fuzz {

inline constexpr std::string_view kArabicMark = "\u066B";

// The three decimal marks the targets try, chosen by one input byte. The printable choices are
// the marks themselves ("," and "."), and "a" for the Arabic mark, so that seed files stay
// readable; any other byte picks by its value.
inline std::string_view MarkFromByte(std::uint8_t b) {
    switch (b) {
    case ',':
        return ",";
    case '.':
        return ".";
    case 'a':
        return kArabicMark;
    default:
        break;
    }
    switch (b % 3) {
    case 0:
        return ",";
    case 1:
        return ".";
    default:
        return kArabicMark;
    }
}

// Writes a text so that every byte can be seen: printable ASCII as is, anything else as \xNN.
inline std::string Visible(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 32 && c < 127 && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out + "\"";
}

[[noreturn]] inline void Fail(const char *what, const std::string &detail) {
    std::fprintf(stderr, "\n*** invariant broken: %s\n    %s\n", what, detail.c_str());
    std::abort();
}

// Aborts (which libFuzzer reports as a crash, saving the input) when `cond` is false.
#define QUADREL_FUZZ_CHECK(cond, detail)                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::quadrel::fuzz::Fail(#cond, (detail));                                                \
    } while (false)

// What a number text says about itself.
struct NumberTextShape {
    bool valid = false;
    bool negative = false;
    bool zero = false;
    int exponent = 0;          // decimal exponent of the first significant digit (0 for zero)
    int lastDigitExponent = 0; // decimal exponent of the last significant digit (0 for zero)
    int significantDigits = 0;
};

// Checks that `s` is exactly a text NumberText can write with mark `dec`: "0", or an optional "-",
// then either the plain form for decimal exponents -4..14 (no leading zeros, no trailing fraction
// zeros, no bare mark) or the exponent form "d[<dec>ddd]E+XX" / "E-XX" (at least two exponent
// digits, no needless leading zero) for any other exponent; at most 15 significant digits. So
// "-0", "nan", "inf", a group separator or a stray character all fail.
inline NumberTextShape ShapeOf(std::string_view s, std::string_view dec) {
    NumberTextShape r;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        r.negative = true;
        ++i;
    }
    // Integer digits.
    std::size_t intStart = i;
    while (i < s.size() && isDigit(s[i]))
        ++i;
    std::string_view intDigits = s.substr(intStart, i - intStart);
    if (intDigits.empty() || (intDigits.size() > 1 && intDigits[0] == '0'))
        return r;
    // Fraction digits.
    std::string_view fracDigits;
    if (s.substr(i, dec.size()) == dec && !dec.empty()) {
        i += dec.size();
        std::size_t fracStart = i;
        while (i < s.size() && isDigit(s[i]))
            ++i;
        fracDigits = s.substr(fracStart, i - fracStart);
        if (fracDigits.empty() || fracDigits.back() == '0')
            return r;
    }
    if (i == s.size()) {
        // Plain form.
        if (intDigits != "0") {
            r.exponent = static_cast<int>(intDigits.size()) - 1;
            std::size_t lastNonZero = intDigits.find_last_not_of('0');
            r.lastDigitExponent = fracDigits.empty()
                                      ? static_cast<int>(intDigits.size() - 1 - lastNonZero)
                                      : -static_cast<int>(fracDigits.size());
            r.significantDigits = r.exponent - r.lastDigitExponent + 1;
        } else if (!fracDigits.empty()) {
            std::size_t firstNonZero = fracDigits.find_first_not_of('0');
            r.exponent = -static_cast<int>(firstNonZero) - 1;
            r.lastDigitExponent = -static_cast<int>(fracDigits.size());
            r.significantDigits = r.exponent - r.lastDigitExponent + 1;
        } else {
            r.zero = true;
            if (r.negative)
                return r; // "-0"
        }
        r.valid = r.zero || (r.exponent >= -4 && r.exponent <= 14 && r.significantDigits <= 15);
        return r;
    }
    // Exponent form: one non-zero mantissa digit before the mark.
    if (intDigits.size() != 1 || intDigits[0] == '0')
        return r;
    if (s[i] != 'E' || i + 1 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-'))
        return r;
    bool negativeExponent = s[i + 1] == '-';
    std::string_view expDigits = s.substr(i + 2);
    if (expDigits.size() < 2 || expDigits.size() > 3)
        return r;
    for (char c : expDigits)
        if (!isDigit(c))
            return r;
    if (expDigits.size() == 3 && expDigits[0] == '0')
        return r;
    int e = 0;
    for (char c : expDigits)
        e = e * 10 + (c - '0');
    r.exponent = negativeExponent ? -e : e;
    r.lastDigitExponent = r.exponent - static_cast<int>(fracDigits.size());
    r.significantDigits = 1 + static_cast<int>(fracDigits.size());
    r.valid = (r.exponent < -4 || r.exponent > 14) && r.exponent >= -324 && r.exponent <= 308 &&
              r.significantDigits <= 15;
    return r;
}

// The checks every non-empty text that the core hands out must pass: the shape of a number text,
// reading back, and cleaning leaving it unchanged.
inline void CheckNumberText(std::string_view s, std::string_view dec, const std::string &context) {
    NumberTextShape shape = ShapeOf(s, dec);
    QUADREL_FUZZ_CHECK(shape.valid, "not a number text: " + Visible(s) + " " + context);
    std::optional<double> back = ParseNumber(s, dec);
    QUADREL_FUZZ_CHECK(back.has_value(),
                       "number text does not read back: " + Visible(s) + " " + context);
    QUADREL_FUZZ_CHECK(NumberText(*back, dec) == s,
                       "number text does not survive reading and writing: " + Visible(s) + " -> " +
                           Visible(NumberText(*back, dec)) + " " + context);
    std::string cleaned = CleanNumber(s, dec);
    QUADREL_FUZZ_CHECK(cleaned == s, "cleaning changes a number text: " + Visible(s) + " -> " +
                                         Visible(cleaned) + " " + context);
}

} // namespace quadrel::fuzz
