#pragma once

#include "ui/Look.h"

#include <QPalette>
#include <QSize>

#include <functional>

class QRadioButton;
class QWidget;

//! The frame every window but the splash has: fixed size (the client area, menu bar not
//! counted), title bar with close and minimise boxes, no maximise box, the program icon;
//! every control named for screen readers after its label, and Enter pressing the focused
//! button as Space does.
void SetupWindowFrame(QWidget* window, QSize clientArea);

//! Fills a widget's background with a colour, whatever the desktop's palette. Text on it
//! turns black on a light colour and white on a dark one, so that it stays readable under a
//! dark desktop theme too; a control that names its own text colour keeps it.
void SetBackground(QWidget* widget, const QColor& colour);

//! Gives one colour role of a widget a colour of the program's design, in every colour group,
//! shown as NightVision::Shown() has it now and shown afresh whenever night vision is
//! switched. An invalid colour stands for the application's own colour for the role. Windows
//! name their colours only through here.
void SetRoleColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

//! Shows every widget's design colours afresh, after night vision was switched.
void ShowDesignColours();

//! Gives a control's text a fixed colour (labels, buttons and text boxes alike), whatever the
//! desktop's palette.
void SetTextColour(QWidget* widget, const QColor& colour);

//! Runs `work` once, when the window is first shown and before it is painted: what only a
//! window on the screen needs (the fonts of single controls, labels fitted to them, long texts,
//! list widths), so that start-up does not pay it for windows that nobody may open in this run.
//! A window's jobs run in the order they were given.
void WhenFirstShown(QWidget* window, std::function<void()> work);

//! Lets Tab enter a group of radio buttons at its checked button and leave it with the next
//! Tab, while the arrow keys move within the group, as in any radio group of a desktop.
void TabToCheckedButton(const QList<QRadioButton*>& group);

//! A window that fills itself afresh each time the program shows it (its FormShow). Qt sends
//! no show event to a window that is visible already, so ShowWindow runs FormShow itself,
//! on every request, whether the window was hidden or not.
class RefreshedOnShow
{
public:
    virtual void FormShow() = 0;

protected:
    ~RefreshedOnShow() = default;
};

//! Puts the program's style (ui/ProgramStyle.h) around the application's, unless it is there
//! already: the desktop's look, with no picture read from a file when the first window is
//! made. Called before the first window is made.
void UseProgramStyle();

//! Runs the event loop until a shown window is on the screen (its first exposure) or
//! `milliseconds` have passed, holding back user input meanwhile: Qt keeps keys and clicks and
//! delivers them at the next run of the loop that takes them; a close box clicked meanwhile is
//! ignored. What start-up makes after this call does not delay the window.
void WaitUntilExposed(QWidget* window, int milliseconds);

//! Makes a window visible and brings it to the front. The first showing centres it on the
//! screen; later showings keep wherever it was, the user's own moves included. A window that
//! is RefreshedOnShow runs its FormShow here; an error in it is reported and ends FormShow
//! alone, so the window is still shown and the caller goes on as after any showing.
void ShowWindow(QWidget* window);

//! "Show the next window, then close this one": the order every wizard step keeps, so that
//! the program always has a window in front. A next window not built yet changes nothing.
void ShowThenClose(QWidget* next, QWidget* current);
