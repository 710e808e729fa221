#pragma once

#include <QIcon>
#include <QPixmap>

//! The splash picture: the cover of the companion book, a star field with red nebulosity
//! and the book's title, edition and author. Drawn afresh from a fixed seed, so it is the
//! same picture on every run and owes nothing to a file. `scale` is the screen's device pixel
//! ratio: the picture keeps its 515 x 262 size and gets that many more pixels.
QImage SplashPicture(qreal scale = 1.0);

//! The splash picture's size in its own units: 515 x 262 pixels at a device pixel ratio of 1.
inline constexpr QSize SplashSize(515, 262);

//! The name of the file in which the build keeps the splash picture drawn at a device pixel
//! ratio of `scale` (1 or 2): its raw pixels, row after row, in QImage::Format_RGB32.
QString StoredSplashName(int scale);

//! The splash picture for a screen of the given device pixel ratio: the one the build drew and
//! keeps among the program's resources under ":/art/" when there is one for that ratio, so
//! start-up does not spend its time painting a nebula; otherwise drawn now. (Night vision
//! turns it red itself, the first time it shows the splash.)
QImage SplashPictureFor(qreal scale);

//! The program icon drawn at one size, side × side pixels; the desktop's icon files are
//! made from it too.
QImage ProgramIconImage(int side);

//! The sizes at which the program icon goes to the window manager with every window: those of
//! a title bar or a task switcher, up to twice them for high-resolution screens.
inline constexpr int ProgramIconSides[] = {16, 24, 32, 48, 64};

//! The name of the file in which the build keeps the program icon drawn at every one of
//! ProgramIconSides, in that order: the raw pixels of each, row after row, in
//! QImage::Format_ARGB32_Premultiplied.
QString StoredIconName();

//! The program icon: a small refractor against a starry sky, at whatever size and resolution
//! a desktop asks for. The sizes of ProgramIconSides are the build's, kept among the program's
//! resources under ":/art/", so that making the first window does not paint five icons;
//! others are drawn when asked for.
QIcon ProgramIcon();
