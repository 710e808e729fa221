#pragma once

#include <QByteArray>

class QApplication;

//! What is settled before the application object is made: every window keeps its menu bar
//! within it, where its fixed size counts it, rather than giving it to a desktop's global menu
//! (which start-up would otherwise ask the session bus about).
void PrepareApplication();

//! Runs the program: creates its windows, opens `job` (where given) once the start-up splash
//! has gone, so that a message box about it is not hidden under the splash, runs the event
//! loop until the start window is closed, then destroys them. Returns the exit status, 0.
int RunProgram(QApplication& application, const QByteArray& job = {});

//! True when a window system can be reached (a display, Wayland, or an explicit platform).
bool HasDisplay();
