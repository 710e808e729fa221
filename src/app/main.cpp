#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // The command line first, before any window system is touched: --help and --version are
    // answered without a display.
    const CommandLine line = ReadCommandLine(argc, argv);
    if (line.Exit)
        return line.ExitCode;
    // Without a display Qt's platform plugin would abort with a long message; say it plainly.
    if (!HasDisplay()) {
        std::fputs("orvalis-calculator: no display found (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return 2;
    }
    // Under a limit on file sizes, a sheet saved past it fails with an error the program
    // reports, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    PrepareApplication();
    QApplication application(argc, argv);
    // Ties the windows to the desktop entry, so the desktop shows the program's own name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVALIS_APP_ID));
    return RunProgram(application, line.JobPath);
}
