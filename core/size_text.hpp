#pragma once

// Sizes as photographers write them into a field: a pixel pair ("3840x2160"), a print size in a
// unit of their choice or by a paper's name ("8x10in", "A4"); and the texts the program writes of
// sizes: a pixel ratio ("16:9") and the whole answer in one line.
//
// The readers take a field's text as it stands, so that each keystroke reads it again: "3840x2" is
// the pair 3840 x 2 until the next digit, and "3840x" is no form yet. Numbers read as a field reads
// them (ReadNumber: "," "." and `dec` all stand for the decimal mark, no group separator); letters
// may be of either case; blanks (spaces and tabs) may stand around numbers, separators and units.
// `dec` is a mark as DecimalSepFromMark returns it. Nothing here throws on any input.

#include "number_text.hpp"
#include "recalc.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quadrel {

// Two pixel counts as written, and their ratio as PixelRatioText writes it.
struct PixelPair {
    double x = 0, y = 0;
    std::string ratioText;
    bool operator==(const PixelPair &) const = default;
};

// Reads two positive numbers joined by "x", "X", "×" (U+00D7) or "*". Gives no value for any other
// text, and for a pair whose ratio is no finite positive number.
//   ReadPixelPair("3840x2160", ",") -> {3840, 2160, "16:9"}
//   ReadPixelPair(" 3840 × 2160 ", ",") -> {3840, 2160, "16:9"}
//   ReadPixelPair("3840*2,5", ",") -> {3840, 2.5, "3840:2,5"}
//   ReadPixelPair("3840x", ",") -> none      ReadPixelPair("3840", ",") -> none
//   ReadPixelPair("0x2160", ",") -> none     ReadPixelPair("1x2x3", ",") -> none
std::optional<PixelPair> ReadPixelPair(std::string_view text, std::string_view dec);

// A print size in centimetres: one length, or a width and a height with the ratio as written.
struct PrintSize {
    double widthCm = 0;
    OptionalNumber heightCm; // none for one length
    std::string ratioText;   // "W:H" of a pair or a paper, empty for one length
    bool operator==(const PrintSize &) const = default;
};

// Reads a print size:
// - one length: a positive number with an optional unit "cm", "mm", "in" or "\"" (inches), cm
//   without one; converted to centimetres and rounded to 15 significant digits, as a field would
//   read the converted figure;
// - a pair of lengths joined by "x", "X" or "×": a unit after a number holds for that number, and
//   one written only after the second number holds for both; its ratio text is the two numbers
//   as written (in NumberText's form) when they share a unit, else the two lengths in cm;
// - a paper's name, A0 to A6 or Letter: its upright size in cm, which is also its ratio text.
// Gives no value for any other text, and for a pair whose ratio text does not read (ReadRatio) as a
// finite positive number.
//   ReadPrintSize("8in", ",") -> {20.32, none, ""}       ReadPrintSize("210mm", ",") -> {21, none,
//   ""} ReadPrintSize("13x18", ",") -> {13, 18, "13:18"}     ReadPrintSize("13", ",") -> {13, none,
//   ""} ReadPrintSize("8x10in", ",") -> {20.32, 25.4, "8:10"} ReadPrintSize("210 x 297 mm", ",") ->
//   {21, 29.7, "210:297"} ReadPrintSize("8in x 25cm", ",") -> {20.32, 25, "20,32:25"}
//   ReadPrintSize("8in x 25", ",") -> {20.32, 25, "20,32:25"}
//   ReadPrintSize("A4", ",") -> {21, 29.7, "21:29,7"}    ReadPrintSize("letter", ".") ->
//   {21.59, 27.94, "21.59:27.94"} ReadPrintSize("8x", ",") -> none    ReadPrintSize("8 inch", ",")
//   -> none ReadPrintSize("A7", ",") -> none    ReadPrintSize("8*10", ",") -> none
std::optional<PrintSize> ReadPrintSize(std::string_view text, std::string_view dec);

// The ratio of two pixel counts as "X:Y". Whole counts from 1 to 2^53 are reduced by their greatest
// common divisor; any other finite counts are written as they are (NumberText); the text is empty
// when either is not finite.
//   PixelRatioText(3840, 2160, ",") -> "16:9"        PixelRatioText(3266, 2449, ",") -> "3266:2449"
//   PixelRatioText(0, 2160, ",") -> "0:2160"         PixelRatioText(1e300, 2, ",") -> "1E+300:2"
//   PixelRatioText(4000.5, 3000, ",") -> "4000,5:3000"   PixelRatioText(INFINITY, 1, ",") -> ""
std::string PixelRatioText(double x, double y, std::string_view dec);

// The answer in one line, for the clipboard, from the six data fields' texts and the ratio field's:
//   "24 MP, 6000 × 4000 px, 300 DPI, 50,8 × 33,9 cm (20 × 13,3 in), 3/2"
// Each figure is its field's text tidied (CleanNumber; a tidied field's text as it is); the ratio
// is its text without the blanks at its ends. The inches are each print size / 2.54 with one
// decimal (FormatFixed). "×" is U+00D7. A group whose figure holds no number is left out: the
// pixels without either count, the print size (and with it the inches) without either size, the
// ratio when its text does not read as a positive ratio (ReadRatio); the inches alone when they
// cannot be shown. The words are the same in every language; no newline at the end.
//   SummaryLine({"24", "6000", "4000", "300", "50,8", "33,9"}, "3/2", ",")
//       -> "24 MP, 6000 × 4000 px, 300 DPI, 50,8 × 33,9 cm (20 × 13,3 in), 3/2"
//   SummaryLine({"8", "3266", "", "", "", ""}, "", ".") -> "8 MP"
std::string SummaryLine(const FieldTexts &fields, std::string_view ratioText, std::string_view dec);

// The print sizes offered on the print-size fields' context menu, as a user would type them: the
// usual photo sizes in cm, the papers, the usual photo sizes in inches.
inline constexpr std::array<std::string_view, 16> kCommonPrintSizes{
    "10x15", "13x18", "15x20", "20x30",  "30x40", "30x45", "40x60",  "50x70",
    "A5",    "A4",    "A3",    "Letter", "4x6in", "5x7in", "8x10in", "11x14in"};

} // namespace quadrel
