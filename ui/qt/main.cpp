#include "command_line.hpp"
#include "main_window.hpp"
#include "ui/common/version.hpp"

int main(int argc, char *argv[]) {
    // The command line is read first, so that --help, --version and mistakes need no display.
    if (const std::optional<int> status = quadrel::cli::HandleCommandLine(argc, argv))
        return *status;
    const std::unique_ptr<QApplication> app = quadrel::cli::StartApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quadrel"));
    QApplication::setApplicationVersion(QString::fromLatin1(quadrel::kVersion));
    quadrel::MainWindow window;
    window.show();
    return QApplication::exec();
}
