#pragma once

#include <QByteArray>

//! What the command line asks of a start: the program needs no argument, and takes at most one
//! job file to open (so that a file manager can open a job with it); --help and --version are
//! answered at once.
struct CommandLine
{
    bool Exit = false; //!< answered already: the program ends with ExitCode
    int ExitCode = 0;
    //! The job file to open once the program has started, or empty: the argument's own bytes,
    //! since a file's name need not be valid text and no decoded text could name it again.
    QByteArray JobPath;
};

//! Reads the command line before any window system is touched, so that --help, --help-all,
//! --version and a wrong argument are answered without a display. Qt's own options (such as
//! -platform and -style) pass through to the application.
CommandLine ReadCommandLine(int argc, char* argv[]);
