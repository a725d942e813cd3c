#include "number_text.hpp"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <system_error>

namespace quadrel {

namespace {

constexpr int kSignificantDigits = 15;

// Room for the longest number text: "-0" + mark + "000" + 15 digits, or
// "-d" + mark + 14 digits + "E+308", with a mark of up to four bytes.
constexpr std::size_t kTextCapacity = 48;

// The number of bytes of the well-formed UTF-8 character at the start of `s`, or 0.
std::size_t Utf8CharLength(std::string_view s) {
    if (s.empty())
        return 0;
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;  // bounds of the second byte, which rule out overlong forms,
    unsigned char high = 0xBF; // surrogates and code points beyond U+10FFFF
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// The mark the routines use for `dec`: an empty mark would match everywhere and a long one would
// not fit a number text, so they give way to the first character or the full stop.
std::string_view UsableMark(std::string_view dec) {
    if (!dec.empty() && dec.size() <= 4)
        return dec;
    const std::size_t length = Utf8CharLength(dec);
    return length == 0 ? std::string_view(".") : dec.substr(0, length);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The result of reading a text with the number grammar.
struct Reading {
    bool ok = false;
    double value = 0.0;
    std::int64_t significantDigits = 0; // from the first to the last non-zero digit
};

// Reads `text` as one number. Besides `dec`, "," and "." count as the decimal mark when
// `asciiMarks` is set (at most one mark of any kind in all). The validated number is copied in
// canonical ASCII form (no "+" before the digits, "." as the mark) and handed to from_chars.
Reading Read(std::string_view text, std::string_view dec, bool asciiMarks) {
    dec = UsableMark(dec);
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);

    // The canonical text is never longer than the text itself; pasted texts of any length are
    // handled, on the heap only when they exceed the stack buffer.
    char stackBuffer[128];
    std::string heapBuffer;
    char *out = stackBuffer;
    if (text.size() > sizeof stackBuffer) {
        heapBuffer.resize(text.size());
        out = heapBuffer.data();
    }
    char *const canonical = out;

    Reading result;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            *out++ = '-';
        ++i;
    }

    // Mantissa. Track where its first significant digit stands, so that a number out of the
    // double range can be told apart as too large (a failure) or too small (zero).
    std::int64_t digits = 0;
    bool seenMark = false;
    bool seenNonZero = false;
    std::int64_t integerDigits = 0;   // significant digits before the mark
    std::int64_t leadingFraction = 0; // zeros after the mark before the first significant digit
    std::int64_t pendingZeros = 0;    // zeros since the last non-zero digit
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
            if (c != '0') {
                if (seenNonZero)
                    result.significantDigits += pendingZeros;
                ++result.significantDigits;
                pendingZeros = 0;
                seenNonZero = true;
            } else if (seenNonZero) {
                ++pendingZeros;
            }
            if (seenNonZero && !seenMark)
                ++integerDigits;
            else if (!seenNonZero && seenMark)
                ++leadingFraction;
            *out++ = c;
            ++i;
        } else if (!seenMark && text.substr(i).starts_with(dec)) {
            seenMark = true;
            *out++ = '.';
            i += dec.size();
        } else if (!seenMark && asciiMarks && (c == ',' || c == '.')) {
            seenMark = true;
            *out++ = '.';
            ++i;
        } else {
            break;
        }
    }
    if (digits == 0)
        return result;

    // Exponent, saturated far beyond any double's range.
    constexpr std::int64_t kExponentLimit = 1'000'000'000;
    std::int64_t exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        *out++ = 'e';
        ++i;
        bool negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            *out++ = text[i];
            ++i;
        }
        if (i == text.size() || !IsDigit(text[i]))
            return result;
        while (i < text.size() && IsDigit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentLimit);
            *out++ = text[i];
            ++i;
        }
        if (negative)
            exponent = -exponent;
    }
    if (i != text.size())
        return result;

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(canonical, out, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // from_chars reports both ends of the range alike; the decimal exponent of the first
        // significant digit tells them apart.
        const std::int64_t magnitude =
            (integerDigits > 0 ? integerDigits - 1 : -(leadingFraction + 1)) + exponent;
        if (magnitude >= 0)
            return result;
        value = 0.0;
    } else if (ec != std::errc{} || ptr != out) {
        return result;
    }
    result.ok = true;
    result.value = value + 0.0; // -0 reads as 0
    return result;
}

