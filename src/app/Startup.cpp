#include "app/Startup.h"

#include "app/WindowSet.h"
#include "ui/ProgramWindows.h"

#include <QApplication>

int RunProgram(QApplication& application)
{
    CreateProgramWindows();
    const int status = application.exec();
    DestroyProgramWindows();
    return status;
}

bool HasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
