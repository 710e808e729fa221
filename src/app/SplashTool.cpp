// Draws the splash picture for one device pixel ratio and writes it as raw pixels, which the
// build takes into the program's resources. The picture has one source, the drawing in
// Artwork.cpp; the program draws it itself only for the ratios the build did not.

#include "ui/Artwork.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    const int scale = argc == 3 ? std::atoi(argv[1]) : 0;
    if (scale < 1) {
        std::fputs("usage: orvalis-splash-tool <device pixel ratio> <file>\n", stderr);
        return 2;
    }
    // The title is text, so the fonts must be there; no screen is needed. Text is drawn as on
    // a screen of this ratio (on a high-resolution screen, glyphs are not hinted).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QGuiApplication application(argc, argv);
    const QImage picture = SplashPicture(scale);
    QSaveFile file(QString::fromLocal8Bit(argv[2]));
    const auto size = picture.sizeInBytes();
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(picture.constBits()), size) != size || !file.commit()) {
        std::fprintf(stderr, "orvalis-splash-tool: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
