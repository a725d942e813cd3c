#include "command_line.hpp"
#include "frmMain.hpp"
#include "version.hpp"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[]) {
    // The command line is read first, so that --help, --version and mistakes need no display.
    const quadrel::cli::Request request = quadrel::cli::parse(argc, argv);
    switch (request.action) {
    case quadrel::cli::Request::Action::Help:
        std::fputs(quadrel::cli::helpText().c_str(), stdout);
        return 0;
    case quadrel::cli::Request::Action::Version:
        std::fputs(quadrel::cli::versionText().c_str(), stdout);
        return 0;
    case quadrel::cli::Request::Action::Error:
        std::fprintf(stderr, "quadrel: %s (see 'quadrel --help')\n", request.error.c_str());
        return 2;
    case quadrel::cli::Request::Action::Run:
        break;
    }

    auto check = std::make_unique<quadrel::cli::DisplayCheck>(argc, argv);
    QApplication app(argc, argv);
    check.reset();
    QApplication::setApplicationName(QStringLiteral("Quadrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quadrel"));
    QApplication::setApplicationVersion(QString::fromLatin1(quadrel::kVersion));
    quadrel::frmMain window;
    window.show();
    return QApplication::exec();
}
