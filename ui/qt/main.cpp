#include "command_line.hpp"
#include "main_window.hpp"
#include "ui/common/version.hpp"

#include <QFile>

int main(int argc, char *argv[]) {
    // The command line is read first, so that --help, --version and mistakes need no display.
    const quadrel::cli::CommandLine line = quadrel::cli::HandleCommandLine(argc, argv);
    if (line.exitStatus)
        return *line.exitStatus;
    const std::unique_ptr<QApplication> app = quadrel::cli::StartApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quadrel"));
    QApplication::setApplicationVersion(QString::fromLatin1(quadrel::kVersion));
    quadrel::MainWindow window;
    window.show();
    // As if dropped on the window: a file that does not open leaves it open, the message over it.
    if (line.pictureFile)
        window.openFiles({QUrl::fromLocalFile(QFile::decodeName(line.pictureFile->c_str()))});
    return QApplication::exec();
}
