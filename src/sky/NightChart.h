#pragma once

#include "sky/Night.h"
#include "ui/DrawnPicture.h"

#include <QString>

#include <functional>
#include <optional>

//! The night at a glance: the target's altitude and the Moon's (dashed, with how much of it is
//! lit) from 12:00 to 12:00 against clock time, over the day and the three twilights as bands
//! darkening towards the night, with the lowest altitude as a line, the spans both dark and
//! high enough marked along the time axis, and "now" while the night is under way. It only
//! draws what the night's computation sampled, so a redraw costs no astronomy.
class NightChart : public DrawnPicture
{
public:
    explicit NightChart(QWidget* parent = nullptr);

    //! Writes a moment (UTC, POSIX seconds) as the chart's clock shows it: "21:37".
    using Clock = std::function<QString(double utc)>;
    //! The hours of a moment on the chart's clock (0 to 24), for the hour marks.
    using ClockHours = std::function<double(double utc)>;

    //! What to draw: a night, its clock, and the Moon's lit percentage; none draws the
    //! background alone.
    void SetNight(const std::optional<NightSky>& night, Clock clock = {}, ClockHours hours = {}, int moonPercent = 0);
    //! Marks `utc` as "now" where it lies in the night; none removes the mark.
    void SetNow(std::optional<double> utc);

private:
    void Draw(QPainter& painter, QSizeF area, bool night) const override;

    std::optional<NightSky> m_night;
    Clock m_clock;
    ClockHours m_hours;
    int m_moonPercent = 0;
    std::optional<double> m_now;
};
