#pragma once

// How the ratio field's text reads as an X/Y ratio.

#include "number_text.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace quadrel {

// The number a ratio text stands for. A text with exactly one divider ("/", ":", "x", "X" or "×",
// U+00D7) and a number on each side is the first number divided by the second, each side read as a
// field's text is (ReadNumber: blanks trimmed, "," or "." or `dec` as the decimal mark); a zero
// divisor or a quotient that is not finite gives no value. Any other text reads as ReadNumber of
// the whole text. The sign is left to the caller: "-3/2" reads as -1.5.
//   ReadRatio("3/2", ",") -> 1.5         ReadRatio("16:9", ",") -> 16.0 / 9
//   ReadRatio(" 4,5 / 3 ", ".") -> 1.5   ReadRatio("1,5", ",") -> 1.5
//   ReadRatio("4/0", ",") -> none        ReadRatio("3/2/1", ",") -> none
//   ReadRatio("3/", ",") -> none         ReadRatio("/2", ",") -> none
//   ReadRatio("8x10", ",") -> 0.8        ReadRatio("16 × 9", ",") -> 16.0 / 9
OptionalNumber ReadRatio(std::string_view text, std::string_view dec);

// A ratio written as a fraction, X and Y with one divider between them, as the ratio field keeps
// it: the blanks around each side dropped and, with `turned`, the two sides swapped. No value for
// a text that is no fraction of a positive ratio (a plain number included).
//   FractionText(" 16 : 9 ", ",") -> "16:9"      FractionText("3/2", ",", true) -> "2/3"
//   FractionText("21x29,7", ",", true) -> "29,7x21"   FractionText("1,5", ",") -> none
//   FractionText("-3/2", ",") -> none            FractionText("3/0", ",") -> none
std::optional<std::string> FractionText(std::string_view text, std::string_view dec,
                                        bool turned = false);

} // namespace quadrel
