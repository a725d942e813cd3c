#include "command_line.hpp"

#include "ui/common/version.hpp"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string_view>

namespace quadrel::cli {

namespace {

// The options QApplication and its platform plugins read from the command line, without their
// leading dash: those followed by a value, and those that stand alone.
// clang-format off
constexpr std::array<std::string_view, 15> kQtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "name", "style",
    "stylesheet", "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon",
    "session"};
constexpr std::array<std::string_view, 5> kQtFlags{"reverse", "widgetcount", "nograb", "dograb",
                                                   "sync"};
// clang-format on

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string HelpText() {
    return "Usage: quadrel [QT-OPTION]... [PICTURE]\n"
           "   or: quadrel --help | --version\n"
           "Relates the megapixels, pixels, print resolution and print size of a\n"
           "picture in one window. PICTURE, a JPEG, PNG, TIFF, WebP, GIF or BMP file,\n"
           "opens as one dropped on the window does: its pixel counts and their ratio\n"
           "become the figures; a file that does not open is named in a message.\n"
           "\n"
           "  -h, --help     print this text and exit\n"
           "      --version  print the version and exit\n"
           "\n"
           "Options of the Qt toolkit, passed on to it:\n"
           "  -platform NAME, -platformpluginpath DIR, -platformtheme NAME, -plugin NAME,\n"
           "  -display DISPLAY, -name NAME, -style NAME, -stylesheet FILE,\n"
           "  -qwindowgeometry GEOMETRY, -geometry GEOMETRY, -qwindowtitle TITLE,\n"
           "  -title TITLE, -qwindowicon FILE, -icon FILE, -session ID, -reverse,\n"
           "  -widgetcount, -nograb, -dograb, -sync\n"
           "\n"
           "Numbers are shown and read with the decimal mark of the locale (LC_ALL,\n"
           "LC_NUMERIC, LANG); both ',' and '.' are accepted when typing.\n"
           "Sizes as written: both pixel counts at once (3840x2160); a print size with\n"
           "its unit (8in, 210mm), two of them (13x18, 8x10in) or a paper (A4, Letter);\n"
           "a ratio as 3/2, 16:9 or 8x10.\n"
           "Keyboard: Tab and Shift+Tab go through the fields, buttons, flags and locks;\n"
           "F6 goes from a field to its lock buttons and back; Space, Return or Enter\n"
           "press a button or flag; arrows choose a lock; Ctrl+O opens a picture;\n"
           "Ctrl+R turns the picture; Ctrl+Shift+C copies the figures as one line;\n"
           "Shift+F10 or Menu opens a field's menu; Ctrl+Q closes, Escape does not.\n"
           "Exit status: 0 when the window is closed, 1 when no display can be opened,\n"
           "2 for a wrong command line.\n";
}

std::string VersionText() {
    return std::string("Quadrel ") + kVersion +
           "\nCopyright (c) 2026 Quadrel team\n"
           "MIT License: this is free software, with no warranty.\n";
}

} // namespace

// Read by hand: QCommandLineParser takes -name=value for every option that has a value, but Qt
// itself reads -platform NAME (and the others) only as two arguments, so -platform=NAME would go
// through and be ignored; and it reports a wrong option without the dashes it was typed with.
CommandLine HandleCommandLine(int argc, const char *const argv[]) {
    const auto refuse = [](const std::string &mistake) {
        std::fprintf(stderr, "quadrel: %s (see 'quadrel --help')\n", mistake.c_str());
        return CommandLine{2};
    };
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help" || arg == "--version") {
            std::fputs((arg == "--version" ? VersionText() : HelpText()).c_str(), stdout);
            return {0};
        }
        if (arg.size() < 2 || arg[0] != '-') {
            if (line.pictureFile)
                return refuse("unexpected argument " + quoted(arg));
            line.pictureFile = arg;
            continue;
        }
        // Qt reads its options with one dash or two, and the style options also as -name=value.
        std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
        if (name.starts_with("style=") || name.starts_with("stylesheet="))
            continue;
        const bool takesValue =
            std::ranges::find(kQtOptionsWithValue, name) != kQtOptionsWithValue.end();
        if (!takesValue && std::ranges::find(kQtFlags, name) == kQtFlags.end())
            return refuse("unknown option " + quoted(arg));
        if (takesValue && ++i == argc)
            return refuse("option " + quoted(arg) + " needs a value");
    }
    return line;
}

namespace {

// A message and a copy of its context. A null pointer of the context stays null (QByteArray keeps
// nullptr apart from ""): Qt's default pattern prints "category: " before the text for any category
// but none and "default", so a message without a category (qErrnoWarning's) given back with ""
// would print as ": text".
struct HeldMessage {
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

const char *orNull(const QByteArray &text) {
    return text.isNull() ? nullptr : text.constData();
}

std::mutex heldMutex;
QList<HeldMessage> held;
QByteArray platformName; // from -platform or QT_QPA_PLATFORM; empty: Qt's default (xcb)

// The one line that replaces Qt's abort when no platform plugin could start.
[[noreturn]] void noDisplay() {
    const QByteArray display = qgetenv("DISPLAY");
    if (!platformName.isEmpty() && !platformName.startsWith("xcb")) {
        std::fprintf(stderr, "quadrel: cannot open a display with the Qt platform '%s'\n",
                     platformName.constData());
    } else if (display.isEmpty()) {
        std::fputs("quadrel: cannot open a display: DISPLAY is not set\n", stderr);
    } else {
        std::fprintf(stderr, "quadrel: cannot open the display '%s'\n", display.constData());
    }
    std::fflush(stdout);
    // Qt is half started; leaving without running its destructors is all that is safe here.
    std::_Exit(1);
}

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (type == QtFatalMsg)
        noDisplay();
    const std::lock_guard lock(heldMutex);
    held.append({type, QByteArray(context.file), context.line, QByteArray(context.function),
                 QByteArray(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> StartApplication(int &argc, char **argv) {
    platformName = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform")
            platformName = argv[i + 1];
    }
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    const std::lock_guard lock(heldMutex);
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(orNull(message.file), message.line,
                                         orNull(message.function), orNull(message.category));
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
    return app;
}

} // namespace quadrel::cli
