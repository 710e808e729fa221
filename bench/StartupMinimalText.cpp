// The yardstick's twin with one line of text: the minimal window with a label. Showing text
// loads the desktop's font configuration, which the minimal window never needs before it is
// idle; the difference between the two is the share of start-up that any program with text
// pays, however little else it does.
#include "FirstIdle.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    ReportFirstIdle();
    QWidget window;
    window.setFixedSize(463, 309);
    QLabel label(QStringLiteral("Orvalis Calculator"), &window);
    label.move(20, 20);
    window.show();
    return application.exec();
}
