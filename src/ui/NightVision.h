#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>

class QAction;
class QWidget;

//! Night vision: every window of the program in dim red on black, for use at the telescope.
//! Off at every start; it lasts for the run, since the program keeps no settings.
//!
//! This is the one place that knows what night vision looks like. Windows, pictures and the
//! focus ring keep their day colours and ask Shown() what to paint; nothing here runs before
//! the mode is first switched on.
namespace NightVision {

//! What a colour is used for. Each use has its own stretch of the red scale, within the limits
//! that keep the eyes adapted to the dark: no channel above red 204, green 26 or blue 26.
enum class Role {
    Background, //!< behind text and controls: red 0 to 36, the lighter by day the lighter by night
    Selection,  //!< the selected or current item's fill: red 48 to 90
    Foreground, //!< text, outlines, marks: red 170 to 204, the darker by day the brighter by night
    Picture,    //!< what a picture shows: red 0 to 204, its lightness kept
};

//! Whether the program shows itself in night vision now.
bool On();

//! What to paint now for a colour of the day design: the colour itself while night vision is
//! off; while it is on, the colour's lightness carried onto the role's stretch of red, with
//! its transparency kept. An invalid colour stays invalid.
QColor Shown(const QColor& day, Role role);

//! The use a colour of each role of a palette is put to.
Role RoleOf(QPalette::ColorRole role);

//! The same for a colour whatever the mode (the palette is made before the mode is on).
QColor InRed(const QColor& day, Role role);

//! A picture in night red, every pixel as InRed() has it for Role::Picture.
QImage InRed(const QImage& picture);

//! Switches every window at once, open or not. Sheets and saved pictures keep their colours.
void SetOn(bool on);

//! The checkable "Night Vision" item, the same one in every menu that offers it, with Ctrl+N
//! working in every window of the program, the splash included.
QAction* Action();

//! Lets Ctrl+N work inside a modal window, which blocks the shortcut of every other window.
void OfferIn(QWidget* modal);

//! The same for every message box that `owner` opens later of its own accord (Qt's file
//! dialog asks "replace?" in a box the program never sees made).
void OfferInBoxesOf(QWidget* owner);

} // namespace NightVision
