#pragma once

// Shared by the fuzz targets: the decimal mark an input byte picks, a check that aborts (libFuzzer
// then keeps the input), and what every text the core writes must be.

#include "core/number_text.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>

namespace quadrel::fuzz {

// "," or "." for that byte, U+066B for "a", any other byte by its value.
inline std::string_view MarkFromByte(unsigned char b) {
    constexpr std::string_view kMarks[] = {",", ".", "\u066B"};
    return kMarks[b == ',' ? 0 : b == '.' ? 1 : b == 'a' ? 2 : b % 3];
}

inline void Check(bool holds, const char *broken, std::string_view text) {
    if (!holds) {
        std::fprintf(stderr, "\n*** %s: \"%.*s\"\n", broken, int(text.size()), text.data());
        std::abort();
    }
}

// A number text: "0", or an optional "-", digits without a needless zero, the mark and digits not
// ending in 0, and in the exponent form "E", a sign and two or three digits; the exponent form
// exactly from 1e15 and below 1e-4; at most 15 significant digits; it reads back as itself.
inline bool IsNumberText(const std::string &text, std::string_view dec) {
    static const std::regex kShape(
        R"(0|-?(0,\d*[1-9]|[1-9]\d*(,\d*[1-9])?|[1-9](,\d*[1-9])?E[+-]([1-9]\d\d|\d\d)))");
    const std::optional<double> value = ParseNumber(text, dec);
    std::string s = text; // with one mark at most, once ParseNumber has read it
    if (const std::size_t at = s.find(dec); at != std::string::npos)
        s.replace(at, dec.size(), ",");
    const std::string mantissa = s.substr(0, s.find('E'));
    const auto first = std::min(mantissa.find_first_of("123456789"), mantissa.size());
    const double size = std::fabs(value.value_or(0));
    return value && NumberText(*value, dec) == text && std::regex_match(s, kShape) &&
           std::count_if(mantissa.begin() + first, mantissa.end(), ::isdigit) <= 15 &&
           (s.find('E') != std::string::npos) == (size != 0 && (size < 1e-4 || size >= 1e15));
}

// The place of the last digit a number text shows, in decimals: "27,7" 1, "1E+15" -15.
inline int DecimalsShown(const std::string &text, std::string_view dec) {
    const std::size_t e = std::min(text.find('E'), text.size()), mark = text.find(dec);
    return (mark < e ? int(e - mark - dec.size()) : 0) -
           (e < text.size() ? std::stoi(text.substr(e + 1)) : 0);
}

} // namespace quadrel::fuzz
