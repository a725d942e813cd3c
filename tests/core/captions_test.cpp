#include "lang/captions.hpp"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace {

using quadrel::lang::LabelText;

// Codes that look like a known one but are not: the tables match exactly and case-sensitively.
constexpr std::array<std::string_view, 10> kUnknownCodes{
    "IT", "It", "UK", "uk ", " it", "", "en", "i", "ukk", std::string_view("it\0", 3)};

TEST(LabelText, GivesEachFieldLabelInBothLanguages) {
    struct Row {
        int index;
        std::string_view italian;
        std::string_view english;
    };
    constexpr std::array<Row, 6> kRows{{
        {0, "Megapixel", "Megapixels"},
        {1, "Pixel in orizzontale", "Horizontal pixels"},
        {2, "Pixel in verticale", "Vertical pixels"},
        {3, "Risoluzione di stampa [DPI]", "Print resolution [DPI]"},
        {4, "Larghezza di stampa [cm]", "Print width [cm]"},
        {5, "Altezza di stampa [cm]", "Print height [cm]"},
    }};
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.index);
        EXPECT_EQ(LabelText(row.index, "it"), row.italian);
        EXPECT_EQ(LabelText(row.index, "uk"), row.english);
    }
}

TEST(LabelText, IsEmptyForUnknownCodeOrIndexOutOfRange) {
    for (std::string_view code : kUnknownCodes) {
        for (int index = -1; index <= 6; ++index) {
            SCOPED_TRACE(testing::Message()
                         << "code \"" << std::string(code) << "\" index " << index);
            EXPECT_EQ(LabelText(index, code), "");
        }
    }
    for (std::string_view code : {std::string_view("it"), std::string_view("uk")}) {
        for (int index : {-1, 6, -2147483647 - 1, 2147483647}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " index " << index);
            EXPECT_EQ(LabelText(index, code), "");
        }
    }
}

// The six single-caption tables, each with its Italian and English text.
struct SingleCaption {
    const char *name;
    std::optional<std::string_view> (*lookup)(std::string_view);
    std::string_view italian;
    std::string_view english;
};

const std::array<SingleCaption, 6> kSingleCaptions{{
    {"LockText", quadrel::lang::LockText, "blocca", "lock"},
    {"CloseText", quadrel::lang::CloseText, "Chiudi", "Close"},
    {"OptionsText", quadrel::lang::OptionsText, "Opzioni", "Options"},
    {"RatioText", quadrel::lang::RatioText, "Rapporto X/Y", "X/Y ratio"},
    {"DefaultText", quadrel::lang::DefaultText, "predef.", "default"},
    {"CreditText", quadrel::lang::CreditText, "Autore: Quadrel team", "Author: Quadrel team"},
}};

TEST(SingleCaptions, GiveTheirTextInBothLanguages) {
    for (const SingleCaption &caption : kSingleCaptions) {
        SCOPED_TRACE(caption.name);
        EXPECT_EQ(caption.lookup("it"), caption.italian);
        EXPECT_EQ(caption.lookup("uk"), caption.english);
    }
}

TEST(SingleCaptions, HaveNoValueForUnknownCode) {
    for (const SingleCaption &caption : kSingleCaptions) {
        for (std::string_view code : kUnknownCodes) {
            SCOPED_TRACE(testing::Message() << caption.name << " \"" << std::string(code) << "\"");
            EXPECT_EQ(caption.lookup(code), std::nullopt);
        }
    }
}

} // namespace
