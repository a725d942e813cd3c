// The floor of the start-up benchmark: one window with one line edit, ending at its first paint.

#include "bench/first_paint.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    auto *edit = new QLineEdit(&window);
    edit->move(10, 10);
    window.resize(322, 284);
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
