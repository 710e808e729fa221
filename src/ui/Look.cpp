#include "ui/Look.h"

QFont PixelFont(int pixels, bool bold, const QString& face)
{
    QFont font(face);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

namespace {

bool NightOn = false;

} // namespace

bool NightVisionOn()
{
    return NightOn;
}

void SetNightVisionShown(bool on)
{
    NightOn = on;
}

QColor Shown(const QColor& design, bool background)
{
    if (!NightOn || !design.isValid())
        return design;
    if (!background)
        return Night::Text;
    const int lightness = design.lightness();
    return lightness < 100 ? Night::Black : lightness < 230 ? Night::Dark : Night::Darker;
}

QImage InNightRed(const QImage& picture)
{
    QImage red = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < red.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(red.scanLine(y));
        for (int x = 0; x < red.width(); ++x) {
            // Pure red stays (only its brightest is toned down), so a picture turned red once
            // stays as it is.
            const QRgb pixel = line[x];
            const int shade = qGreen(pixel) == 0 && qBlue(pixel) == 0 ? qMin(qRed(pixel), Night::MostRed)
                                                                       : qGray(pixel) * Night::MostRed / 255;
            line[x] = qRgba(shade, 0, 0, qAlpha(pixel));
        }
    }
    return red;
}
