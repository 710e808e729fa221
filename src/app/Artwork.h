#pragma once

#include <QIcon>
#include <QPixmap>

//! The splash picture: the cover of the companion book, a star field with red nebulosity
//! and the book's title, edition and author. Drawn afresh from a fixed seed, so it is the
//! same picture on every run and owes nothing to a file. `scale` is the screen's device pixel
//! ratio: the picture keeps its 515 x 262 size and gets that many more pixels.
QImage SplashPicture(qreal scale = 1.0);

//! The program icon drawn at one size, side × side pixels; the desktop's icon files are
//! made from it too.
QImage ProgramIconImage(int side);

//! The program icon: a small refractor against a starry sky, drawn at whatever size and
//! resolution a desktop asks for.
QIcon ProgramIcon();
