#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

//! Faces standing in for the original "MS Sans Serif" and "Times New Roman".
inline const QString SansFace = QStringLiteral("Liberation Sans");
inline const QString SerifFace = QStringLiteral("Liberation Serif");

inline const QColor Navy(0, 0, 128);
inline const QColor Silver(192, 192, 192);
//! The light face of a button on a dark window.
inline const QColor ButtonFace(240, 240, 240);

//! The field on the sensor: the frame as night sky, the Moon, Jupiter, the frame's outline and
//! the film's central circle.
inline const QColor FieldSky(20, 24, 48);
inline const QColor FieldMoon(236, 236, 228);
inline const QColor FieldJupiter(226, 190, 140);
inline const QColor FieldOutline(110, 190, 255);
inline const QColor FieldCircle(150, 170, 220);
//! A catalogue target: a nebula's rose, unlike the Moon's grey, Jupiter's tan and the outlines.
inline const QColor FieldTarget(214, 112, 168);

//! Night vision: dim red on black, so the eyes keep their adaptation to the dark. Backgrounds
//! are black or, where the design has two levels, very dark red; text and marks are red.
namespace Night {
inline const QColor Black(0, 0, 0);
inline const QColor Dark(24, 0, 0);    //!< what the design's light backgrounds become
inline const QColor Darker(40, 0, 0);  //!< the lightest backgrounds (white), one level above
inline const QColor Text(200, 0, 0);
inline const QColor DimText(150, 0, 0); //!< disabled text
inline const QColor Mark(204, 0, 0);   //!< the brightest red anything is drawn in
inline constexpr int MostRed = 204;
//! The field on the sensor: the sky black, the Moon a dim disc, the outline the brightest.
inline const QColor FieldMoon(120, 0, 0);
inline const QColor FieldJupiter(170, 0, 0);
inline const QColor FieldCircle(140, 0, 0);
inline const QColor FieldTarget(100, 0, 0);
inline constexpr int MostGreenOrBlue = 26;
} // namespace Night

//! A colour of the design as it shows now: itself, or in night vision its night counterpart,
//! a background or a foreground as `background` says. The design's dark backgrounds turn
//! black, its light ones very dark red, and every foreground red.
QColor Shown(const QColor& design, bool background);

//! A picture in night red: its lightness as red, up to Night::MostRed, its transparency kept;
//! pure red stays red, so a picture turned red once stays as it is.
QImage InNightRed(const QImage& picture);

//! Whether the program shows itself in night vision now.
bool NightVisionOn();
//! What Shown() and NightVisionOn() answer; only the switch in ui/NightVision.h calls it.
void SetNightVisionShown(bool on);

//! A font of the given pixel height: the windows are laid out in pixels. A window takes its
//! base font before its setupUi(), so that its controls are made in that font rather than
//! made in the desktop's and laid out afresh when the window's font reaches them.
QFont PixelFont(int pixels, bool bold = false, const QString& face = SansFace);
