#pragma once

// The captions of the window in its two languages: one row of the table a language, each named
// by an internal code, "it" (Italian) or "en" (English), in the order of the flags. Texts are
// UTF-8.

#include <array>
#include <string_view>

namespace quadrel::lang {

inline constexpr std::string_view kItalian = "it";
inline constexpr std::string_view kEnglish = "en";

// Why a picture file was not opened, each a sentence said after the file's name; "%1" stands for
// the picture format (core/picture_header.hpp names it).
struct NotOpened {
    const char *empty;
    const char *notAPicture;
    const char *unsupported; // a format known but not read: "HEIF", "camera raw", ...
    const char *cutShort;
    const char *damaged;
    const char *missing;
    const char *folder;
    const char *unreadable;
    const char *notLocal; // a web address, or another place that is no file here
};

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
    const char *turnText;        // swaps the picture's sides: upright, or back
    const char *copyText;        // the figures in one line, to the clipboard
    const char *printSizesText;  // the menu of common print sizes
    const char *openPictureText; // the entry that opens a picture file (Ctrl+O)
    // The open dialog: its title and its two filters, the picture formats read and every file.
    const char *openPictureTitle;
    const char *pictureFilesText;
    const char *allFilesText;
    // A picture not opened: the first line names the file ("%1"), the second says why; several
    // files at once ("%1": how many) are a message of their own.
    const char *notOpenedText;
    NotOpened notOpened;
    const char *severalFilesText;
    // A text field's edit commands, for a window that builds that menu itself (Win32): undo, cut,
    // copy, paste, delete, select all; and the Delete key's name on the language's keyboards.
    std::array<const char *, 6> editCommands;
    const char *deleteKey;
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
     "Apri immagine...", "Apri immagine", "Immagini", "Tutti i file",
     "Impossibile aprire «%1».",
     {"Il file è vuoto.", "Non è un'immagine.", "Quadrel non legge le immagini %1.",
      "Il file si interrompe nell'intestazione %1.", "L'intestazione %1 è danneggiata.",
      "Il file non esiste.", "È una cartella.", "Il file non si può leggere.",
      "Non è un file di questo computer."},
     "Nessuno dei %1 file è stato aperto.\nSi apre un'immagine alla volta.",
     {"Annulla", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"}, "Canc"},
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
     "Open picture...", "Open picture", "Pictures", "All files",
     "Could not open “%1”.",
     {"The file is empty.", "It is not a picture.", "Quadrel does not read %1 pictures.",
      "The file ends inside its %1 header.", "Its %1 header is damaged.",
      "There is no such file.", "It is a folder.", "The file cannot be read.",
      "It is not a file on this computer."},
     "None of the %1 files was opened.\nOne picture opens at a time.",
     {"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"}, "Del"},
}};
// clang-format on

} // namespace quadrel::lang
