#include "ui/frmMain.hpp"
#include <QApplication>
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    quadrel::frmMain window;
    window.show();
    return app.exec();
}
