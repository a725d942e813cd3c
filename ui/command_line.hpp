#pragma once

// The program's command line, read before any QApplication exists so that --help and --version
// work without a display. Qt's own options (-platform NAME, -style NAME, -reverse, ...; also
// written with two dashes, and -style=NAME) are accepted and left in argv for QApplication;
// anything else is refused.
//   {"quadrel"}                          -> Run
//   {"quadrel", "-style", "Fusion"}      -> Run
//   {"quadrel", "--version"}             -> Version
//   {"quadrel", "-h"}, {"quadrel", "--help"} -> Help
//   {"quadrel", "--frob"}                -> Error, "unknown option '--frob'"
//   {"quadrel", "photo.jpg"}             -> Error, "unexpected argument 'photo.jpg'"
//   {"quadrel", "-platform"}             -> Error, "option '-platform' needs a value"

#include <string>

namespace quadrel::cli {

struct Request {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string error; // for Error: what is wrong, in one line
};

Request parse(int argc, const char *const argv[]);

// The texts printed by --help and --version, each ending in a newline.
std::string helpText();
std::string versionText();

// While it lives, Qt's messages are held back. If Qt gives up starting its platform plugin (no
// display, or a display that does not answer), the program prints one line saying so and exits
// with status 1 instead of aborting; otherwise the held messages are passed on when it ends.
// Meant to live exactly as long as the QApplication constructor runs.
class DisplayCheck {
public:
    DisplayCheck(int argc, const char *const argv[]);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck &) = delete;
    DisplayCheck &operator=(const DisplayCheck &) = delete;
};

} // namespace quadrel::cli
