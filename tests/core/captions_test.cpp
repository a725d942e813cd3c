#include "lang/captions.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string_view>

namespace quadrel::lang {
namespace {

// Codes that look like a known one but are not: codes match exactly and case-sensitively.
constexpr std::string_view kUnknownCodes[] = {"IT", "Uk", " it", "uk ", "", "en", {"it\0", 3}};

// Each lookup spot-checked in one of the two languages, and with codes it does not know.
TEST(Captions, AnswerTheTwoExactCodesOnly) {
    using Lookup = std::optional<std::string_view> (*)(std::string_view);
    // clang-format off
    const struct { Lookup lookup; std::string_view code, text; } cases[] = {
        {LockText, "it", "blocca"}, {CloseText, "uk", "Close"}, {OptionsText, "it", "Opzioni"},
        {RatioText, "uk", "X/Y ratio"}, {DefaultText, "it", "predef."},
        {CreditText, "uk", "Author: Quadrel team"}};
    // clang-format on
    for (const auto &c : cases) {
        EXPECT_EQ(c.lookup(c.code), c.text);
        for (std::string_view code : kUnknownCodes)
            EXPECT_EQ(c.lookup(code), std::nullopt) << c.text << ", code \"" << code << "\"";
    }
    EXPECT_EQ(LabelText(0, "it"), "Megapixel");
    EXPECT_EQ(LabelText(5, "uk"), "Print height [cm]");
    for (std::string_view code : kUnknownCodes)
        EXPECT_EQ(LabelText(3, code), "") << "code \"" << code << "\"";
    for (int index : {-1, 6, INT_MIN, INT_MAX})
        EXPECT_EQ(LabelText(index, "it"), "") << "index " << index;
}

} // namespace
} // namespace quadrel::lang
