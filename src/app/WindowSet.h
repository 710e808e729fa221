#pragma once

//! Start-up up to the event loop: shared state reset, every window created in its order,
//! the start window shown, the splash over it.
void CreateProgramWindows();

//! The end of the run: every window destroyed, in the reverse order, and the shared state
//! released. The set may then be created again (each test starts a fresh program this way).
void DestroyProgramWindows();
