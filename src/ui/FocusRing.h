#pragma once

class QWidget;

//! Makes the keyboard focus plain to see in every window of the program: a ring two pixels
//! thick around the control that has the focus, in black or white, whichever stands out more
//! from the background around it (at least 3:1 on silver, white and navy alike), with a thin
//! ring of the other colour inside it so that it also stands out from the control itself.
//! It follows the focus from the first moment a window shows it and never takes a click.
void ShowKeyboardFocus();

//! The widget that draws the ring, or null while no control has the focus (tests).
QWidget* KeyboardFocusRing();
