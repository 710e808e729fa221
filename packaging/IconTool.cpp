// Writes the program icon as the desktop's icon files, one PNG per size, into the folder
// layout of an icon theme: <folder>/<side>x<side>/apps/<name>.png. The icon has one source,
// the drawing the program itself uses for its windows.

#include "ui/Artwork.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("usage: orvalis-icon-tool <folder> <icon name> <side>...\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int side = std::atoi(argv[i]);
        if (side <= 0) {
            std::fprintf(stderr, "orvalis-icon-tool: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString size = QStringLiteral("%1x%1").arg(side);
        const QString apps = folder + QLatin1Char('/') + size + QStringLiteral("/apps");
        const QString file = apps + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(apps) || !ProgramIconImage(side).save(file, "PNG")) {
            std::fprintf(stderr, "orvalis-icon-tool: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
