// Draws the splash picture for one device pixel ratio, or the program icon at the sizes the
// windows hand the window manager, and writes the raw pixels, which the build takes into the
// program's resources. Each picture has one source, its drawing in Artwork.cpp; the program
// draws it itself only where the build did not.

#include "ui/Artwork.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QByteArray Pixels(const QImage& picture)
{
    return QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes());
}

} // namespace

int main(int argc, char* argv[])
{
    const bool icon = argc == 3 && std::strcmp(argv[1], "icon") == 0;
    const int scale = argc == 3 && !icon ? std::atoi(argv[1]) : 0;
    if (!icon && scale < 1) {
        std::fputs("usage: orvalis-splash-tool <device pixel ratio> <file>\n"
                   "       orvalis-splash-tool icon <file>\n",
                   stderr);
        return 2;
    }
    // The title is text, so the fonts must be there; no screen is needed. Text is drawn as on
    // a screen of this ratio (on a high-resolution screen, glyphs are not hinted).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!icon)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QGuiApplication application(argc, argv);
    QByteArray pixels;
    if (icon) {
        for (const int side : ProgramIconSides)
            pixels += Pixels(ProgramIconImage(side));
    } else {
        pixels = Pixels(SplashPicture(scale));
    }
    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(pixels) != pixels.size() || !file.commit()) {
        std::fprintf(stderr, "orvalis-splash-tool: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
