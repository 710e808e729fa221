#pragma once

// Where the Sun, the Moon, Jupiter and a star stand for one observer at one moment, all by
// ERFA (the IAU's SOFA routines): its time scales and leap seconds, Earth rotation,
// precession-nutation, aberration and light deflection, its refraction model high in the sky,
// and its theories of the Sun (eraEpv00), the Moon (eraMoon98) and Jupiter (eraPlan94).
// UT1 - UTC is taken as 0.

#include <cstddef>
#include <functional>
#include <vector>

//! Where the sky is seen from, at sea level.
struct Place
{
    double Latitude = 0;  //!< degrees, north positive
    double Longitude = 0; //!< degrees, east positive
};

//! What is to be photographed: a fixed star or deep-sky object at its ICRS (J2000) place, or
//! Jupiter, whose place changes.
struct Target
{
    bool Jupiter = false;
    double RightAscension = 0; //!< ICRS, degrees (0 to 360); not used for Jupiter
    double Declination = 0;    //!< ICRS, degrees
};

//! A body as the observer sees it (topocentric).
struct BodyPlace
{
    double Altitude = 0;     //!< geometric (no refraction), degrees
    double Refracted = 0;    //!< Altitude plus Refraction(Altitude), degrees
    double Azimuth = 0;      //!< degrees from north through east
    double SemiDiameter = 0; //!< degrees; 0 for a star or Jupiter

    //! The altitude the program shows: refracted while the body is seen above the horizon,
    //! geometric below it, where refraction means nothing to a photographer. Degrees.
    double Shown() const { return Refracted >= 0 ? Refracted : Altitude; }
    //! Degrees above the rising level of the Sun or the Moon: 0 when the centre is at
    //! -(34' + semi-diameter) unrefracted, the upper limb touching the horizon as the almanacs
    //! take it.
    double AboveRisingLevel() const { return Altitude + SemiDiameter + 34.0 / 60; }
};

//! How much the air (1010 hPa, 10 °C) lifts a body whose geometric altitude is
//! `geometricAltitude` (degrees, -90 to 90): degrees to add to it. From 5° up it is ERFA's
//! model (eraRefco's A tan z + B tan³ z for humidity 0.5 and 0.55 µm), which holds there but
//! not near the horizon; below 5°, Sæmundsson's formula, which holds down to the horizon (29′
//! for a body at 0°, 34′ for one seen on the horizon), eased onto ERFA's value at 5° so that
//! the two meet without a step. Below -1°, far under the horizon as seen, it stays at its value
//! there. InvalidOperationError outside -90 to 90.
double Refraction(double geometricAltitude);

//! The three bodies of the night at one moment.
struct SkyPlaces
{
    BodyPlace Sun;
    BodyPlace Moon;
    BodyPlace Target;
    bool DubiousYear = false; //!< ERFA warned: the date lies where its tables are uncertain
};

//! The Sun, the Moon and the target seen from `place` at `utc` (POSIX seconds).
//! Throws SkyError for a moment outside the years the sky is computed for.
SkyPlaces ComputePlaces(double utc, const Place& place, const ::Target& target);

//! One body alone, cheaper than ComputePlaces where only it is needed.
BodyPlace SunPlace(double utc, const Place& place);
BodyPlace MoonPlace(double utc, const Place& place);
BodyPlace TargetPlace(double utc, const Place& place, const ::Target& target);

//! Many fixed objects at once for one place through a night: ERFA's context computed once, at
//! one moment, and each object's apparent place from it; its altitude at any other moment of the
//! night follows from the Earth's rotation alone (the apparent place moves by less than a
//! second of arc in a night).
struct TurningSky
{
    double Moment = 0;       //!< UTC, POSIX seconds
    double LocalAngle = 0;   //!< the local Earth rotation angle at the moment, radians
    double SinLatitude = 0;
    double CosLatitude = 1;
    //! Each object's apparent (CIRS) right ascension and declination, radians, in the order given.
    std::vector<double> Ri, Di;
    bool DubiousYear = false;

    //! Radians per second of UT1 (taken as UTC) that the sky turns.
    static constexpr double TurnRate = 2 * 3.14159265358979323846 * 1.00273781191135448 / 86400;
    //! The local hour angle of object `i` at `utc`, radians from -pi to pi.
    double HourAngle(std::size_t i, double utc) const;
    //! The geometric altitude of object `i` at hour angle `hourAngle` (radians), degrees.
    double Altitude(std::size_t i, double hourAngle) const;
};

//! The sky of `place` at `utc` with `count` objects at ICRS (J2000) places given in degrees
//! by `rightAscension(i)` and `declination(i)`. Throws SkyError outside the years the sky is
//! computed for.
TurningSky ComputeTurningSky(double utc, const Place& place, std::size_t count, const std::function<double(std::size_t)>& rightAscension,
                             const std::function<double(std::size_t)>& declination);

//! The Moon's topocentric apparent (CIRS) place at `utc`, radians: what MoonLight::FromTarget
//! is measured from.
void MoonApparentPlace(double utc, const Place& place, double& ri, double& di);
//! The angle between two apparent places (radians), degrees.
double Separation(double ri1, double di1, double ri2, double di2);

//! The Moon at one moment, as a photographer weighs it.
struct MoonLight
{
    double LitFraction = 0;   //!< the illuminated fraction of its disc, 0 to 1 (seen from the Earth's centre)
    bool Waxing = false;      //!< east of the Sun in ecliptic longitude (0 to 180 degrees)
    double FromTarget = 0;    //!< degrees between the Moon and the target, both seen from `place`
    bool DubiousYear = false; //!< as in SkyPlaces
};

//! The Moon's light and its distance from the target at `utc` (POSIX seconds).
MoonLight ComputeMoonLight(double utc, const Place& place, const ::Target& target);

//! A body of the solar system.
enum class SolarBody { Sun, Moon, Jupiter };

//! A body's apparent place from the Earth's centre: right ascension and declination on the
//! true equator and equinox of date (degrees), and its distance (km). What almanacs and
//! worked examples give, so that the bodies' theories can be checked against them.
struct ApparentPlace
{
    double RightAscension = 0;
    double Declination = 0;
    double DistanceKm = 0;
};
ApparentPlace GeocentricPlace(double utc, SolarBody body);
