#pragma once

#include <QColor>
#include <QFont>
#include <QString>

//! Faces standing in for the original "MS Sans Serif" and "Times New Roman".
inline const QString SansFace = QStringLiteral("Liberation Sans");
inline const QString SerifFace = QStringLiteral("Liberation Serif");

inline const QColor Navy(0, 0, 128);
inline const QColor Silver(192, 192, 192);

//! A font of the given pixel height: the windows are laid out in pixels. A window takes its
//! base font before its setupUi(), so that its controls are made in that font rather than
//! made in the desktop's and laid out afresh when the window's font reaches them.
QFont PixelFont(int pixels, bool bold = false, const QString& face = SansFace);
