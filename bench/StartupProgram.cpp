// The program's own start-up (main.cpp), reporting when its event loop is first idle.
#include "FirstIdle.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareApplication();
    QApplication application(argc, argv);
    ReportFirstIdle();
    return RunProgram(application);
}
