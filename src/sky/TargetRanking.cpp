#include "sky/TargetRanking.h"

#include "sky/Night.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

//! The geometric altitude whose shown altitude is `shown`, degrees.
double GeometricFor(double shown)
{
    double low = -90, high = 90;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (ShownAltitude(middle) < shown ? low : high) = middle;
    }
    return (low + high) / 2;
}

//! The Moon's apparent place through the night, sampled and interpolated: it moves half a
//! degree an hour, so that ten minutes apart the straight line between samples is off by far
//! less than the whole degree the distance is shown in.
class MoonTrack
{
public:
    MoonTrack(double start, double end, const Place& place)
        : m_start(start)
    {
        for (double t = start;; t = std::min(t + Step, end)) {
            double ri = 0, di = 0;
            MoonApparentPlace(t, place, ri, di);
            // Unwrapped, so that the interpolation never runs the long way round.
            if (!m_ri.empty())
                ri = m_ri.back() + std::remainder(ri - m_ri.back(), 2 * std::numbers::pi);
            m_ri.push_back(ri);
            m_di.push_back(di);
            if (t >= end)
                break;
        }
    }

    void At(double utc, double& ri, double& di) const
    {
        const double position = std::clamp((utc - m_start) / Step, 0.0, static_cast<double>(m_ri.size() - 1));
        const auto i = std::min(static_cast<std::size_t>(position), m_ri.size() - 1);
        const std::size_t j = std::min(i + 1, m_ri.size() - 1);
        const double f = position - static_cast<double>(i);
        ri = m_ri[i] + (m_ri[j] - m_ri[i]) * f;
        di = m_di[i] + (m_di[j] - m_di[i]) * f;
    }

private:
    static constexpr double Step = 600;
    double m_start;
    std::vector<double> m_ri, m_di;
};

} // namespace

double ShownAltitude(double altitude)
{
    const double refracted = altitude + Refraction(altitude);
    return refracted >= 0 ? refracted : altitude;
}

NightRanking RankNight(const Catalogue& catalogue, double start, double end, const Place& place, double lowestAltitude)
{
    // The Sun and the Moon as Tonight finds them; its target is not looked at.
    const NightSky night = ComputeNight(start, end, place, Target{}, lowestAltitude); // clears the vector state
    NightRanking ranking;
    ranking.Dark = night.Dark;
    ranking.MoonDown = night.MoonDown;
    ranking.DubiousYear = night.DubiousYear;

    const std::vector<SkyObject>& objects = catalogue.Objects();
    const double middle = (start + end) / 2;
    const TurningSky sky = ComputeTurningSky(
        middle, place, objects.size(), [&](std::size_t i) { return objects[i].RightAscension() * 15; },
        [&](std::size_t i) { return objects[i].Declination(); });
    const MoonTrack moon(start, end, place);

    // Above the lowest altitude while the hour angle lies within ±h0, where the geometric
    // altitude reaches the level whose shown altitude is the lowest.
    const double level = std::sin(GeometricFor(lowestAltitude) * std::numbers::pi / 180);
    const double rate = TurningSky::TurnRate;
    const double turn = 2 * std::numbers::pi / rate; // a sidereal day, seconds
    ranking.Objects.resize(objects.size());
    std::vector<TimeSpan> above;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        ObjectNight& result = ranking.Objects[i];
        const double sinDec = std::sin(sky.Di[i]);
        const double cosDec = std::cos(sky.Di[i]);
        // Its upper culminations: the hour angle is 0 there.
        const double transit = middle - sky.HourAngle(i, middle) / rate;
        const double denominator = sky.CosLatitude * cosDec;
        const double cosine = denominator > 1e-12 ? (level - sky.SinLatitude * sinDec) / denominator
                                                  : (sky.SinLatitude * sinDec > level ? -2 : 2);
        above.clear();
        if (cosine <= -1) {
            above.push_back({start, end});
        } else if (cosine < 1) {
            const double halfArc = std::acos(cosine) / rate;
            const double first = transit + std::floor((start - transit) / turn) * turn;
            for (double t = first; t - halfArc < end; t += turn) {
                const TimeSpan span{std::max(start, t - halfArc), std::min(end, t + halfArc)};
                if (span.End > span.Start)
                    above.push_back(span);
            }
        }
        const std::vector<TimeSpan> darkAbove = Intersect(above, ranking.Dark);
        result.DarkAndUp = TotalLength(darkAbove);
        result.MoonDown = TotalLength(Intersect(darkAbove, ranking.MoonDown));

        // Highest in the dark: at a culmination inside a dark span, else at the span's edge
        // nearer to one.
        double bestAltitude = -91;
        for (const TimeSpan& dark : ranking.Dark) {
            const double culmination = transit + std::ceil((dark.Start - transit) / turn) * turn;
            for (const double t : {dark.Start, dark.End, culmination}) {
                if (t < dark.Start || t > dark.End)
                    continue;
                const double altitude = sky.Altitude(i, sky.HourAngle(i, t));
                if (altitude > bestAltitude) {
                    bestAltitude = altitude;
                    result.Best = t;
                }
            }
        }
        if (result.Best) {
            result.BestAltitude = ShownAltitude(bestAltitude);
            double moonRi = 0, moonDi = 0;
            moon.At(*result.Best, moonRi, moonDi);
            result.MoonDistance = Separation(sky.Ri[i], sky.Di[i], moonRi, moonDi);
        }
    }
    return ranking;
}
