#include "optics/SensorPicture.h"

#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"
#include "ui/Look.h"
#include "ui/NightVision.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double Margin = 8;              // pixels between the picture's edge and what it shows
constexpr double SmallestJupiter = 3;     // pixels: a smaller Jupiter is marked at this size
constexpr double JupiterGap = 6;          // pixels between the Moon and Jupiter

struct Colours
{
    QColor Background, Sky, Moon, Jupiter, Outline, Circle, Text;
};

//! The day design's colours, or what night vision makes of them where `night`.
Colours ColoursFor(bool night)
{
    using NightVision::Role;
    const auto shown = [night](const QColor& day, Role role) { return night ? NightVision::InRed(day, role) : day; };
    return {shown(Silver, Role::Background),        shown(FieldSky, Role::Background),
            shown(FieldMoon, Role::Picture),        shown(FieldJupiter, Role::Picture),
            shown(FieldOutline, Role::Foreground),  shown(FieldCircle, Role::Picture),
            shown(FieldMoon, Role::Foreground)};
}

} // namespace

SensorPicture::SensorPicture(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SensorPicture::SetSizes(const std::optional<SensorFieldSizes>& sizes)
{
    m_sizes = sizes;
    update();
}

QImage SensorPicture::Image(int factor) const
{
    QImage image(size() * factor, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.scale(factor, factor);
    Draw(painter, size(), false);
    return image;
}

void SensorPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Draw(painter, size(), NightVision::On());
}

void SensorPicture::Draw(QPainter& painter, QSizeF area, bool night) const
{
    const Colours colours = ColoursFor(night);
    painter.fillRect(QRectF(QPointF(0, 0), area), colours.Background);
    if (!m_sizes)
        return;
    const SensorFieldSizes& s = *m_sizes;
    painter.setRenderHint(QPainter::Antialiasing);

    // One scale, pixels per mm, for the frame and the Moon alike.
    const double scale = std::min((area.width() - 2 * Margin) / std::max(s.FrameWidthMm, s.MoonMm),
                                  (area.height() - 2 * Margin) / std::max(s.FrameHeightMm, s.MoonMm));
    const QPointF centre(area.width() / 2, area.height() / 2);
    const QSizeF frameSize(s.FrameWidthMm * scale, s.FrameHeightMm * scale);
    const QRectF frame(centre - QPointF(frameSize.width() / 2, frameSize.height() / 2), frameSize);
    const double moonRadius = s.MoonMm * scale / 2;

    painter.setPen(Qt::NoPen);
    painter.fillRect(frame, colours.Sky);
    painter.setBrush(colours.Moon);
    painter.drawEllipse(centre, moonRadius, moonRadius);
    if (s.Film) {
        const double circleRadius = CentralCircleMm * scale / 2;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.Circle, 1, Qt::DashLine));
        painter.drawEllipse(centre, circleRadius, circleRadius);
    }
    // The frame's outline over the Moon, so the frame stays visible where the Moon overflows
    // it; drawn just inside the frame's edge, so the frame keeps its size to scale.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.Outline, 1));
    painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));

    // Jupiter beside the Moon, to its right, or in the picture's corner where there is no room.
    const double jupiterTrue = s.JupiterLargestMm * scale;
    const double jupiter = std::max(jupiterTrue, SmallestJupiter);
    QPointF place(centre.x() + moonRadius + JupiterGap + jupiter / 2, centre.y());
    if (place.x() + jupiter / 2 > area.width() - Margin / 2)
        place = QPointF(area.width() - Margin / 2 - jupiter / 2, Margin / 2 + jupiter / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.Jupiter);
    painter.drawEllipse(place, jupiter / 2, jupiter / 2);
    if (jupiterTrue < SmallestJupiter) {
        // Too small to see at this scale: the mark says what it stands for, beside it where
        // there is room, in light letters edged with the sky's colour, so that they read on
        // the sky, the Moon and the background alike.
        const QString text = QStringLiteral("Jupiter %1 mm").arg(QString::fromStdString(FormatFixed(15, 2, s.JupiterLargestMm)));
        const QFontMetricsF metrics(font());
        const double width = metrics.horizontalAdvance(text);
        const double right = place.x() + jupiter / 2 + 3;
        const double left = right + width <= area.width() - 2 ? right : place.x() - jupiter / 2 - 3 - width;
        QPainterPath path;
        path.addText(QPointF(left, place.y() + metrics.ascent() / 2 - 1), font(), text);
        painter.strokePath(path, QPen(colours.Sky, 3));
        painter.fillPath(path, colours.Text);
    }
}
