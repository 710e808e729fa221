#pragma once

// One night for one place and one target: when the Sun and the Moon rise and set, the
// twilights, when the target culminates and when it stands high enough, in the dark, with the
// Moon down. All moments are UTC as POSIX seconds; the window turns them into clock times.

#include "sky/Crossings.h"
#include "sky/SkyPlaces.h"

#include <optional>
#include <vector>

//! How the Sun's centre passes one level in the night.
struct SunPassage
{
    enum class Kind
    {
        Crosses,    //!< it goes below the level, or comes up from it, or both
        StaysAbove, //!< never below it in the night
        StaysBelow, //!< below it all night
    };
    Kind Passage = Kind::Crosses;
    std::optional<double> Down; //!< when it goes below: none where the night starts below
    std::optional<double> Up;   //!< when it comes back: none where the night ends below
};

//! The altitudes drawn in the night's chart, precomputed so that a redraw only draws.
struct NightCurves
{
    std::vector<double> Times;  //!< UTC, POSIX seconds, every CurveStep from the start and the end
    std::vector<double> Target; //!< shown altitudes (see BodyPlace::Shown), degrees
    std::vector<double> Moon;
    std::vector<double> Sun;
};

//! Everything the night's rows and chart say.
struct NightSky
{
    double Start = 0;          //!< UTC, POSIX seconds
    double End = 0;
    double LowestAltitude = 0; //!< degrees, as asked

    SunPassage Sunset;       //!< the upper limb at the horizon: centre at -(34' + semi-diameter)
    SunPassage Civil;        //!< the centre at -6 degrees, geometric
    SunPassage Nautical;     //!< -12 degrees
    SunPassage Astronomical; //!< -18 degrees

    bool MoonUpAtStart = false;
    std::vector<Crossing> Moon; //!< its rises (upward) and sets, in order

    std::vector<Culmination> Transits; //!< the target's upper culminations, shown altitude in degrees
    double Highest = 0;                //!< the target's highest shown altitude in the night, degrees

    std::vector<TimeSpan> Above;             //!< the target above the lowest altitude (shown altitude)
    std::vector<TimeSpan> DarkAbove;         //!< those with the Sun's centre below -18 degrees
    std::vector<TimeSpan> DarkAboveMoonDown; //!< those again with the Moon below its rising level
    std::vector<TimeSpan> Dark;     //!< the Sun's centre below -18 degrees, whatever the target
    std::vector<TimeSpan> MoonDown; //!< the Moon below its rising level, whatever the target

    NightCurves Curves;
    bool DubiousYear = false; //!< ERFA warned: the date lies where its tables are uncertain
};

//! The levels of the twilights, degrees.
inline constexpr double CivilLevel = -6;
inline constexpr double NauticalLevel = -12;
inline constexpr double AstronomicalLevel = -18;
//! How often the night is sampled, seconds: events are found between samples and refined.
inline constexpr double CurveStep = 600;

//! The night from `start` to `end` (UTC, POSIX seconds; the window passes noon to noon local
//! time, 23 to 25 hours) at `place`, for `target` and the lowest altitude worth photographing
//! at (degrees). Throws SkyError outside the years the sky is computed for, and
//! InvalidOperationError for an empty or longer than two-day night.
NightSky ComputeNight(double start, double end, const Place& place, const Target& target, double lowestAltitude);
