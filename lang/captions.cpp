#include "captions.hpp"

#include <array>

namespace quadrel::lang {

namespace {

// One row of the caption table: the text in each of the two languages.
struct Caption {
    std::string_view italian;
    std::string_view english;
};

// The labels of the six data fields, by data-field index.
constexpr std::array<Caption, 6> kLabels{{
    {"Megapixel", "Megapixels"},
    {"Pixel in orizzontale", "Horizontal pixels"},
    {"Pixel in verticale", "Vertical pixels"},
    {"Risoluzione di stampa [DPI]", "Print resolution [DPI]"},
    {"Larghezza di stampa [cm]", "Print width [cm]"},
    {"Altezza di stampa [cm]", "Print height [cm]"},
}};

constexpr Caption kLock{"blocca", "lock"};
constexpr Caption kClose{"Chiudi", "Close"};
constexpr Caption kOptions{"Opzioni", "Options"};
constexpr Caption kRatio{"Rapporto X/Y", "X/Y ratio"};
constexpr Caption kDefault{"predef.", "default"};
// The contact text after "Autore: " / "Author: " is the same in both languages.
constexpr Caption kCredit{"Autore: Quadrel team", "Author: Quadrel team"};

// What each lock option keeps fixed, by Kept.
constexpr std::array<Caption, 3> kLockHints{{
    {"Mantiene fissi i pixel", "Keeps the pixels fixed"},
    {"Mantiene fissa la risoluzione di stampa", "Keeps the print resolution fixed"},
    {"Mantiene fisse le dimensioni di stampa", "Keeps the print size fixed"},
}};

// Each language's own name: a flag is named in its language, not in the current one.
constexpr Caption kLanguageNames{"Italiano", "English"};

// The row's text in language `code`; no value for any code but the two known ones, which are
// compared exactly (letter case and length included).
constexpr std::optional<std::string_view> Pick(const Caption &row, std::string_view code) {
    if (code == kItalian) {
        return row.italian;
    }
    if (code == kEnglish) {
        return row.english;
    }
    return std::nullopt;
}

} // namespace

std::string_view LabelText(int index, std::string_view code) {
    if (index < 0 || index >= static_cast<int>(kLabels.size())) {
        return {};
    }
    return Pick(kLabels[static_cast<std::size_t>(index)], code).value_or(std::string_view{});
}

std::optional<std::string_view> LockText(std::string_view code) {
    return Pick(kLock, code);
}

std::optional<std::string_view> CloseText(std::string_view code) {
    return Pick(kClose, code);
}

std::optional<std::string_view> OptionsText(std::string_view code) {
    return Pick(kOptions, code);
}

std::optional<std::string_view> RatioText(std::string_view code) {
    return Pick(kRatio, code);
}

std::optional<std::string_view> DefaultText(std::string_view code) {
    return Pick(kDefault, code);
}

std::optional<std::string_view> CreditText(std::string_view code) {
    return Pick(kCredit, code);
}

std::optional<std::string_view> LockHint(Kept kept, std::string_view code) {
    return Pick(kLockHints.at(static_cast<std::size_t>(kept)), code);
}

std::optional<std::string_view> LanguageName(std::string_view code) {
    return Pick(kLanguageNames, code);
}

} // namespace quadrel::lang
