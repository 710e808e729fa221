#include "sky/NightTexts.h"

#include "numeric/NumberText.h"

#include <cmath>

namespace {

constexpr const char* Missing = "\u2014";

//! Rounds to the nearest minute before the clock writes it: a clock drops the seconds, and
//! 21:36:40 is nearer 21:37.
std::string Clock(const ClockText& clock, double utc)
{
    return clock(std::round(utc / 60) * 60);
}

//! Whole degrees or percent, halves away from zero (as std::round does); never "-0".
std::string Whole(double value)
{
    const long rounded = std::lround(value);
    return std::to_string(rounded);
}

//! A degree figure as typed, without trailing zeros: 30 as "30", 22.5 as "22.5".
std::string Degrees(double degrees)
{
    return TrimmedFixed(2, degrees);
}

//! "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

//! The spans that hold a minute as the rows write them: a span whose ends round to the same
//! minute would read "05:44 to 05:44", and one shorter than half a minute "(0 min)".
std::vector<TimeSpan> Written(const std::vector<TimeSpan>& spans)
{
    std::vector<TimeSpan> written;
    for (const TimeSpan& s : spans)
        if (std::round(s.Start / 60) != std::round(s.End / 60) && std::lround((s.End - s.Start) / 60) > 0)
            written.push_back(s);
    return written;
}

std::vector<std::string> SpanTexts(const std::vector<TimeSpan>& spans, const ClockText& clock)
{
    std::vector<std::string> texts;
    for (const TimeSpan& s : spans)
        texts.push_back(Clock(clock, s.Start) + " to " + Clock(clock, s.End));
    return texts;
}

std::string DownAndUp(const SunPassage& sun, const ClockText& clock)
{
    return (sun.Down ? Clock(clock, *sun.Down) : Missing) + std::string(" / ") + (sun.Up ? Clock(clock, *sun.Up) : Missing);
}

} // namespace

std::string AboveCaption(double lowestAltitude)
{
    return "Above " + Degrees(lowestAltitude) + "°:";
}

std::string DarkAboveCaption(double lowestAltitude)
{
    return "Dark and above " + Degrees(lowestAltitude) + "°:";
}

std::string SunsetText(const SunPassage& sun, const ClockText& clock)
{
    switch (sun.Passage) {
    case SunPassage::Kind::StaysAbove:
        return "the Sun does not set";
    case SunPassage::Kind::StaysBelow:
        return "the Sun does not rise";
    case SunPassage::Kind::Crosses:
        break;
    }
    return DownAndUp(sun, clock);
}

std::string TwilightText(const SunPassage& sun, double level, const ClockText& clock)
{
    switch (sun.Passage) {
    case SunPassage::Kind::StaysAbove:
        return "never: the Sun stays above " + Degrees(level) + "°";
    case SunPassage::Kind::StaysBelow:
        return "all night: the Sun stays below " + Degrees(level) + "°";
    case SunPassage::Kind::Crosses:
        break;
    }
    return DownAndUp(sun, clock);
}

std::string MoonText(bool upAtStart, const std::vector<Crossing>& moon, const ClockText& clock)
{
    if (moon.empty())
        return upAtStart ? "up all night" : "down all night";
    std::string text;
    for (const Crossing& c : moon)
        text += (text.empty() ? "" : ", ") + std::string(c.Upward ? "rises " : "sets ") + Clock(clock, c.Time);
    return text;
}

std::string MoonLitText(const MoonLight& moon)
{
    return Whole(moon.LitFraction * 100) + "%, " + (moon.Waxing ? "waxing" : "waning");
}

std::string MoonFromTargetText(const MoonLight& moon)
{
    return Whole(moon.FromTarget) + "°";
}

std::string TransitsText(const std::vector<Culmination>& transits, const ClockText& clock)
{
    if (transits.empty())
        return std::string(Missing) + " (no transit in this night)";
    std::string text;
    for (const Culmination& c : transits) {
        if (!text.empty())
            text += ", ";
        text += Clock(clock, c.Time);
        // Below the horizon by less than half a degree would read "(0°)": it is said in words.
        if (c.Value >= 0)
            text += " at " + Whole(c.Value) + "°";
        else if (std::lround(c.Value) == 0)
            text += ", just below the horizon";
        else
            text += ", below the horizon (" + Whole(c.Value) + "°)";
    }
    return text;
}

std::string AboveText(const NightSky& night, const ClockText& clock)
{
    const std::vector<TimeSpan> above = Written(night.Above);
    if (above.empty())
        return "never: highest " + Whole(night.Highest) + "°";
    if (above.size() == 1 && above.front().Start <= night.Start && above.front().End >= night.End)
        return "all night";
    return Listed(SpanTexts(above, clock));
}

std::string DarkSpansText(const std::vector<TimeSpan>& spans, const ClockText& clock)
{
    const std::vector<TimeSpan> written = Written(spans);
    if (written.empty())
        return "none tonight";
    return Listed(SpanTexts(written, clock)) + " (" + DurationText(TotalLength(written)) + ")";
}

std::string DurationText(double seconds)
{
    const long minutes = std::lround(seconds / 60);
    const long hours = minutes / 60;
    if (hours == 0)
        return std::to_string(minutes) + " min";
    if (minutes % 60 == 0)
        return std::to_string(hours) + " h";
    return std::to_string(hours) + " h " + std::to_string(minutes % 60) + " min";
}

std::string DubiousYearText(int year)
{
    if (year < 1960)
        return "Before 1960 there are no leap seconds to go by: times may be off by a few seconds.";
    return "Leap seconds after the astronomers' tables are not known yet: times may be off by a few seconds, "
           "more for years further ahead.";
}
