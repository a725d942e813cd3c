#include "core/key_filter.hpp"

#include <gtest/gtest.h>

namespace quadrel {
namespace {

TEST(FilterKey, LetsThroughControlKeysDigitsAndMarksOnly) {
    struct Case {
        char32_t key;
        KeyAction action;
    };
    const Case cases[] = {
        {U'\b', KeyAction::Pass},
        {U'\r', KeyAction::Pass},
        {U'\x1b', KeyAction::Pass},
        {U'\x03', KeyAction::Pass}, // Ctrl+C
        {U'\x16', KeyAction::Pass},
        {U'\x7f', KeyAction::Pass}, // Ctrl+V, DEL
        {U'0', KeyAction::Pass},
        {U'9', KeyAction::Pass},
        {U',', KeyAction::InsertDecimalMark},
        {U'.', KeyAction::InsertDecimalMark},
        {U'/', KeyAction::Discard},
        {U':', KeyAction::Discard}, // next to the digits
        {U' ', KeyAction::Discard},
        {U'-', KeyAction::Discard},
        {U'+', KeyAction::Discard},
        {U'e', KeyAction::Discard},
        {U'E', KeyAction::Discard},
        {U'a', KeyAction::Discard},
        {U'\x80', KeyAction::Discard},
        {U'\u066B', KeyAction::Discard},
        {U'\uFF11', KeyAction::Discard},
        {U'\U0001F600', KeyAction::Discard},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FilterKey(c.key), c.action) << "key U+" << std::hex << unsigned(c.key);
}

} // namespace
} // namespace quadrel
