#pragma once

class QApplication;

//! Runs the program: creates its windows, runs the event loop until the start window is
//! closed, then destroys them. Returns the exit status, 0.
int RunProgram(QApplication& application);

//! True when a window system can be reached (a display, Wayland, or an explicit platform).
bool HasDisplay();
