// The yardstick of the start-up benchmark: the least a Qt Widgets program does to put one
// window of the start window's size on the screen.
#include "FirstIdle.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ReportFirstIdle();
    QWidget window;
    window.setFixedSize(463, 309);
    window.show();
    return application.exec();
}