// The text of `value` into `out`; returns the length. `value` is finite.
std::size_t FormatNumber(double value, std::string_view dec, char *out) {
    char *const start = out;
    if (value == 0.0) {
        *out = '0';
        return 1;
    }

    // "d.dddddddddddddde+XX": the value correctly rounded to 15 significant digits.
    char sci[32];
    const auto [sciEnd, ec] = std::to_chars(sci, sci + sizeof sci, value,
                                            std::chars_format::scientific, kSignificantDigits - 1);
    if (ec != std::errc{})
        return 0;
    const char *p = sci;
    if (*p == '-') {
        *out++ = '-';
        ++p;
    }
    char digits[kSignificantDigits];
    digits[0] = p[0];
    std::memcpy(digits + 1, p + 2, kSignificantDigits - 1);
    int exponent = 0;
    std::from_chars(p + kSignificantDigits + 2 + (p[kSignificantDigits + 2] == '+' ? 1 : 0), sciEnd,
                    exponent);

    // The largest doubles round to 1.79769313486232E+308, which is beyond the range and would
    // not read back; write the 15-digit figure below the largest double instead.
    if (exponent == 308 && std::string_view(digits, kSignificantDigits) > "179769313486231")
        std::memcpy(digits, "179769313486231", kSignificantDigits);

    int count = kSignificantDigits;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (exponent >= -4 && exponent < kSignificantDigits) {
        if (exponent < 0) {
            *out++ = '0';
            std::memcpy(out, dec.data(), dec.size());
            out += dec.size();
            for (int z = -1; z > exponent; --z)
                *out++ = '0';
            std::memcpy(out, digits, count);
            out += count;
        } else {
            const int integerCount = exponent + 1;
            const int copied = std::min(count, integerCount);
            std::memcpy(out, digits, copied);
            out += copied;
            for (int z = copied; z < integerCount; ++z)
                *out++ = '0';
            if (count > integerCount) {
                std::memcpy(out, dec.data(), dec.size());
                out += dec.size();
                std::memcpy(out, digits + integerCount, count - integerCount);
                out += count - integerCount;
            }
        }
    } else {
        *out++ = digits[0];
        if (count > 1) {
            std::memcpy(out, dec.data(), dec.size());
            out += dec.size();
            std::memcpy(out, digits + 1, count - 1);
            out += count - 1;
        }
        *out++ = 'E';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            *out++ = '0';
        out = std::to_chars(out, out + 3, magnitude).ptr;
    }
    return static_cast<std::size_t>(out - start);
}

// Whether a number read is already the value of its CleanNumber text. A decimal of at most 15
// significant digits in the normal range is what its nearest double's 15-digit text reads back
// as, so s2n need not form that text and read it again.
bool IsOwnCleanValue(const Reading &r) {
    return r.significantDigits <= kSignificantDigits &&
           (r.value == 0.0 || std::fabs(r.value) >= DBL_MIN);
}

double PowerOfTen(int n) {
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (n < static_cast<int>(std::size(kExact)))
        return kExact[n];
    return std::pow(10.0, n);
}

// Rounds to the nearest integer, an exact half to the even neighbour, whatever the rounding mode.
double RoundHalfEven(double x) {
    const double r = std::round(x); // halves away from zero
    if (std::fabs(r - x) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return r;
}

// The text of integer / 10^n straight from the integer's digits, or 0 where that needs the general
// route. With fewer than 16 digits and n <= 15, integer / 10^n is the double nearest to a decimal
// of at most 15 significant digits in the normal range, so its NumberText is exactly that decimal;
// only its plain form (a first digit at 10^-4 or above) is written here.
std::size_t FormatScaledInteger(double integer, int n, std::string_view dec, char *out) {
    if (n > kSignificantDigits || !(std::fabs(integer) < 1e15))
        return 0;
    if (integer == 0.0) {
        *out = '0';
        return 1;
    }
    char *const start = out;
    const auto whole = static_cast<std::int64_t>(integer);
    if (whole < 0)
        *out++ = '-';
    char digits[kSignificantDigits];
    const int count = static_cast<int>(
        std::to_chars(digits, digits + sizeof digits, whole < 0 ? -whole : whole).ptr - digits);
    int kept = count;
    while (n > 0 && digits[kept - 1] == '0') {
        --kept;
        --n;
    }
    const int integerCount = kept - n;
    if (integerCount >= 1) {
        std::memcpy(out, digits, integerCount);
        out += integerCount;
        if (n > 0) {
            std::memcpy(out, dec.data(), dec.size());
            out += dec.size();
            std::memcpy(out, digits + integerCount, n);
            out += n;
        }
    } else {
        if (-integerCount > 3) // the first digit below 10^-4: exponent form
            return 0;
        *out++ = '0';
        std::memcpy(out, dec.data(), dec.size());
        out += dec.size();
        for (int z = integerCount; z < 0; ++z)
            *out++ = '0';
        std::memcpy(out, digits, kept);
        out += kept;
    }
    return static_cast<std::size_t>(out - start);
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
    char text[kTextCapacity];
    return std::string(text, FormatNumber(value, UsableMark(dec), text));
}

std::optional<double> ParseNumber(std::string_view text, std::string_view dec) {
    const Reading r = Read(text, dec, false);
    if (!r.ok)
        return std::nullopt;
    return r.value;
}

std::string CleanNumber(std::string_view text, std::string_view dec) {
    const Reading r = Read(text, dec, true);
    if (!r.ok)
        return {};
    return NumberText(r.value, dec);
}

OptionalNumber s2n(std::string_view text, OptionalNumber fallback, std::string_view dec) {
    const Reading r = Read(text, dec, true);
    if (!r.ok)
        return fallback;
    if (IsOwnCleanValue(r))
        return r.value;
    return ParseNumber(NumberText(r.value, dec), dec);
}

std::optional<std::string> n2s(OptionalNumber v, int nDecimali, std::string_view dec) {
    if (!v)
        return std::string();
    if (!std::isfinite(*v))
        return std::nullopt;
    const int n = std::max(nDecimali, 0);
    const double scale = PowerOfTen(n);
    const double scaled = *v * scale;
    if (!std::isfinite(scaled))
        return std::nullopt;
    const double integer = RoundHalfEven(scaled);
    char text[kTextCapacity];
    if (const std::size_t length = FormatScaledInteger(integer, n, UsableMark(dec), text))
        return std::string(text, length);
    const double rounded = integer / scale;
    if (!std::isfinite(rounded))
        return std::nullopt;
    return NumberText(rounded, dec);
}

} // namespace quadrel
