// Writing numbers: NumberText and n2s over arbitrary doubles and decimal counts.
//
// Input: byte 0 picks the decimal mark (see MarkFromByte); byte 1 is the decimal count as a signed
// byte, except 0x80, after which the next four bytes are the count (little-endian, any int); then
// eight bytes are the double's bit pattern (little-endian; missing bytes count as zero), so NaNs,
// infinities, -0 and subnormals all occur.

#include "fuzz_support.hpp"

#include "core/number_text.hpp"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace quadrel;
using namespace quadrel::fuzz;

std::string Describe(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g (%a)", v, v);
    return buf;
}

std::string WithMark(std::string s, std::string_view dec) {
    std::size_t dot = s.find('.');
    if (dot != std::string::npos)
        s.replace(dot, 1, dec);
    return s;
}

// Whether |v| lies exactly halfway between two 15-digit neighbours, where either is correct.
bool IsTieAt15Digits(double v) {
    // A double's exact decimal expansion has at most 767 significant digits.
    char buf[1100];
    std::snprintf(buf, sizeof buf, "%.800e", std::fabs(v));
    std::string_view digits(buf);
    digits = digits.substr(0, digits.find('e'));
    // "d.dddd...": digit 16 is at index 16 (after the point at index 1).
    if (digits.size() < 17 || digits[16] != '5')
        return false;
    return digits.find_first_not_of('0', 17) == std::string_view::npos;
}

void CheckNumberTextOf(double v, std::string_view dec) {
    const std::string context = "for " + Describe(v) + " with mark " + Visible(dec);
    std::string text = NumberText(v, dec);
    if (!std::isfinite(v)) {
        QUADREL_FUZZ_CHECK(text.empty(), "NumberText writes " + Visible(text) + " " + context);
        return;
    }
    CheckNumberText(text, dec, context);

    // The C library writes the same general form with 15 significant digits; the differences
    // allowed are "-0", exact ties (either neighbour is correctly rounded), and the largest values,
    // whose rounding up would leave the double range.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string expected = WithMark(buf, dec);
    if (v == 0)
        expected = "0"; // also for -0
    bool clamped = std::fabs(v) >= 1.797693134862315e308;
    if (text != expected && !clamped) {
        QUADREL_FUZZ_CHECK(IsTieAt15Digits(v), "NumberText gives " + Visible(text) +
                                                   " instead of " + Visible(expected) + " " +
                                                   context);
    }
    if (clamped) {
        std::optional<double> back = ParseNumber(text, dec);
        QUADREL_FUZZ_CHECK(back && std::fabs(*back) <= std::fabs(v),
                           "NumberText rounds the largest values away from zero " + context);
    }
}

void CheckN2s(double v, int decimals, std::string_view dec) {
    const std::string context =
        "for n2s(" + Describe(v) + ", " + std::to_string(decimals) + ") with mark " + Visible(dec);
    QUADREL_FUZZ_CHECK(n2s(std::nullopt, decimals, dec) == std::string(),
                       "an empty value gives a text " + context);
    std::optional<std::string> text = n2s(v, decimals, dec);
    if (!std::isfinite(v)) {
        QUADREL_FUZZ_CHECK(!text,
                           "a non-finite value gives " + Visible(text.value()) + " " + context);
        return;
    }
    const int n = decimals < 0 ? 0 : decimals;
    if (text) {
        CheckNumberText(*text, dec, context);
        NumberTextShape shape = ShapeOf(*text, dec);
        QUADREL_FUZZ_CHECK(shape.zero || shape.lastDigitExponent >= -n,
                           "more decimals than asked: " + Visible(*text) + " " + context);
    }

    // Up to 22 decimals the power of ten is exact, so the rule can be followed to the bit: scale,
    // round half to even (the default rounding mode), scale back.
    if (n <= 22) {
        double scale = 1;
        for (int i = 0; i < n; ++i)
            scale *= 10;
        double scaled = v * scale;
        if (!std::isfinite(scaled)) {
            QUADREL_FUZZ_CHECK(!text, "an overflowing scaling gives " + Visible(text.value()) +
                                          " " + context);
            return;
        }
        QUADREL_FUZZ_CHECK(text.has_value(), "n2s fails " + context);
        std::string expected = NumberText(std::nearbyint(scaled) / scale, dec);
        QUADREL_FUZZ_CHECK(*text == expected, "n2s gives " + Visible(*text) + " instead of " +
                                                  Visible(expected) + " " + context);
    } else if (text) {
        std::optional<double> back = ParseNumber(*text, dec);
        double tolerance = 6e-15 * std::fabs(v) + 0.5 * std::pow(10.0, -n) + DBL_TRUE_MIN;
        QUADREL_FUZZ_CHECK(back && std::fabs(*back - v) <= tolerance,
                           "n2s moves the value too far: " + Visible(*text) + " " + context);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    std::string_view dec = MarkFromByte(data[0]);
    int decimals = static_cast<std::int8_t>(data[1]);
    std::size_t pos = 2;
    if (data[1] == 0x80) {
        std::uint32_t raw = 0;
        for (int i = 0; i < 4 && pos < size; ++i, ++pos)
            raw |= static_cast<std::uint32_t>(data[pos]) << (8 * i);
        std::memcpy(&decimals, &raw, sizeof decimals);
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 8 && pos < size; ++i, ++pos)
        bits |= static_cast<std::uint64_t>(data[pos]) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);

    CheckNumberTextOf(v, dec);
    CheckN2s(v, decimals, dec);
    return 0;
}
