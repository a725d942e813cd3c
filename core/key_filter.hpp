#pragma once

// What a typed character does in a number field. The window asks for each character of typed
// text (a key's text, or the text an input method commits); the window's edit control decides
// which keys are typed text at all, so editing keys and shortcuts never come here.

#include "recalc.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace quadrel {

// The kind of field a character is typed into, by what the field reads (core/size_text.hpp): a
// plain number (megapixels, resolution), a pixel count or a pixel pair, a print size in any unit
// or a paper's name, or the ratio.
enum class KeyField { Number, PixelCount, PrintSize, Ratio };

// The kind of data field `field`; Number for an index outside 0..5.
//   KeyFieldOf(Megapixels) -> Number   KeyFieldOf(PixelsY) -> PixelCount
//   KeyFieldOf(WidthCm) -> PrintSize
constexpr KeyField KeyFieldOf(int field) {
    return field == PixelsX || field == PixelsY    ? KeyField::PixelCount
           : field == WidthCm || field == HeightCm ? KeyField::PrintSize
                                                   : KeyField::Number;
}

// The value 0..9 of a decimal digit of any script (Unicode 14 category Nd), or -1. Every script's
// digits are ten code points in a row, from 0 to 9; this is the first of each run.
//   DecimalDigitValue(U'7') -> 7   DecimalDigitValue(U'\u0668') -> 8 (Arabic-Indic)
//   DecimalDigitValue(U'\U0001D7D6') -> 8 (mathematical bold)   DecimalDigitValue(U'a') -> -1
constexpr int DecimalDigitValue(char32_t c) {
    // clang-format off
    constexpr std::array<char32_t, 66> kZeros{
        0x30, 0x660, 0x6F0, 0x7C0, 0x966, 0x9E6, 0xA66, 0xAE6, 0xB66, 0xBE6, 0xC66, 0xCE6, 0xD66,
        0xDE6, 0xE50, 0xED0, 0xF20, 0x1040, 0x1090, 0x17E0, 0x1810, 0x1946, 0x19D0, 0x1A80,
        0x1A90, 0x1B50, 0x1BB0, 0x1C40, 0x1C50, 0xA620, 0xA8D0, 0xA900, 0xA9D0, 0xA9F0, 0xAA50,
        0xABF0, 0xFF10, 0x104A0, 0x10D30, 0x11066, 0x110F0, 0x11136, 0x111D0, 0x112F0, 0x11450,
        0x114D0, 0x11650, 0x116C0, 0x11730, 0x118E0, 0x11950, 0x11C50, 0x11D50, 0x11DA0, 0x16A60,
        0x16AC0, 0x16B50, 0x1D7CE, 0x1D7D8, 0x1D7E2, 0x1D7EC, 0x1D7F6, 0x1E140, 0x1E2F0, 0x1E950,
        0x1FBF0};
    // clang-format on
    const auto after = std::upper_bound(kZeros.begin(), kZeros.end(), c);
    if (after == kZeros.begin() || c - *(after - 1) > 9)
        return -1;
    return static_cast<int>(c - *(after - 1));
}

// What typing `c` into a field of kind `field` puts there, with `mark` the locale's decimal mark:
// control characters (below 32, and DEL 127) and ASCII digits as typed, a decimal digit of another
// script as its ASCII digit, "," and "." as the mark; as typed, besides, what a field of the kind
// reads: in a pixel field a pair's "x", "X", "×" (U+00D7) or "*" and a blank, in a print-size field
// the separators "x", "X", "×", a blank, the inch sign "\"" and the letters of "cm", "mm", "in",
// "A4" and "Letter" in either case, in the ratio field "/", ":", "x", "X" and "×"; nothing for any
// other character.
//   TypedCharacter(U'7', KeyField::Number, U',') -> U'7'
//   TypedCharacter(U'.', KeyField::Number, U',') -> U','
//   TypedCharacter(U'\u0968', KeyField::Number, U',') -> U'2' (Devanagari)
//   TypedCharacter(U'x', KeyField::Number, U',') -> none
//   TypedCharacter(U'*', KeyField::PixelCount, U',') -> U'*'
//   TypedCharacter(U'L', KeyField::PrintSize, U',') -> U'L'
//   TypedCharacter(U'*', KeyField::PrintSize, U',') -> none
//   TypedCharacter(U'/', KeyField::Ratio, U',') -> U'/'
//   TypedCharacter(U'-', KeyField::Ratio, U',') -> none
constexpr std::optional<char32_t> TypedCharacter(char32_t c, KeyField field, char32_t mark) {
    if (c < 32 || c == 127)
        return c;
    if (const int digit = DecimalDigitValue(c); digit >= 0)
        return U'0' + static_cast<char32_t>(digit);
    if (c == U',' || c == U'.')
        return mark;
    std::u32string_view kept;
    switch (field) {
    case KeyField::Number:
        break;
    case KeyField::PixelCount:
        kept = U"xX\u00D7* ";
        break;
    case KeyField::PrintSize:
        kept = U"xX\u00D7 \"acmeilnrtACEILMNRT";
        break;
    case KeyField::Ratio:
        kept = U"/:xX\u00D7";
        break;
    }
    if (kept.find(c) != std::u32string_view::npos)
        return c;
    return std::nullopt;
}

} // namespace quadrel
