#include "frmMain.hpp"
#include "version.hpp"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("quadrel"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(quadrel::kVersionMajor)
                                            .arg(quadrel::kVersionMinor)
                                            .arg(quadrel::kVersionRevision));
    quadrel::frmMain window;
    window.show();
    return QApplication::exec();
}
