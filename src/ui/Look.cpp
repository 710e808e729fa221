#include "ui/Look.h"

QFont PixelFont(int pixels, bool bold, const QString& face)
{
    QFont font(face);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
