#pragma once

// The decimal marks the core tests run under, and table texts rewritten to a mark.

#include <array>
#include <string>
#include <string_view>

namespace quadrel::test {

inline constexpr std::array<std::string_view, 3> kMarks{",", ".", "\u066B"};

// `text`, written with a comma as the decimal mark, with each comma replaced by `mark`.
inline std::string WithMark(std::string_view text, std::string_view mark) {
    std::string out;
    for (char c : text)
        out += c == ',' ? std::string(mark) : std::string(1, c);
    return out;
}

} // namespace quadrel::test
