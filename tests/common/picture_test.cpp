// Opening a picture file through the behaviour: pictures and broken files made as bytes in a
// temporary folder, given to the fake window as a drop, the command line or the open dialog give
// them.

#include "fake_window.hpp"
#include "ui/common/version.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
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

// A folder of its own in the test's temporary folder, removed with it.
class Folder {
public:
    Folder()
        : path_(fs::path(testing::TempDir()) / ("quadrel-pictures-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    // The file `name` with `bytes` in it.
    GivenFile file(const std::string &name, const std::string &bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return at(name);
    }
    GivenFile at(const std::string &name) const { return {path_ / name, name}; }

private:
    fs::path path_;
};

void Give(FakeWindow &w, const std::vector<GivenFile> &files) {
    w.behaviour.filesGiven(files);
}

std::string Titled(const char *file) {
    return file + " - "s + kTitle;
}

// Each row, from a new window, plays its script, then opens its file: the seven texts, under a
// comma and under a full stop, and the title naming the file.
TEST(Picture, OpensIntoThePixelFieldsAndTheRatio) {
    const Folder folder;
    struct Row {
        const char *name;
        const char32_t *script;
        GivenFile file;
        const char *expected;
    };
    // clang-format off
    const Row rows[] = {
        {"300 DPI typed, then a 6000 x 4000 JPEG", U"❹300", folder.file("photo.jpg", Jpeg(6000, 4000)), "24|6000|4000|300|50,8|33,9|3:2"},
        {"turned upright by its orientation 6", U"", folder.file("tall.jpg", Jpeg(4032, 3024, 6)), "12,2|3024|4032||||3:4"},
        {"keep the print size gives the resolution", U"❺30Ⓟ", folder.file("wide.jpg", Jpeg(4032, 3024, 1)), "12,2|4032|3024|341|30|22,5|4:3"},
        {"an emptied field is given back first", U"❹300❶❹⌫⌫⌫", folder.at("photo.jpg"), "24|6000|4000|300|50,8|33,9|3:2"},
    };
    // clang-format on
    for (const Row &row : rows) {
        for (const std::string_view mark : {",", "."}) {
            FakeWindow w(mark);
            w.play(row.script);
            Give(w, {row.file});
            std::string expected = row.expected;
            std::ranges::replace(expected, ',', mark[0]);
            EXPECT_EQ(w.all(), expected) << row.name << ", mark " << mark;
            EXPECT_EQ(w.title, Titled(row.file.shownName.c_str())) << row.name;
            EXPECT_EQ(w.message, "") << row.name;
        }
    }
}

// What cannot be opened is named with the reason, in the language in use, and changes nothing.
TEST(Picture, RefusesWhatItCannotOpenAndChangesNothing) {
    const Folder folder;
    fs::create_directory(fs::path(*folder.at("Photos").path));
    struct Row {
        const char *name;
        std::vector<GivenFile> files;
        const char *italian, *english;
    };
    // clang-format off
    const Row rows[] = {
        {"an empty file", {folder.file("empty.jpg", "")}, "Impossibile aprire «empty.jpg».\nIl file è vuoto.", "Could not open “empty.jpg”.\nThe file is empty."},
        {"a header cut short", {folder.file("cut.jpg", "\xFF\xD8\xFF\xE0\0\x10JFIF"s)}, "Impossibile aprire «cut.jpg».\nIl file si interrompe nell'intestazione JPEG.", "Could not open “cut.jpg”.\nThe file ends inside its JPEG header."},
        {"a text file named .jpg", {folder.file("notes.jpg", "hello")}, "Impossibile aprire «notes.jpg».\nNon è un'immagine.", "Could not open “notes.jpg”.\nIt is not a picture."},
        {"a HEIC picture", {folder.file("photo.heic", "\0\0\0\x18" "ftypheic\0\0\0\0mif1heic"s)}, "Impossibile aprire «photo.heic».\nQuadrel non legge le immagini HEIF.", "Could not open “photo.heic”.\nQuadrel does not read HEIF pictures."},
        {"a damaged header", {folder.file("zero.png", "\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\0\0\0\0\x01\xE0"s)}, "Impossibile aprire «zero.png».\nL'intestazione PNG è danneggiata.", "Could not open “zero.png”.\nIts PNG header is damaged."},
        {"a folder", {folder.at("Photos")}, "Impossibile aprire «Photos».\nÈ una cartella.", "Could not open “Photos”.\nIt is a folder."},
        {"a missing path", {folder.at("gone.jpg")}, "Impossibile aprire «gone.jpg».\nIl file non esiste.", "Could not open “gone.jpg”.\nThere is no such file."},
        {"a web address", {{std::nullopt, "https://example.com/a.jpg"}}, "Impossibile aprire «https://example.com/a.jpg».\nNon è un file di questo computer.", "Could not open “https://example.com/a.jpg”.\nIt is not a file on this computer."},
        {"several files", {folder.at("photo.jpg"), folder.at("photo.jpg")}, "Nessuno dei 2 file è stato aperto.\nSi apre un'immagine alla volta.", "None of the 2 files was opened.\nOne picture opens at a time."},
    };
    // clang-format on
    folder.file("photo.jpg", Jpeg(6000, 4000));
    for (const Row &row : rows) {
        for (const char32_t *flag : {U"Ⓘ", U"Ⓔ"}) {
            FakeWindow w;
            w.play(flag + U"❷4000❹300❶0012"s);
            const std::string before = w.all();
            Give(w, row.files);
            EXPECT_EQ(w.message, *flag == U'Ⓘ' ? row.italian : row.english) << row.name;
            EXPECT_EQ(w.all(), before) << row.name;
            EXPECT_EQ(w.title, kTitle) << row.name;
        }
    }
}

TEST(Picture, RefusesAFileThatCannotBeRead) {
    if (geteuid() == 0)
        GTEST_SKIP() << "every file can be read as root; the reader's own tests cover this";
    const Folder folder;
    const GivenFile locked = folder.file("locked.jpg", Jpeg(6000, 4000));
    fs::permissions(*locked.path, fs::perms::none);
    FakeWindow w;
    Give(w, {locked});
    EXPECT_EQ(w.message, "Impossibile aprire «locked.jpg».\nIl file non si può leggere.");
    EXPECT_EQ(w.all(), "||||||1,3333333333333");
}

// A picture opened from the menu's open dialog, then each row's script: the title names the file
// while its counts and ratio are the figures.
TEST(Picture, TitleNamesTheFileUntilACountOrTheRatioChanges) {
    const Folder folder;
    struct Row {
        const char *name;
        const char32_t *script;
        bool named;
    };
    // clang-format off
    const Row rows[] = {
        {"opened", U"", true},
        {"a resolution typed keeps the pixels", U"❹250", true},
        {"a lock choice of the pixels", U"Ⓟ", true},
        {"moving through every field", U"❶❷❸❹❺❻❼❶", true},
        {"a count emptied and given back", U"❷⌫⌫⌫⌫❶", true},
        {"a resolution typed that moves the pixels", U"❹Ⓓ❹250", false},
        {"megapixels typed", U"❶8", false},
        {"a count typed", U"❸3000", false},
        {"a ratio typed", U"❼ⓐ2", false},
        {"the default ratio", U"❽", false},
        {"turned", U"↻", false},
    };
    // clang-format on
    const GivenFile photo = folder.file("photo.jpg", Jpeg(6000, 4000));
    for (const Row &row : rows) {
        FakeWindow w;
        w.play(U"❹300❷");
        w.chosenFile = photo;
        w.behaviour.menuChosen(w.focused, {Command::OpenPicture, ""});
        if (*row.script == U'↻')
            w.behaviour.turn();
        w.play(row.script);
        EXPECT_EQ(w.title, row.named ? Titled("photo.jpg") : kTitle) << row.name;
    }
}

} // namespace
} // namespace quadrel
