#include "ui/DrawnPicture.h"

#include "ui/NightVision.h"

#include <QPainter>

QImage DrawnPicture::Image(int factor) const
{
    QImage image(size() * factor, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.scale(factor, factor);
    Draw(painter, size(), false);
    return image;
}

void DrawnPicture::DrawScaled(QPainter& painter, QSizeF area) const
{
    painter.save();
    painter.scale(area.width() / width(), area.height() / height());
    Draw(painter, size(), false);
    painter.restore();
}

void DrawnPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, size(), NightVision::On());
}
