// The program's own start-up (the same steps as main.cpp), ending at the window's first paint.

#include "bench/first_paint.hpp"
#include "ui/frmMain.hpp"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    quadrel::frmMain window;
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
