#pragma once

// Every object of the catalogue through one night at one place, for choosing what to
// photograph: how long each stands above the lowest altitude in astronomical darkness, how much
// of that with the Moon down, and when in the dark it stands highest. The night, the dark and the
// Moon are Tonight's (sky/Night.h); the objects' altitudes come from one ERFA context for the
// night and the Earth's turning, so that the whole catalogue takes milliseconds.

#include "sky/Catalogue.h"
#include "sky/Crossings.h"
#include "sky/SkyPlaces.h"

#include <optional>
#include <vector>

//! One object's night.
struct ObjectNight
{
    double DarkAndUp = 0; //!< seconds above the lowest altitude with the Sun's centre below -18°
    double MoonDown = 0;  //!< seconds of those with the Moon below its rising level too
    //! When it stands highest within astronomical darkness (UTC, POSIX seconds); none in a
    //! night without darkness.
    std::optional<double> Best;
    double BestAltitude = 0; //!< its shown altitude then, degrees
    double MoonDistance = 0; //!< its distance from the Moon then, seen from the place, degrees
};

//! The whole catalogue's night.
struct NightRanking
{
    std::vector<TimeSpan> Dark;     //!< the Sun's centre below -18°
    std::vector<TimeSpan> MoonDown; //!< the Moon below its rising level
    std::vector<ObjectNight> Objects; //!< in the catalogue's order (Catalogue::Objects)
    bool DubiousYear = false;
};

//! The night from `start` to `end` (UTC, POSIX seconds, as Tonight's: noon to noon) at `place`
//! for every object of `catalogue`, above `lowestAltitude` (degrees, shown altitude, refracted
//! as Tonight refracts). The durations agree with Tonight's rows for the same object within
//! seconds. Throws as ComputeNight.
NightRanking RankNight(const Catalogue& catalogue, double start, double end, const Place& place, double lowestAltitude);

//! The shown altitude, degrees, of a body at geometric altitude `altitude`: refracted while
//! it is seen above the horizon (BodyPlace::Shown).
double ShownAltitude(double altitude);
