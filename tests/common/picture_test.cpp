// Opening a picture file through the behaviour: pictures and broken files made as bytes in a
// folder of the test's own, given to the fake window as a drop, the command line or the open
// dialog give them.

#include "fake_window.hpp"
#include "ui/common/version.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace quadrel {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A JPEG up to its frame header, all that is read of it: SOF0 `width` x `height`, after an EXIF
// block whose first IFD gives `orientation`, when one is given.
std::string Jpeg(unsigned width, unsigned height, int orientation = 0) {
    const auto be = [](std::size_t v) { return std::string{char(v >> 8), char(v & 0xFF)}; };
    std::string jpeg = "\xFF\xD8"s;
    if (orientation > 0) {
        const std::string tiff = "II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0"s +
                                 char(orientation) + std::string(7, '\0');
        jpeg += "\xFF\xE1"s + be(8 + tiff.size()) + "Exif\0\0"s + tiff;
    }
    return jpeg + "\xFF\xC0"s + be(17) + '\x08' + be(height) + be(width) +
           "\x03\x01\x22\0\x02\x11\x01\x03\x11\x01"s;
}

// A folder of the test's own, removed at its end; folder("a.jpg", bytes) writes a file into it,
// folder("a.jpg") only names one.
struct Folder {
    fs::path path = fs::path(testing::TempDir()) / ("quadrel-" + std::to_string(getpid()));
    Folder() { fs::create_directories(path / "Photos"); }
    ~Folder() { fs::remove_all(path); }
    GivenFile operator()(const std::string &name, std::optional<std::string> bytes = {}) const {
        if (bytes)
            std::ofstream(path / name, std::ios::binary) << *bytes;
        return {path / name, name};
    }
};

