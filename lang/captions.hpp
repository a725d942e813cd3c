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
    // Each lock option in a few words, as an empty field's placeholder that names the choice
    // which would fill it; short enough for a field's text room (85 pixels at 8 points).
    std::array<std::array<const char *, 2>, 3> lockChoices;
    // The program's entries of a field's context menu.
    const char *turnText;       // swaps the picture's sides: upright, or back
    const char *copyText;       // the figures in one line, to the clipboard
    const char *printSizesText; // the menu of common print sizes
    // A text field's edit commands, for a window that builds that menu itself (Win32): undo, cut,
    // copy, paste, delete, select all.
    std::array<const char *, 6> editCommands;
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
      "Cosa resta fisso se cambiano le dimensioni di stampa"},
     {{{"blocca i DPI", "blocca le misure"}, {"blocca i pixel", "blocca le misure"},
       {"blocca i pixel", "blocca i DPI"}}},
     "Ruota (verticale/orizzontale)", "Copia le misure", "Formati di stampa",
     {"Annulla", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"}},
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
      "What stays fixed while the print size changes"},
     {{{"lock the DPI", "lock the size"}, {"lock the pixels", "lock the size"},
       {"lock the pixels", "lock the DPI"}}},
     "Turn (portrait/landscape)", "Copy the figures", "Print sizes",
     {"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"}},
}};
// clang-format on

} // namespace quadrel::lang
