#pragma once

// The program's command line, read before any QApplication exists so that --help and --version
// work without a display. Qt's own options (-platform NAME, -style NAME, -reverse, ...; also
// written with two dashes, and -style=NAME) are accepted and left in argv for QApplication, and so
// is one argument that is no option: a picture file to open. Anything else is refused with one
// line on standard error.
//   quadrel, quadrel -style Fusion -> the window opens
//   quadrel photo.jpg              -> the window opens with the picture file "photo.jpg"
//   quadrel --version, -h, --help  -> the text on standard output, 0
//   quadrel --frob                 -> "quadrel: unknown option '--frob' (see 'quadrel --help')", 2
//   quadrel a.jpg b.jpg            -> "quadrel: unexpected argument 'b.jpg' (...)", 2
//   quadrel -platform              -> "quadrel: option '-platform' needs a value (...)", 2

#include <QApplication>

#include <memory>
#include <optional>
#include <string>

namespace quadrel::cli {

// What the command line asks for: to end at once with an exit status, or the window, with the
// picture file it names, as given.
struct CommandLine {
    std::optional<int> exitStatus;
    std::optional<std::string> pictureFile = {};
};

// Answers a command line that asks for no window and gives the exit status, or gives the picture
// file to open, if any.
CommandLine HandleCommandLine(int argc, const char *const argv[]);

// Creates the application. Qt's messages are held back meanwhile: if Qt gives up starting its
// platform plugin (no display, or one that does not answer), the program prints one line saying so
// and exits with status 1 instead of aborting; otherwise the held messages are passed on in order,
// with their context, and print as Qt would have printed them.
std::unique_ptr<QApplication> StartApplication(int &argc, char **argv);

} // namespace quadrel::cli
