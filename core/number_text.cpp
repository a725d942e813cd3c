#include "number_text.hpp"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

// The conversions are std::to_chars and std::from_chars, which ignore the C locale (Qt sets it from
// the environment, so strtod and printf would read and write the user's mark, not ours). What they
// do not do is fixed up here: the mark, "E" for "e", "0" for "-0", the largest doubles, and the
// grammar of a field's text.

namespace quadrel {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The number of bytes of the well-formed UTF-8 character at the start of `s`, or 0.
std::size_t Utf8CharLength(std::string_view s) {
    const auto byte = [&s](std::size_t i) -> unsigned {
        return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
    };
    const unsigned lead = byte(0);
    if (s.empty() || lead < 0x80)
        return s.empty() ? 0 : 1;
    const std::size_t length = lead < 0xC2   ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    // The bounds of the second byte rule out overlong forms, surrogates and code points beyond
    // U+10FFFF.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// The decimal exponent of the first significant digit of `number`, a non-zero number in the form
// from_chars reads ("." as the mark, no "+"): "123.4" -> 2, "0.05e-3" -> -5.
long Magnitude(std::string_view number) {
    const std::size_t e = std::min(number.find('e'), number.size());
    const std::size_t point = std::min(number.find('.'), e);
    const std::size_t first = number.find_first_of("123456789");
    long exponent = 0;
    if (e < number.size() &&
        std::from_chars(number.data() + e + 1, number.data() + number.size(), exponent).ec !=
            std::errc{})
        exponent = number[e + 1] == '-' ? LONG_MIN : LONG_MAX;
    // Beyond any text's length either way, and with room for the digits' place.
    exponent = std::clamp(exponent, LONG_MIN / 2, LONG_MAX / 2);
    return static_cast<long>(point) - static_cast<long>(first) - (first < point ? 1 : 0) + exponent;
}

} // namespace

std::string DecimalSepFromMark(std::string_view localeMark) {
    const std::size_t length = Utf8CharLength(localeMark);
    if (length == 0)
        return ".";
    // A mark that the number grammar gives another meaning could not be read back.
    if (length == 1) {
        const char c = localeMark[0];
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || IsDigit(c) || IsBlank(c) ||
            c == '+' || c == '-' || c == 'E' || c == 'e')
            return ".";
    }
    return std::string(localeMark.substr(0, length));
}

std::string NumberText(double value, std::string_view dec) {
    if (!std::isfinite(value))
        return {};
    // The 15-digit rounding of the doubles above this one is 1.79769313486232E+308, which lies
    // beyond the range and would not read back; this one's text is the largest that does.
    constexpr double kLargest = 1.79769313486231e308;
    value = std::clamp(value, -kLargest, kLargest);
    if (value == 0.0)
        return "0"; // never "-0"
    // The general form with 15 digits is the shape of a number text ("%.15g"): plain for decimal
    // exponents -4..14, trailing zeros dropped, an exponent of at least two digits ("1e+15").
    char buffer[32];
    const char *const end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    std::string text;
    for (const char *p = buffer; p != end; ++p) {
        if (*p == '.')
            text += dec;
        else
            text += *p == 'e' ? 'E' : *p;
    }
    return text;
}

std::optional<double> ParseNumber(std::string_view text, std::string_view dec) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);

    // from_chars takes neither a "+" nor our mark, and takes "inf", "nan" and other forms that are
    // no number here; so the text is checked against the grammar and copied in its form.
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++] == '-' ? "-" : "";
    bool digits = false;
    bool mark = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            number += text[i];
            digits = true;
        } else if (!mark && text.substr(i).starts_with(dec)) {
            number += '.';
            mark = true;
            i += dec.size() - 1;
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < text.size()) { // the exponent: E or e, an optional sign, digits
        if (text[i] != 'E' && text[i] != 'e')
            return std::nullopt;
        number += 'e';
        if (++i < text.size() && (text[i] == '+' || text[i] == '-'))
            number += text[i++] == '-' ? "-" : "";
        if (i == text.size() || !std::all_of(text.begin() + i, text.end(), IsDigit))
            return std::nullopt;
        number += text.substr(i);
    }

    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Beyond either end of the range alike: too large is no number, too small is zero.
        if (Magnitude(number) >= 0)
            return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc{} || end != number.data() + number.size()) {
        return std::nullopt;
    }
    return value + 0.0; // "-0" reads as 0
}

std::string CleanNumber(std::string_view text, std::string_view dec) {
    // A typed "," or "." stands for the decimal mark too; a second mark of any kind is no number.
    std::string marked;
    for (const char c : text) {
        if (c == ',' || c == '.')
            marked += dec;
        else
            marked += c;
    }
    const std::optional<double> value = ParseNumber(marked, dec);
    return value ? NumberText(*value, dec) : std::string();
}

OptionalNumber ReadNumber(std::string_view text, std::string_view dec) {
    const std::string clean = CleanNumber(text, dec);
    return clean.empty() ? std::nullopt : ParseNumber(clean, dec);
}

std::optional<std::string> FormatFixed(OptionalNumber v, int decimals, std::string_view dec) {
    if (!v)
        return std::string();
    const double scale = std::pow(10.0, std::max(decimals, 0));
    // nearbyint rounds exact halves to even in the default rounding mode, which nothing changes.
    const double rounded = std::nearbyint(*v * scale) / scale;
    if (!std::isfinite(rounded))
        return std::nullopt; // v was not finite, or the scaling overflowed
    return NumberText(rounded, dec);
}

} // namespace quadrel
