#pragma once

// The captions of the window in its two languages: one row of the table a language, each named
// by an internal code, "it" (Italian) or "en" (English), in the order of the flags. Texts are
// UTF-8.

#include <array>
#include <string_view>

namespace quadrel::lang {

inline constexpr std::string_view kItalian = "it";
inline constexpr std::string_view kEnglish = "en";

struct Captions {
    std::string_view code;
    const char *languageName; // the language's own name, for its flag, whatever language is on
    std::array<const char *, 6> fieldLabels; // by data-field index
    const char *lockText;                    // every lock option
    const char *closeText;
    const char *optionsHeading; // with a blank on each side, inside the heading's border
    const char *ratioText;
    const char *defaultText;
    const char *defaultHint; // what the default-ratio button does, for screen readers and its tip
    const char *creditText;
    // What each lock option keeps fixed, by lock pair (pixels, resolution, print size) and option.
    std::array<std::array<const char *, 2>, 3> lockHints;
    std::array<const char *, 3> lockFrames; // what each lock pair decides, by lock pair
};

// clang-format off
inline constexpr std::array<Captions, 2> kCaptions{{
    {kItalian, "Italiano",
     {"Megapixel", "Pixel in orizzontale", "Pixel in verticale", "Risoluzione di stampa [DPI]",
      "Larghezza di stampa [cm]", "Altezza di stampa [cm]"},
     "blocca", "Chiudi", " Opzioni ", "Rapporto X/Y", "predef.", "Rimette il rapporto 4/3",
     "Autore: Quadrel team",
     {{{"Mantiene fissa la risoluzione di stampa", "Mantiene fisse le dimensioni di stampa"},
       {"Mantiene fissi i pixel", "Mantiene fisse le dimensioni di stampa"},
       {"Mantiene fissi i pixel", "Mantiene fissa la risoluzione di stampa"}}},
     {"Cosa resta fisso se cambiano i pixel", "Cosa resta fisso se cambia la risoluzione di stampa",
      "Cosa resta fisso se cambiano le dimensioni di stampa"}},
    {kEnglish, "English",
     {"Megapixels", "Horizontal pixels", "Vertical pixels", "Print resolution [DPI]",
      "Print width [cm]", "Print height [cm]"},
     "lock", "Close", " Options ", "X/Y ratio", "default", "Puts back the 4/3 ratio",
     "Author: Quadrel team", // the same contact text in both languages
     {{{"Keeps the print resolution fixed", "Keeps the print size fixed"},
       {"Keeps the pixels fixed", "Keeps the print size fixed"},
       {"Keeps the pixels fixed", "Keeps the print resolution fixed"}}},
     {"What stays fixed while the pixels change",
      "What stays fixed while the print resolution changes",
      "What stays fixed while the print size changes"}},
}};
// clang-format on

} // namespace quadrel::lang