// Each row, from a new window in Italian under a comma and in English under a full stop, plays
// its script and gives its files: the seven texts after, and the message in each language. A
// picture opened names itself in the title; what is not opened changes nothing, not even an edit
// in progress.
TEST(Picture, OpensIntoThePixelFieldsOrSaysWhyNot) {
    const Folder folder;
    struct Row {
        const char *name;
        const char32_t *script;
        std::vector<GivenFile> files;
        const char *texts, *italian = "", *english = "";
    };
    const char32_t *before = U"❷4000❹300❶0012";
    const char *unchanged = "0012|4000|3000|300|33,9|25,4|1,3333333333333";
    // clang-format off
    std::vector<Row> rows{
        {"300 DPI typed, then a 6000 x 4000 JPEG", U"❹300", {folder("photo.jpg", Jpeg(6000, 4000))}, "24|6000|4000|300|50,8|33,9|3:2"},
        {"turned upright by its orientation 6", U"", {folder("tall.jpg", Jpeg(4032, 3024, 6))}, "12,2|3024|4032||||3:4"},
        {"keep the print size gives the resolution", U"❺30Ⓟ", {folder("wide.jpg", Jpeg(4032, 3024, 1))}, "12,2|4032|3024|341|30|22,5|4:3"},
        {"a giant header", U"", {folder("giant.jpg", Jpeg(65500, 65500))}, "4290,2|65500|65500||||1:1"},
        {"an emptied field is given back first", U"❹300❶❹⌫⌫⌫", {folder("photo.jpg")}, "24|6000|4000|300|50,8|33,9|3:2"},
        {"an empty file", before, {folder("empty.jpg", "")}, unchanged, "Impossibile aprire «empty.jpg».\nIl file è vuoto.", "Could not open “empty.jpg”.\nThe file is empty."},
        {"a header cut short", before, {folder("cut.jpg", "\xFF\xD8\xFF\xE0\0\x10JFIF"s)}, unchanged, "Impossibile aprire «cut.jpg».\nIl file si interrompe nell'intestazione JPEG.", "Could not open “cut.jpg”.\nThe file ends inside its JPEG header."},
        {"a text file named .jpg", before, {folder("notes.jpg", "hello")}, unchanged, "Impossibile aprire «notes.jpg».\nNon è un'immagine.", "Could not open “notes.jpg”.\nIt is not a picture."},
        {"a HEIC picture", before, {folder("photo.heic", "\0\0\0\x18" "ftypheic\0\0\0\0mif1heic"s)}, unchanged, "Impossibile aprire «photo.heic».\nQuadrel non legge le immagini HEIF.", "Could not open “photo.heic”.\nQuadrel does not read HEIF pictures."},
        {"a damaged header", before, {folder("zero.png", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\0\0\0\x01\xE0"s)}, unchanged, "Impossibile aprire «zero.png».\nL'intestazione PNG è danneggiata.", "Could not open “zero.png”.\nIts PNG header is damaged."},
        {"a folder", before, {folder("Photos")}, unchanged, "Impossibile aprire «Photos».\nÈ una cartella.", "Could not open “Photos”.\nIt is a folder."},
        {"a missing path", before, {folder("gone.jpg")}, unchanged, "Impossibile aprire «gone.jpg».\nIl file non esiste.", "Could not open “gone.jpg”.\nThere is no such file."},
        {"a web address", before, {{std::nullopt, "https://example.com/a.jpg"}}, unchanged, "Impossibile aprire «https://example.com/a.jpg».\nNon è un file di questo computer.", "Could not open “https://example.com/a.jpg”.\nIt is not a file on this computer."},
        {"several files", before, {folder("photo.jpg"), folder("photo.jpg")}, unchanged, "Nessuno dei 2 file è stato aperto.\nSi apre un'immagine alla volta.", "None of the 2 files was opened.\nOne picture opens at a time."},
    };
    // clang-format on
#ifndef _WIN32 // on Windows, and as root, every file reads: the reader's own tests cover this there
    if (geteuid() != 0) {
        const GivenFile locked = folder("locked.jpg", Jpeg(6000, 4000));
        fs::permissions(*locked.path, fs::perms::none);
        rows.push_back({"a file that cannot be read",
                        before,
                        {locked},
                        unchanged,
                        "Impossibile aprire «locked.jpg».\nIl file non si può leggere.",
                        "Could not open “locked.jpg”.\nThe file cannot be read."});
    }
#endif
    for (const Row &row : rows) {
        for (const bool english : {false, true}) {
            FakeWindow w(english ? "." : ",");
            w.play(english ? U"Ⓔ"s + row.script : row.script);
            w.behaviour.filesGiven(row.files);
            std::string texts = row.texts;
            std::ranges::replace(texts, ',', english ? '.' : ',');
            EXPECT_EQ(w.all(), texts) << row.name;
            EXPECT_EQ(w.message, english ? row.english : row.italian) << row.name;
            EXPECT_EQ(w.title, (*row.italian ? "" : row.files[0].shownName + " - ") + kTitle)
                << row.name;
        }
    }
}

// A picture opened from the menu's open dialog, then each row's script: the title names the file
// while its counts and ratio are the figures.
TEST(Picture, TitleNamesTheFileUntilACountOrTheRatioChanges) {
    const Folder folder;
    const std::tuple<const char *, const char32_t *, bool> rows[] = {
        {"a resolution typed keeps the pixels", U"❹250", true},
        {"a choice of the pixel pair's lock", U"Ⓟ", true},
        {"a count emptied and given back", U"❷⌫⌫⌫⌫❶", true},
        {"a resolution typed that moves the pixels", U"❹Ⓓ❹250", false},
        {"a count typed", U"❸3000", false},
        {"a ratio typed", U"❼ⓐ2", false},
        {"the default ratio", U"❽", false},
        {"turned", U"↻", false},
    };
    for (const auto &[name, script, named] : rows) {
        FakeWindow w;
        w.play(U"❹300❷");
        w.chosenFile = folder("photo.jpg", Jpeg(6000, 4000));
        w.behaviour.menuChosen(w.focused, {Command::OpenPicture, ""});
        if (*script == U'↻')
            w.behaviour.turn();
        w.play(script);
        EXPECT_EQ(w.title, (named ? "photo.jpg - "s : "") + kTitle) << name;
    }
}

} // namespace
} // namespace quadrel
