#include "field/SensorPicture.h"

#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"
#include "ui/Look.h"
#include "ui/NightVision.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Margin = 8;              // pixels between the picture's edge and what it shows
constexpr double SmallestMark = 3;        // pixels: a smaller Moon or Jupiter is marked at this size
constexpr double JupiterGap = 6;          // pixels between the Moon and Jupiter

constexpr double CompassArm = 18;        // pixels from the compass's centre to an arrow's tip
constexpr double CentreMark = 7;          // pixels from the centre mark's middle to its ring
constexpr int DenseMosaic = 100;          // panels: more are drawn as the mosaic's outline alone

struct Colours
{
    QColor Background, Sky, Moon, Jupiter, Outline, Circle, Target, Text;
};

//! The day design's colours, or what night vision makes of them where `night`.
Colours ColoursFor(bool night)
{
    using NightVision::Role;
    const auto shown = [night](const QColor& day, Role role) { return night ? NightVision::InRed(day, role) : day; };
    return {shown(Silver, Role::Background),        shown(FieldSky, Role::Background),
            shown(FieldMoon, Role::Picture),        shown(FieldJupiter, Role::Picture),
            shown(FieldOutline, Role::Foreground),  shown(FieldCircle, Role::Picture),
            shown(FieldTarget, Role::Picture),      shown(FieldMoon, Role::Foreground)};
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

//! A mark's name and size, in hundredths of a mm, or thousandths below a tenth, as the figures
//! write Jupiter's smallest images, so that a label never reads "0.00 mm".
QString SizeLabel(const QString& name, double mm)
{
    return QStringLiteral("%1 %2 mm").arg(name, QString::fromStdString(FormatFixed(15, mm < 0.1 ? 3 : 2, mm)));
}

//! A line with the labels' edge under it, so that it reads on every colour of the picture.
void DrawEdgedLine(QPainter& painter, QPointF from, QPointF to, const QColor& edge, const QColor& colour)
{
    painter.setPen(QPen(edge, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
}

//! A direction `degrees` counter-clockwise from the picture's up, as a unit vector (y down).
QPointF Direction(double degrees)
{
    const double radians = qDegreesToRadians(degrees);
    return {-std::sin(radians), -std::cos(radians)};
}

//! Arrows to the sky's north and east in the picture's lower left corner, with room for their
//! letters at any angle. The frame's up direction has the position angle `cameraAngle`, and
//! position angles turn from north towards east, counter-clockwise on the sky as seen: north
//! lies `cameraAngle` clockwise from up, and east a quarter turn counter-clockwise from north.
void DrawCompass(QPainter& painter, QSizeF area, int cameraAngle, const QFont& font, const QColor& edge,
                 const QColor& colour)
{
    const QFontMetricsF metrics(font);
    const double reach = CompassArm + metrics.height();
    const QPointF centre(Margin + reach, area.height() - Margin - reach);
    const auto arrow = [&](double degrees, const QString& letter) {
        const QPointF direction = Direction(degrees);
        const QPointF tip = centre + direction * CompassArm;
        const QPointF side(-direction.y(), direction.x());
        DrawEdgedLine(painter, centre, tip, edge, colour);
        DrawEdgedLine(painter, tip, tip - direction * 5 + side * 4, edge, colour);
        DrawEdgedLine(painter, tip, tip - direction * 5 - side * 4, edge, colour);
        const QPointF place = centre + direction * (CompassArm + metrics.height() * 0.6);
        DrawLabel(painter, letter, place.x() - metrics.horizontalAdvance(letter) / 2, place.y(), font, edge, colour);
    };
    arrow(-cameraAngle, QStringLiteral("N"));
    arrow(90 - cameraAngle, QStringLiteral("E"));
}

//! The frame with a catalogue target and the mosaic it takes; see SensorPicture.
void DrawTarget(QPainter& painter, QSizeF area, const SensorFieldSizes& frame, const TargetSizes& target,
                const Colours& colours, const QFont& font)
{
    // The mosaic's panels, each the frame's size, step by a panel less the overlap.
    const double stepAcross = frame.FrameWidthMm * (1 - target.Overlap);
    const double stepDown = frame.FrameHeightMm * (1 - target.Overlap);
    const double mosaicWidth = frame.FrameWidthMm + (target.Columns - 1) * stepAcross;
    const double mosaicHeight = frame.FrameHeightMm + (target.Rows - 1) * stepDown;
    const double scale = std::min((area.width() - 2 * Margin) / std::max(mosaicWidth, target.AcrossMm),
                                  (area.height() - 2 * Margin) / std::max(mosaicHeight, target.DownMm));
    const QPointF centre(area.width() / 2, area.height() / 2);
    const auto centred = [&centre, scale](double widthMm, double heightMm) {
        const QSizeF size(widthMm * scale, heightMm * scale);
        return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
    };

    // The mosaic covers sky, as the frame does; the target over it.
    const QRectF mosaic = centred(mosaicWidth, mosaicHeight);
    const QRectF frameRect = centred(frame.FrameWidthMm, frame.FrameHeightMm);
    painter.setPen(Qt::NoPen);
    painter.fillRect(mosaic, colours.Sky);
    painter.fillRect(frameRect, colours.Sky);

    const double major = target.MajorMm * scale;
    const bool mark = !target.Marked && std::max(target.AcrossMm, target.DownMm) * scale < SmallestMark;
    if (!target.Marked) {
        painter.save();
        painter.translate(centre);
        painter.rotate(-target.TiltDegrees); // counter-clockwise on the picture
        painter.setBrush(colours.Target);
        if (mark)
            painter.drawEllipse(QPointF(0, 0), SmallestMark / 2, SmallestMark / 2);
        else
            painter.drawEllipse(QPointF(0, 0), target.MinorMm * scale / 2, major / 2);
        painter.restore();
    }

    // The panels as thin dashed outlines, or with very many of them the mosaic's outline alone;
    // the frame's solid outline over them, just inside its edge so that it keeps its size to
    // scale.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.Circle, 1, Qt::DashLine));
    if (target.Columns * target.Rows > DenseMosaic) {
        painter.drawRect(mosaic.adjusted(0.5, 0.5, -0.5, -0.5));
    } else if (target.Columns * target.Rows > 1) {
        const QSizeF panel = frameRect.size();
        for (int column = 0; column < static_cast<int>(target.Columns); ++column)
            for (int row = 0; row < static_cast<int>(target.Rows); ++row)
                painter.drawRect(QRectF(mosaic.topLeft() + QPointF(column * stepAcross * scale, row * stepDown * scale), panel)
                                     .adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.setPen(QPen(colours.Outline, 1));
    painter.drawRect(frameRect.adjusted(0.5, 0.5, -0.5, -0.5));

    if (target.Marked) {
        // Nothing to draw to scale: a ring with a cross at the centre, where the target lies,
        // and its name under it; the angle changes nothing, so no compass either.
        const QPointF across(CentreMark + 3, 0);
        const QPointF down(0, CentreMark + 3);
        painter.setPen(QPen(colours.Sky, 3));
        painter.drawEllipse(centre, CentreMark, CentreMark);
        painter.setPen(QPen(colours.Target, 1.5));
        painter.drawEllipse(centre, CentreMark, CentreMark);
        DrawEdgedLine(painter, centre - across, centre + across, colours.Sky, colours.Target);
        DrawEdgedLine(painter, centre - down, centre + down, colours.Sky, colours.Target);
        const QFontMetricsF metrics(font);
        const QString text = QString::fromStdString(target.Label);
        DrawLabel(painter, text, centre.x() - metrics.horizontalAdvance(text) / 2,
                  centre.y() + CentreMark + 3 + metrics.height(), font, colours.Sky, colours.Text);
        return;
    }
    if (mark) {
        const QFontMetricsF metrics(font);
        const QString text = SizeLabel(QString::fromStdString(target.Label), target.MajorMm);
        const double width = metrics.horizontalAdvance(text);
        const double right = centre.x() + SmallestMark / 2 + 3;
        const double left = right + width <= area.width() - 2 ? right : centre.x() - SmallestMark / 2 - 3 - width;
        DrawLabel(painter, text, left, centre.y(), font, colours.Sky, colours.Text);
    }
    DrawCompass(painter, area, target.CameraAngle, font, colours.Sky, colours.Text);
}

} // namespace

SensorPicture::SensorPicture(QWidget* parent)
    : DrawnPicture(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SensorPicture::SetSizes(const std::optional<SensorFieldSizes>& sizes, const std::optional<TargetSizes>& target)
{
    // The window recomputes at every keystroke in the exposure calculator, which changes
    // nothing drawn: the picture is painted again only when it changes.
    const std::optional<TargetSizes> drawn = sizes ? target : std::nullopt;
    if (sizes == m_sizes && drawn == m_target)
        return;
    m_sizes = sizes;
    m_target = drawn;
    update();
}

void SensorPicture::Draw(QPainter& painter, QSizeF area, bool night) const
{
    const Colours colours = ColoursFor(night);
    painter.fillRect(QRectF(QPointF(0, 0), area), colours.Background);
    if (!m_sizes)
        return;
    const SensorFieldSizes& s = *m_sizes;
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_target) {
        DrawTarget(painter, area, s, *m_target, colours, font());
        return;
    }

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
        const QString text = SizeLabel(QStringLiteral("Moon"), s.MoonMm);
        DrawLabel(painter, text, centre.x() - metrics.horizontalAdvance(text) / 2,
                  centre.y() + moonRadius + metrics.height(), font(), colours.Sky, colours.Text);
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
        const QString text = SizeLabel(QStringLiteral("Jupiter"), s.JupiterLargestMm);
        const double width = metrics.horizontalAdvance(text);
        const double right = place.x() + jupiter / 2 + 3;
        const double left = right + width <= area.width() - 2 ? right : place.x() - jupiter / 2 - 3 - width;
        DrawLabel(painter, text, left, place.y(), font(), colours.Sky, colours.Text);
    }
}
