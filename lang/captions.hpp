#pragma once

// The captions of the window in its two languages: one column of the table a language, each
// named by its code, "it" (Italian) or "uk" (English). Texts are UTF-8.

#include <array>
#include <string_view>

namespace quadrel::lang {

inline constexpr std::string_view kItalian = "it";
inline constexpr std::string_view kEnglish = "uk";

// What a lock option keeps fixed while a field is edited, for its description.
enum class Kept { Pixels, PrintResolution, PrintSize };

struct Captions {
    std::string_view code;
    const char *languageName; // the language's own name, for its flag, whatever language is on
    std::array<const char *, 6> labelText; // lblLabels, by data-field index
    const char *lockText;                  // every lock option
    const char *closeText;
    const char *optionsText; // the window adds a blank on each side
    const char *ratioText;
    const char *defaultText;
    const char *defaultHint; // what the default-ratio button does, for screen readers and its tip
    const char *creditText;
    std::array<const char *, 3> lockHint;  // a lock option's description, by Kept
    std::array<const char *, 3> lockGroup; // the lock frames' names: fraP, fraD, fraR
};

// clang-format off
inline constexpr std::array<Captions, 2> kCaptions{{
    {kItalian, "Italiano",
     {"Megapixel", "Pixel in orizzontale", "Pixel in verticale", "Risoluzione di stampa [DPI]",
      "Larghezza di stampa [cm]", "Altezza di stampa [cm]"},
     "blocca", "Chiudi", "Opzioni", "Rapporto X/Y", "predef.", "Rimette il rapporto 4/3",
     "Autore: Quadrel team",
     {"Mantiene fissi i pixel", "Mantiene fissa la risoluzione di stampa",
      "Mantiene fisse le dimensioni di stampa"},
     {"Cosa resta fisso se cambiano i pixel", "Cosa resta fisso se cambia la risoluzione di stampa",
      "Cosa resta fisso se cambiano le dimensioni di stampa"}},
    {kEnglish, "English",
     {"Megapixels", "Horizontal pixels", "Vertical pixels", "Print resolution [DPI]",
      "Print width [cm]", "Print height [cm]"},
     "lock", "Close", "Options", "X/Y ratio", "default", "Puts back the 4/3 ratio",
     "Author: Quadrel team", // the same contact text in both languages
     {"Keeps the pixels fixed", "Keeps the print resolution fixed", "Keeps the print size fixed"},
     {"What stays fixed while the pixels change",
      "What stays fixed while the print resolution changes",
      "What stays fixed while the print size changes"}},
}};
// clang-format on

// The captions of language `code`, compared exactly (letter case and length included); nullptr
// for any other code.
//   CaptionsOf("uk")->labelText[3] -> "Print resolution [DPI]"   CaptionsOf("IT") -> nullptr
constexpr const Captions *CaptionsOf(std::string_view code) {
    for (const Captions &c : kCaptions) {
        if (c.code == code)
            return &c;
    }
    return nullptr;
}

} // namespace quadrel::lang
