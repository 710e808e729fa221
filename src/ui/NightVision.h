#pragma once

class QAction;

//! Night vision: every window of the program in dim red on black, for use at the telescope.
//! Off at every start; it lasts for the run, since the program keeps no settings.
namespace NightVision {

//! Switches every window at once, open or not. Sheets and saved pictures keep their colours.
void SetOn(bool on);

//! The checkable "Night Vision" item, the same one in every menu that offers it, with Ctrl+N
//! working in every window of the program, the splash included.
QAction* Action();

} // namespace NightVision
