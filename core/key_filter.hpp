#pragma once

// What a typed character does in a number field. The field asks for each character of typed text
// (a decimal digit of another script already turned into its ASCII digit); the line edit decides
// which keys are typed text at all, so editing keys and shortcuts never come here.

namespace quadrel {

enum class KeyAction {
    Pass,              // the character goes in as typed
    InsertDecimalMark, // the locale's decimal mark goes in instead
    Discard,           // nothing goes in
};

// Which field a key is typed into: a data field, or the ratio field, which also takes the "/" or
// ":" of a ratio written as X/Y or X:Y.
enum class KeyField { Data, Ratio };

// Control characters (below 32, and DEL 127) pass, ASCII digits pass, "," and "." become the
// decimal mark; in the ratio field "/" and ":" pass too; every other character is discarded.
//   FilterKey(U'7') -> Pass   FilterKey(U'.') -> InsertDecimalMark   FilterKey(U'a') -> Discard
//   FilterKey(U'\x16') -> Pass   FilterKey(U'\uFF11') -> Discard   FilterKey(U'-') -> Discard
//   FilterKey(U'/') -> Discard   FilterKey(U'/', KeyField::Ratio) -> Pass
constexpr KeyAction FilterKey(char32_t c, KeyField field = KeyField::Data) {
    if (c < 32 || c == 127)
        return KeyAction::Pass;
    if (field == KeyField::Ratio && (c == U'/' || c == U':'))
        return KeyAction::Pass;
    if (c >= U'0' && c <= U'9')
        return KeyAction::Pass;
    if (c == U',' || c == U'.')
        return KeyAction::InsertDecimalMark;
    return KeyAction::Discard;
}

} // namespace quadrel
