#pragma once

// What a typed character does in a number field. The window decides which key events are typed
// characters (printable text without Ctrl, Alt or Meta, and not a standard shortcut); everything
// else reaches the field untouched.

namespace quadrel {

enum class KeyAction {
    Pass,              // the character goes in as typed
    InsertDecimalMark, // the locale's decimal mark goes in instead
    Discard,           // nothing goes in
};

// Control characters (below 32, and DEL 127) pass, ASCII digits pass, "," and "." become the
// decimal mark, every other character is discarded.
//   FilterKey(U'7') -> Pass   FilterKey(U'.') -> InsertDecimalMark   FilterKey(U'a') -> Discard
//   FilterKey(U'\x16') -> Pass   FilterKey(U'\uFF11') -> Discard   FilterKey(U'-') -> Discard
constexpr KeyAction FilterKey(char32_t c) {
    if (c < 32 || c == 127)
        return KeyAction::Pass;
    if (c >= U'0' && c <= U'9')
        return KeyAction::Pass;
    if (c == U',' || c == U'.')
        return KeyAction::InsertDecimalMark;
    return KeyAction::Discard;
}

} // namespace quadrel
