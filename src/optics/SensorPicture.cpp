#include "optics/SensorPicture.h"

#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"
#include "ui/Look.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

constexpr double Margin = 8;              // pixels between the picture's edge and what it shows
constexpr double SmallestMark = 3;        // pixels: a smaller Moon or Jupiter is marked at this size
constexpr double JupiterGap = 6;          // pixels between the Moon and Jupiter

struct Colours
{
    QColor Background, Sky, Moon, Jupiter, Outline, Circle;
};

Colours ColoursFor(bool night)
{
    if (night)
        return {Night::Dark, Night::Black, Night::FieldMoon, Night::FieldJupiter, Night::Mark, Night::FieldCircle};
    return {Silver, FieldSky, FieldMoon, FieldJupiter, FieldOutline, FieldCircle};
}

//! Names a mark too small to see at the picture's scale, in light letters edged with the sky's
//! colour, so that they read on the sky, the Moon and the background alike. `left` is where
//! the text starts and `middle` the height of its middle.
void DrawLabel(QPainter& painter, const QString& text, double left, double middle, const QFont& font,
               const QColor& edge, const QColor& letters)
{
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.addText(QPointF(left, middle + metrics.ascent() / 2 - 1), font, text);
    painter.strokePath(path, QPen(edge, 3));
    painter.fillPath(path, letters);
}

QString SizeLabel(const char* name, double mm)
{
    return QStringLiteral("%1 %2 mm").arg(QLatin1String(name), QString::fromStdString(FormatFixed(15, 2, mm)));
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
    Draw(painter, size(), NightVisionOn());
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
    // A Moon or a Jupiter too small to see at this scale is marked at the smallest size that
    // shows, and named beside its mark.
    const double moonTrue = s.MoonMm * scale;
    const double moonRadius = std::max(moonTrue, SmallestMark) / 2;
    const QColor letters = night ? Night::Text : colours.Moon;
    const QFontMetricsF metrics(font());

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
    if (moonTrue < SmallestMark) {
        // Under the mark, centred, a line below Jupiter's label, which lies level with the
        // Moon to its right.
        const QString text = SizeLabel("Moon", s.MoonMm);
        DrawLabel(painter, text, centre.x() - metrics.horizontalAdvance(text) / 2,
                  centre.y() + moonRadius + metrics.height(), font(), colours.Sky, letters);
    }

    // Jupiter beside the Moon, to its right, or in the picture's corner where there is no room.
    const double jupiterTrue = s.JupiterLargestMm * scale;
    const double jupiter = std::max(jupiterTrue, SmallestMark);
    QPointF place(centre.x() + moonRadius + JupiterGap + jupiter / 2, centre.y());
    if (place.x() + jupiter / 2 > area.width() - Margin / 2)
        place = QPointF(area.width() - Margin / 2 - jupiter / 2, Margin / 2 + jupiter / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.Jupiter);
    painter.drawEllipse(place, jupiter / 2, jupiter / 2);
    if (jupiterTrue < SmallestMark) {
        // Beside the mark, to its right where there is room, else to its left.
        const QString text = SizeLabel("Jupiter", s.JupiterLargestMm);
        const double width = metrics.horizontalAdvance(text);
        const double right = place.x() + jupiter / 2 + 3;
        const double left = right + width <= area.width() - 2 ? right : place.x() - jupiter / 2 - 3 - width;
        DrawLabel(painter, text, left, place.y(), font(), colours.Sky, letters);
    }
}
