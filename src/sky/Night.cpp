#include "sky/Night.h"

#include "numeric/Arithmetic.h"
#include "numeric/VectorState.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double LongestNight = 2 * 86400;

//! The Sun against a level, read from the spans where it is below it. Where it dips below
//! more than once (close to the polar day, when it skims the level), the night is the longest
//! of them.
SunPassage PassageBelow(const std::vector<TimeSpan>& below, double start, double end)
{
    SunPassage passage;
    if (below.empty()) {
        passage.Passage = SunPassage::Kind::StaysAbove;
        return passage;
    }
    const TimeSpan night = *std::max_element(below.begin(), below.end(), [](const TimeSpan& a, const TimeSpan& b) {
        return a.End - a.Start < b.End - b.Start;
    });
    if (night.Start <= start && night.End >= end) {
        passage.Passage = SunPassage::Kind::StaysBelow;
        return passage;
    }
    if (night.Start > start)
        passage.Down = night.Start;
    if (night.End < end)
        passage.Up = night.End;
    return passage;
}

} // namespace

NightSky ComputeNight(double start, double end, const Place& place, const Target& target, double lowestAltitude)
{
    if (!(std::isfinite(start) && end > start && end - start <= LongestNight && std::abs(lowestAltitude) <= 90))
        throw InvalidOperationError();
    ClearVectorState();
    NightSky night;
    night.Start = start;
    night.End = end;
    night.LowestAltitude = lowestAltitude;

    // Every body at every sample, each sample one ERFA context for all three.
    CurveSamples sunRising, sunCentre, moonRising, targetAltitude;
    for (double t = start;; t = std::min(t + CurveStep, end)) {
        const SkyPlaces sky = ComputePlaces(t, place, target);
        night.DubiousYear = night.DubiousYear || sky.DubiousYear;
        for (CurveSamples* s : {&sunRising, &sunCentre, &moonRising, &targetAltitude})
            s->Times.push_back(t);
        sunRising.Values.push_back(sky.Sun.AboveRisingLevel());
        sunCentre.Values.push_back(sky.Sun.Altitude);
        moonRising.Values.push_back(sky.Moon.AboveRisingLevel());
        night.Curves.Times.push_back(t);
        night.Curves.Target.push_back(sky.Target.Shown());
        night.Curves.Moon.push_back(sky.Moon.Shown());
        night.Curves.Sun.push_back(sky.Sun.Shown());
        if (t >= end)
            break;
    }
    targetAltitude.Values = night.Curves.Target;

    // Between samples each body is computed alone, on the curve the event belongs to.
    const Curve sunRisingCurve = [&](double t) { return SunPlace(t, place).AboveRisingLevel(); };
    const Curve sunCentreCurve = [&](double t) { return SunPlace(t, place).Altitude; };
    const Curve moonRisingCurve = [&](double t) { return MoonPlace(t, place).AboveRisingLevel(); };
    const Curve targetCurve = [&](double t) { return TargetPlace(t, place, target).Shown(); };

    const auto below = [&](const CurveSamples& s, const Curve& curve, double level) {
        return Complement(SpansAbove(s, curve, level), start, end);
    };
    night.Sunset = PassageBelow(below(sunRising, sunRisingCurve, 0), start, end);
    night.Civil = PassageBelow(below(sunCentre, sunCentreCurve, CivilLevel), start, end);
    night.Nautical = PassageBelow(below(sunCentre, sunCentreCurve, NauticalLevel), start, end);
    const std::vector<TimeSpan> dark = below(sunCentre, sunCentreCurve, AstronomicalLevel);
    night.Astronomical = PassageBelow(dark, start, end);

    night.MoonUpAtStart = moonRising.Values.front() > 0;
    night.Moon = FindCrossings(moonRising, moonRisingCurve, 0);
    const std::vector<TimeSpan> moonDown = Complement(SpansAbove(moonRising, moonRisingCurve, 0), start, end);

    night.Transits = FindCulminations(targetAltitude, targetCurve);
    night.Highest = *std::max_element(targetAltitude.Values.begin(), targetAltitude.Values.end());
    for (const Culmination& c : night.Transits)
        night.Highest = std::max(night.Highest, c.Value);
    night.Above = SpansAbove(targetAltitude, targetCurve, lowestAltitude);
    night.DarkAbove = Intersect(night.Above, dark);
    night.DarkAboveMoonDown = Intersect(night.DarkAbove, moonDown);
    night.Dark = dark;
    night.MoonDown = moonDown;
    return night;
}
