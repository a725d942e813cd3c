#include "lang/captions.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <string_view>

namespace quadrel::lang {
namespace {

// Codes that look like a known one but are not: codes match exactly and case-sensitively.
constexpr std::string_view kUnknownCodes[] = {"IT", "Uk", " it", "uk ", "", "en", {"it\0", 3}};

// clang-format off
TEST(Captions, GiveEachTextForExactlyTheTwoCodes) {
    struct Caption { int label; std::optional<std::string_view> (*lookup)(std::string_view);
                     std::string_view italian, english; } const captions[] = {
        {0, nullptr, "Megapixel", "Megapixels"},
        {1, nullptr, "Pixel in orizzontale", "Horizontal pixels"},
        {2, nullptr, "Pixel in verticale", "Vertical pixels"},
        {3, nullptr, "Risoluzione di stampa [DPI]", "Print resolution [DPI]"},
        {4, nullptr, "Larghezza di stampa [cm]", "Print width [cm]"},
        {5, nullptr, "Altezza di stampa [cm]", "Print height [cm]"},
        {-1, LockText, "blocca", "lock"}, {-1, CloseText, "Chiudi", "Close"},
        {-1, OptionsText, "Opzioni", "Options"}, {-1, RatioText, "Rapporto X/Y", "X/Y ratio"},
        {-1, DefaultText, "predef.", "default"},
        {-1, CreditText, "Autore: Quadrel team", "Author: Quadrel team"}};
    for (const Caption &c : captions) {
        SCOPED_TRACE(c.italian);
        const auto text = [&c](std::string_view code) {
            return c.lookup ? c.lookup(code) : LabelText(c.label, code);
        };
        EXPECT_EQ(text("it"), c.italian);
        EXPECT_EQ(text("uk"), c.english);
        for (std::string_view code : kUnknownCodes)
            EXPECT_EQ(text(code), c.lookup ? std::nullopt : std::optional<std::string_view>("")) << std::string(code);
    }
    for (int index : {-1, 6, INT_MIN, INT_MAX})
        EXPECT_EQ(LabelText(index, "it"), "") << "index " << index;
}
// clang-format on

} // namespace
} // namespace quadrel::lang
