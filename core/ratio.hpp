#pragma once

// How the ratio field's text reads as an X/Y ratio.

#include "number_text.hpp"

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

} // namespace quadrel
