#pragma once

// Decimal marks the core tests run under, and the rewriting of table texts to a mark.

#include <array>
#include <string>
#include <string_view>

namespace quadrel::test {

inline constexpr std::string_view kComma = ",";
inline constexpr std::string_view kStop = ".";
inline constexpr std::string_view kArabic = "\u066B"; // ARABIC DECIMAL SEPARATOR, two bytes

inline constexpr std::array<std::string_view, 3> kMarks{kComma, kStop, kArabic};

// `text`, written with a comma as the decimal mark, with every comma replaced by `mark`.
inline std::string WithMark(std::string_view text, std::string_view mark) {
    std::string out;
    for (char c : text) {
        if (c == ',')
            out += mark;
        else
            out += c;
    }
    return out;
}

} // namespace quadrel::test
