#pragma once

#include <QColor>
#include <QFont>
#include <QString>

//! Faces standing in for the original "MS Sans Serif" and "Times New Roman".
inline const QString SansFace = QStringLiteral("Liberation Sans");
inline const QString SerifFace = QStringLiteral("Liberation Serif");

inline const QColor Navy(0, 0, 128);
inline const QColor Silver(192, 192, 192);
//! The light face of a button on a dark window.
inline const QColor ButtonFace(240, 240, 240);

//! The field on the sensor: the frame as night sky, the Moon, Jupiter, the frame's outline and
//! the film's central circle. Night vision makes its own of them (ui/NightVision.h).
inline const QColor FieldSky(20, 24, 48);
inline const QColor FieldMoon(236, 236, 228);
inline const QColor FieldJupiter(226, 190, 140);
inline const QColor FieldOutline(110, 190, 255);
inline const QColor FieldCircle(150, 170, 220);
//! A catalogue target: a nebula's rose, unlike the Moon's grey, Jupiter's tan and the outlines.
inline const QColor FieldTarget(214, 112, 168);

//! A font of the given pixel height: the windows are laid out in pixels. A window takes its
//! base font before its setupUi(), so that its controls are made in that font rather than
//! made in the desktop's and laid out afresh when the window's font reaches them.
QFont PixelFont(int pixels, bool bold = false, const QString& face = SansFace);
