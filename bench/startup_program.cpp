// The two programs startup_bench starts in turn, from this one source: Quadrel's own start-up (the
// same steps as main.cpp), or with STARTUP_MINIMAL the floor, a window with one line edit. Each
// ends once its window has painted for the first time, printing its private memory then (RssAnon
// of /proc/self/status, in kB) as its one line of output.

#ifdef STARTUP_MINIMAL
#include <QLineEdit>
#else
#include "ui/qt/main_window.hpp"
#endif

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>

namespace {

// The private memory in use (RssAnon), in kB; -1 when it cannot be read.
long privateKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("RssAnon:", 0) == 0)
            return std::atol(line.c_str() + 8);
    }
    return -1;
}

// Quits once the window has painted for the first time and the paint has been flushed to the
// screen, printing the private memory in use then.
class QuitAtFirstPaint : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !std::exchange(seen_, true)) {
            QTimer::singleShot(0, qApp, [] {
                std::printf("%ld\n", privateKb());
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
#ifdef STARTUP_MINIMAL
    QWidget window;
    (new QLineEdit(&window))->move(10, 10);
    window.resize(322, 284);
#else
    quadrel::MainWindow window;
#endif
    QuitAtFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
