#include "sky/NightChart.h"

#include "ui/Look.h"
#include "ui/NightVision.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// The plot's margins, pixels: room for the altitude labels on the left and the clock below.
constexpr double Left = 34;
constexpr double Right = 14;
constexpr double Top = 8;
constexpr double Bottom = 34;
constexpr double HighestDrawn = 90; //!< degrees at the top of the plot

//! The bands under the curves, from day to night: the Sun above the horizon, in civil,
//! nautical and astronomical twilight, and below -18 degrees.
const QColor DayBand(150, 178, 214);
const QColor CivilBand(96, 118, 168);
const QColor NauticalBand(58, 70, 118);
const QColor AstronomicalBand(34, 40, 78);
const QColor NightBand = FieldSky;
const QColor LowestLine(240, 200, 80);
const QColor DarkSpan(120, 220, 140);
const QColor NowLine(255, 255, 255);

struct Colours
{
    QColor Background, Day, Civil, Nautical, Astronomical, Night, Target, Moon, Lowest, Dark, Now, Text;
};

Colours ColoursFor(bool night)
{
    using NightVision::Role;
    const auto shown = [night](const QColor& day, Role role) { return night ? NightVision::InRed(day, role) : day; };
    return {shown(Silver, Role::Background),        shown(DayBand, Role::Picture),
            shown(CivilBand, Role::Picture),        shown(NauticalBand, Role::Picture),
            shown(AstronomicalBand, Role::Picture), shown(NightBand, Role::Picture),
            shown(FieldTarget, Role::Picture),      shown(FieldMoon, Role::Picture),
            shown(LowestLine, Role::Picture),       shown(DarkSpan, Role::Picture),
            shown(NowLine, Role::Picture),          shown(Qt::black, Role::Foreground)};
}

//! The band of the sky for the Sun at `altitude` degrees (its centre, unrefracted).
const QColor& BandFor(const Colours& colours, double altitude)
{
    if (altitude > -(34.0 + 16.0) / 60)
        return colours.Day;
    if (altitude > CivilLevel)
        return colours.Civil;
    if (altitude > NauticalLevel)
        return colours.Nautical;
    if (altitude > AstronomicalLevel)
        return colours.Astronomical;
    return colours.Night;
}

} // namespace

NightChart::NightChart(QWidget* parent)
    : DrawnPicture(parent)
{
}

void NightChart::SetNight(const std::optional<NightSky>& night, Clock clock, ClockHours hours, int moonPercent)
{
    m_night = night;
    m_clock = std::move(clock);
    m_hours = std::move(hours);
    m_moonPercent = moonPercent;
    update();
}

void NightChart::SetNow(std::optional<double> utc)
{
    if (utc == m_now)
        return;
    m_now = utc;
    update();
}

void NightChart::Draw(QPainter& painter, QSizeF area, bool night) const
{
    const Colours colours = ColoursFor(night);
    painter.fillRect(QRectF(QPointF(0, 0), area), colours.Background);
    if (!m_night || m_night->Curves.Times.size() < 2 || !(m_night->End > m_night->Start))
        return;
    const NightSky& n = *m_night;
    const NightCurves& curves = n.Curves;
    const QRectF plot(Left, Top, area.width() - Left - Right, area.height() - Top - Bottom);
    const auto x = [&](double utc) { return plot.left() + (utc - n.Start) / (n.End - n.Start) * plot.width(); };
    const auto y = [&](double altitude) {
        return plot.bottom() - std::clamp(altitude, 0.0, HighestDrawn) / HighestDrawn * plot.height();
    };

    // The bands: each stretch between samples in the colour of the Sun's altitude at its
    // middle, so a band changes where the Sun crosses its level, to within half a sample.
    for (std::size_t i = 0; i + 1 < curves.Times.size(); ++i) {
        const double middle = (curves.Sun[i] + curves.Sun[i + 1]) / 2;
        painter.fillRect(QRectF(QPointF(x(curves.Times[i]), plot.top()), QPointF(x(curves.Times[i + 1]), plot.bottom())),
                         BandFor(colours, middle));
    }
    painter.setRenderHint(QPainter::Antialiasing);

    // The altitude scale every 30 degrees, the clock every two hours.
    painter.setFont(font());
    const QFontMetricsF metrics(font());
    painter.setPen(QPen(colours.Text, 1));
    for (int altitude = 0; altitude <= 90; altitude += 30) {
        const QString text = QStringLiteral("%1\u00B0").arg(altitude);
        painter.drawText(QPointF(plot.left() - 4 - metrics.horizontalAdvance(text), y(altitude) + metrics.ascent() / 2 - 1), text);
    }
    if (m_hours && m_clock) {
        // The first even hour of the clock after the start, then every two hours; the clock's
        // own hours, so a change to summer time shows as it is.
        for (double at = n.Start; at <= n.End; at += 300) {
            const double hours = m_hours(at);
            if (std::fmod(std::round(hours * 60), 120) != 0)
                continue;
            const double px = x(at);
            painter.setPen(QPen(colours.Text, 1));
            painter.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 4));
            // The hour alone ("14"), so that twelve labels fit side by side.
            const QString text = m_clock(at).left(2);
            painter.drawText(QPointF(px - metrics.horizontalAdvance(text) / 2, plot.bottom() + 4 + metrics.ascent()), text);
        }
    }

    // The lowest altitude worth photographing at.
    painter.setPen(QPen(colours.Lowest, 1, Qt::DashDotLine));
    painter.drawLine(QPointF(plot.left(), y(n.LowestAltitude)), QPointF(plot.right(), y(n.LowestAltitude)));

    // The curves, clipped to the plot: below the horizon they run along its bottom edge.
    const auto curve = [&](const std::vector<double>& altitudes) {
        QPainterPath path;
        for (std::size_t i = 0; i < curves.Times.size(); ++i) {
            const QPointF point(x(curves.Times[i]), y(altitudes[i]));
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        return path;
    };
    painter.save();
    painter.setClipRect(plot);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colours.Moon, 1.5, Qt::DashLine));
    painter.drawPath(curve(curves.Moon));
    painter.setPen(QPen(colours.Target, 2.5));
    painter.drawPath(curve(curves.Target));
    painter.restore();

    // The Moon's percentage at its highest point in the night, where it is up.
    const auto highest = std::max_element(curves.Moon.begin(), curves.Moon.end());
    if (highest != curves.Moon.end() && *highest > 0) {
        const std::size_t i = static_cast<std::size_t>(highest - curves.Moon.begin());
        const QString text = QStringLiteral("Moon %1%").arg(m_moonPercent);
        const double left = std::clamp(x(curves.Times[i]) - metrics.horizontalAdvance(text) / 2, plot.left() + 2,
                                       plot.right() - 2 - metrics.horizontalAdvance(text));
        painter.setPen(colours.Moon);
        painter.drawText(QPointF(left, std::max(y(*highest) - 4, plot.top() + metrics.ascent())), text);
    }

    // The spans both dark and high enough, as bars along the time axis.
    for (const TimeSpan& span : n.DarkAbove)
        painter.fillRect(QRectF(QPointF(x(span.Start), plot.bottom() - 5), QPointF(x(span.End), plot.bottom())), colours.Dark);

    if (m_now && *m_now >= n.Start && *m_now <= n.End) {
        painter.setPen(QPen(colours.Now, 1));
        painter.drawLine(QPointF(x(*m_now), plot.top()), QPointF(x(*m_now), plot.bottom()));
        painter.drawText(QPointF(x(*m_now) + 3, plot.top() + metrics.ascent()), QStringLiteral("now"));
    }
    painter.setPen(QPen(colours.Text, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}
