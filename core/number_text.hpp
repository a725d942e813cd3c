#pragma once

// The text form of numbers, as the fields show and read them.
//
// Every routine takes the decimal mark explicitly. `dec` is a mark as DecimalSepFromMark returns
// it: the UTF-8 text of exactly one character that the number grammar does not use otherwise (","
// "." or a non-ASCII mark such as U+066B "\u066B"). Digits, signs and the exponent letter are
// always ASCII; no group separator is ever written. Nothing here throws on any input.

#include <optional>
#include <string>
#include <string_view>

namespace quadrel {

// A double, or empty: the value of a field that is blank or holds no number.
using OptionalNumber = std::optional<double>;

// The decimal mark to use from a locale's own decimal mark: its first character. A mark that is
// not valid UTF-8, or that the number grammar reads otherwise (a control character, a blank, a
// digit, "+", "-", "E" or "e"), gives the full stop, so that every number text reads back.
//   DecimalSepFromMark(",") -> ","     DecimalSepFromMark("\u066B") -> "\u066B"
//   DecimalSepFromMark(".,") -> "."    DecimalSepFromMark("") -> "."
//   DecimalSepFromMark("e") -> "."
std::string DecimalSepFromMark(std::string_view localeMark);

// The general text form of a finite double, rounded (correctly) to 15 significant digits.
// Plain form for decimal exponents -4..14, exponent form otherwise; trailing fraction zeros and a
// bare mark are dropped; a value that rounds to zero is "0", never "-0". A value whose 15-digit
// rounding would leave the double range is rounded toward zero instead, so the text always reads
// back. A non-finite value gives the empty text.
//   NumberText(2.1, ",") -> "2,1"        NumberText(1.0 / 3, ",") -> "0,333333333333333"
//   NumberText(1e15, ",") -> "1E+15"     NumberText(0.00001, ",") -> "1E-05"
//   NumberText(1234567890123456789.0, ".") -> "1.23456789012346E+18"
//   NumberText(1.7976931348623157e308, ".") -> "1.79769313486231E+308"
std::string NumberText(double value, std::string_view dec);

// Reads a whole text as one number: optional blanks (spaces and tabs), an optional sign, ASCII
// digits with at most one `dec` (at least one digit in all), an optional exponent (E or e, an
// optional sign, digits), optional blanks. Returns the nearest double, or no value for anything
// else, including a number beyond the double range ("1e400"). A number too small for the range
// reads as zero, and "-0" reads as 0. Reads every text NumberText writes back to a double whose
// NumberText is the same text.
//   ParseNumber("5,", ",") -> 5         ParseNumber(",5", ",") -> 0.5
//   ParseNumber("1e3", ",") -> 1000     ParseNumber(" \t-2 ", ".") -> -2
//   ParseNumber("1e-400", ".") -> 0     ParseNumber("1e400", ".") -> none
//   ParseNumber("1.5", ",") -> none     ParseNumber("1,2,3", ",") -> none
//   ParseNumber("", ",") -> none        ParseNumber("1 2", ".") -> none
std::optional<double> ParseNumber(std::string_view text, std::string_view dec);

// Tidies a field's text: trims blanks at both ends, takes "," and "." as well as `dec` as the
// decimal mark (at most one mark in all), and gives NumberText of the number read, or the empty
// text when the text holds no number. CleanNumber of its own non-empty result gives that result.
//   CleanNumber("  7.50 ", ",") -> "7,5"    CleanNumber("0012", ",") -> "12"
//   CleanNumber("1,234", ".") -> "1.234"    CleanNumber("1.234,5", ",") -> ""
//   CleanNumber("1.2.3", ",") -> ""         CleanNumber("abc", ".") -> ""
//   CleanNumber("3,14159265358979323", ",") -> "3,14159265358979"
std::string CleanNumber(std::string_view text, std::string_view dec);

// The number that a field's text holds: the value of its CleanNumber text (so rounded to 15
// significant digits), or empty when it holds none.
//   ReadNumber("12.5", ",") -> 12.5     ReadNumber("abc", ",") -> empty
//   ReadNumber("3.14159265358979323", ".") -> 3.14159265358979
OptionalNumber ReadNumber(std::string_view text, std::string_view dec);

// The text a field shows for `v` with `decimals` decimals (a negative count
// counts as 0): v is scaled by 10^n, rounded to the nearest integer with exact halves to even,
// scaled back, and written by NumberText. An empty `v` gives the empty text. Fails (no value) when
// v is not finite or the scaling overflows (1e308 with 1 decimal; any v with more than 308
// decimals).
//   FormatFixed(1524.5, 0, ",") -> "1524"       FormatFixed(1525.5, 0, ",") -> "1526"
//   FormatFixed(0.75, 1, ",") -> "0,8"          FormatFixed(4.0 / 3, 13, ",") -> "1,3333333333333"
//   FormatFixed(2033.06, -1, ",") -> "2033"     FormatFixed({}, 1, ",") -> ""
//   FormatFixed(-0.04, 1, ",") -> "0"           FormatFixed(1e15, 0, ",") -> "1E+15"
//   FormatFixed(0.00002, 13, ",") -> "2E-05"    FormatFixed(1e308, 1, ",") -> none
std::optional<std::string> FormatFixed(OptionalNumber v, int decimals, std::string_view dec);

} // namespace quadrel
