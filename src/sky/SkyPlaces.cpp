#include "sky/SkyPlaces.h"

#include "sky/SkyClock.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

//! The bodies' radii, for their semi-diameters: the IAU's nominal solar radius (2015) and the
//! Moon's mean radius. ERFA gives neither.
constexpr double SunRadiusKm = 695700;
constexpr double MoonRadiusKm = 1737.4;
constexpr int JupiterNumber = 5; // eraPlan94's numbering, Mercury 1

//! The air the shown altitudes are refracted through: a mild night at sea level.
constexpr double PressureHpa = 1010;
constexpr double TemperatureC = 10;
constexpr double Humidity = 0.5;
constexpr double WavelengthMicrons = 0.55;

const std::pair<double, double>& RefractionConstants()
{
    static const std::pair<double, double> constants = [] {
        std::pair<double, double> ab;
        eraRefco(PressureHpa, TemperatureC, Humidity, WavelengthMicrons, &ab.first, &ab.second);
        return ab;
    }();
    return constants;
}

//! Where Sæmundsson's formula hands over to ERFA's model, degrees of geometric altitude.
constexpr double RefractionJoin = 5;
//! Below this the refraction stays put: the formula grows without bound towards -5.11°.
constexpr double LowestRefracted = -1;

//! ERFA's model as eraAtioq applies it, A tan z + B tan³ z with its Newton-Raphson step, z
//! the geometric zenith distance. Degrees; only for altitudes well above 0.
double ErfaRefraction(double altitude)
{
    const auto [a, b] = RefractionConstants();
    const double sine = std::sin(altitude * ERFA_DD2R);
    const double tangent = std::cos(altitude * ERFA_DD2R) / sine; // of the zenith distance
    const double w = b * tangent * tangent;
    return (a + w) * tangent / (1 + (a + 3 * w) / (sine * sine)) * ERFA_DR2D;
}

//! Sæmundsson's formula (Sky and Telescope 72, 1986, 70) for a geometric altitude above
//! -5.11°, in arcminutes, with Bennett's factor for pressure and temperature. Degrees.
double SaemundssonRefraction(double altitude)
{
    const double arcminutes = 1.02 / std::tan((altitude + 10.3 / (altitude + 5.11)) * ERFA_DD2R);
    return arcminutes / 60 * (PressureHpa / 1010) * (283 / (273 + TemperatureC));
}

double Finite(double value)
{
    return static_cast<double>(Checked(value));
}

//! A body's topocentric (or geocentric) CIRS direction, radians, and its geometric distance
//! at the moment, au.
struct Direction
{
    double Ri = 0;
    double Di = 0;
    double DistanceAu = 0;
};

//! The sky at one moment from one place, or from the Earth's centre: ERFA's astrometry context
//! computed once (eraApco13, or eraApci13 for the centre), from which each body's place is a
//! few cheap calls. The Earth's own place (eraEpv00) is computed only when a body needs it.
class Sky
{
public:
    Sky(double utc, const Place* place)
    {
        const JulianDate when = ErfaUtc(utc, m_dubious);
        m_tt = TerrestrialTime(when, m_dubious);
        if (place) {
            if (!(std::abs(place->Latitude) <= 90 && std::isfinite(place->Longitude)))
                throw InvalidOperationError();
            // Pressure 0: the unrefracted place; Refraction() lifts it.
            CheckErfaStatus(eraApco13(when.Day, when.Fraction, 0, place->Longitude * ERFA_DD2R, place->Latitude * ERFA_DD2R,
                                      0, 0, 0, 0, TemperatureC, Humidity, WavelengthMicrons, &m_astrom, &m_eo),
                            m_dubious);
        } else {
            eraApci13(m_tt.Day, m_tt.Fraction, &m_astrom, &m_eo);
        }
    }

    bool Dubious() const { return m_dubious; }
    //! The local Earth rotation angle, radians; only for a sky seen from a place.
    double LocalAngle() const { return m_astrom.eral; }
    double EquationOfOrigins() const { return m_eo; }
    const JulianDate& Tt() const { return m_tt; }

    //! The Sun, barycentric from the Earth's barycentric and heliocentric places.
    Direction Sun()
    {
        Earth();
        double sun[2][3];
        eraPvmpv(m_barycentric, m_heliocentric, sun);
        return Seen(sun);
    }

    //! The Moon, barycentric from its geocentric place and the Earth's barycentric one.
    Direction Moon()
    {
        double moon[2][3];
        eraMoon98(m_tt.Day, m_tt.Fraction, moon);
        Earth();
        eraPvppv(m_barycentric, moon, moon);
        return Seen(moon);
    }

    //! The Moon and the Sun from the Earth's centre (au), for its phase.
    void MoonAndSunGeocentric(double moon[3], double sun[3])
    {
        double pv[2][3];
        eraMoon98(m_tt.Day, m_tt.Fraction, pv);
        eraCp(pv[0], moon);
        Earth();
        eraSxp(-1, m_heliocentric[0], sun);
    }

    //! Jupiter, heliocentric (eraPlan94) plus the Sun's barycentric place, taken where it was
    //! when the light now arriving left it.
    Direction Jupiter()
    {
        Earth();
        double sun[2][3];
        eraPvmpv(m_barycentric, m_heliocentric, sun);
        double jupiter[2][3];
        double lightDays = 0;
        for (int pass = 0; pass < 3; ++pass) {
            CheckErfaStatus(eraPlan94(m_tt.Day, m_tt.Fraction - lightDays, JupiterNumber, jupiter), m_dubious);
            eraPvppv(jupiter, sun, jupiter);
            double seen[3];
            eraPmp(jupiter[0], m_astrom.eb, seen);
            lightDays = eraPm(seen) * ERFA_AULT / ERFA_DAYSEC;
        }
        eraZp(jupiter[1]); // already taken at the moment its light left
        return Seen(jupiter);
    }

    //! A star at its ICRS place, radians.
    Direction Star(double rightAscension, double declination)
    {
        Direction d;
        eraAtciq(rightAscension, declination, 0, 0, 0, 0, &m_astrom, &d.Ri, &d.Di);
        return d;
    }

    BodyPlace Observed(const Direction& d, double radiusKm)
    {
        double azimuth = 0, zenith = 0, hourAngle = 0, declination = 0, rightAscension = 0;
        BodyPlace place;
        eraAtioq(d.Ri, d.Di, &m_astrom, &azimuth, &zenith, &hourAngle, &declination, &rightAscension);
        place.Altitude = Finite(90 - zenith * ERFA_DR2D);
        place.Azimuth = Finite(azimuth * ERFA_DR2D);
        place.Refracted = place.Altitude + Refraction(place.Altitude);
        if (radiusKm > 0)
            place.SemiDiameter = Finite(std::asin(radiusKm * 1000 / (d.DistanceAu * ERFA_DAU)) * ERFA_DR2D);
        return place;
    }

private:
    void Earth()
    {
        if (!m_haveEarth)
            CheckErfaStatus(eraEpv00(m_tt.Day, m_tt.Fraction, m_heliocentric, m_barycentric), m_dubious);
        m_haveEarth = true;
    }

    //! A body's direction from the observer, given its barycentric place and motion (au,
    //! au/day): moved back by the light time, then handed to ERFA as a "star" with the
    //! parallax of its barycentric distance, so that ERFA removes the observer's own place
    //! exactly and adds aberration and deflection as for any body.
    Direction Seen(double pv[2][3])
    {
        double seen[3];
        eraPmp(pv[0], m_astrom.eb, seen);
        const double distanceAu = eraPm(seen);
        const double lightDays = distanceAu * ERFA_AULT / ERFA_DAYSEC;
        double back[3], then[3];
        eraSxp(lightDays, pv[1], back);
        eraPmp(pv[0], back, then);
        double distance = 0, unit[3];
        eraPn(then, &distance, unit);
        double rc = 0, dc = 0;
        eraC2s(unit, &rc, &dc);
        Direction d;
        eraAtciq(rc, dc, 0, 0, ERFA_DR2AS / distance, 0, &m_astrom, &d.Ri, &d.Di);
        d.DistanceAu = distanceAu;
        return d;
    }

    JulianDate m_tt;
    eraASTROM m_astrom{};
    double m_eo = 0;
    bool m_dubious = false;
    bool m_haveEarth = false;
    double m_heliocentric[2][3]{};
    double m_barycentric[2][3]{};
};

Direction TargetDirection(Sky& sky, const Target& target)
{
    if (target.Jupiter)
        return sky.Jupiter();
    if (!(std::isfinite(target.RightAscension) && std::abs(target.Declination) <= 90))
        throw InvalidOperationError();
    return sky.Star(target.RightAscension * ERFA_DD2R, target.Declination * ERFA_DD2R);
}

} // namespace

double Refraction(double geometricAltitude)
{
    if (!(std::abs(geometricAltitude) <= 90))
        throw InvalidOperationError();
    if (geometricAltitude >= RefractionJoin)
        return Finite(ErfaRefraction(geometricAltitude));
    // The two differ by 0.4′ at the join; the difference is taken in from nothing at the
    // horizon, so that the horizon keeps the formula's own value and the join has no step.
    const double altitude = std::max(geometricAltitude, LowestRefracted);
    static const double gap = ErfaRefraction(RefractionJoin) - SaemundssonRefraction(RefractionJoin);
    return Finite(SaemundssonRefraction(altitude) + gap * std::clamp(altitude / RefractionJoin, 0.0, 1.0));
}

SkyPlaces ComputePlaces(double utc, const Place& place, const Target& target)
{
    Sky sky(utc, &place);
    SkyPlaces places;
    places.Sun = sky.Observed(sky.Sun(), SunRadiusKm);
    places.Moon = sky.Observed(sky.Moon(), MoonRadiusKm);
    places.Target = sky.Observed(TargetDirection(sky, target), 0);
    places.DubiousYear = sky.Dubious();
    return places;
}

BodyPlace SunPlace(double utc, const Place& place)
{
    Sky sky(utc, &place);
    return sky.Observed(sky.Sun(), SunRadiusKm);
}

BodyPlace MoonPlace(double utc, const Place& place)
{
    Sky sky(utc, &place);
    return sky.Observed(sky.Moon(), MoonRadiusKm);
}

BodyPlace TargetPlace(double utc, const Place& place, const Target& target)
{
    Sky sky(utc, &place);
    return sky.Observed(TargetDirection(sky, target), 0);
}

MoonLight ComputeMoonLight(double utc, const Place& place, const Target& target)
{
    Sky sky(utc, &place);
    MoonLight light;
    double moon[3], sun[3];
    sky.MoonAndSunGeocentric(moon, sun);
    // The phase angle at the Moon, between the Sun and the Earth.
    double toSun[3], toEarth[3];
    eraPmp(sun, moon, toSun);
    eraSxp(-1, moon, toEarth);
    light.LitFraction = Finite((1 + std::cos(eraSepp(toSun, toEarth))) / 2);
    // Waxing while the Moon is east of the Sun by 0 to 180 degrees of ecliptic longitude.
    double ra = 0, dec = 0, moonLongitude = 0, sunLongitude = 0, latitude = 0;
    eraC2s(moon, &ra, &dec);
    eraEqec06(sky.Tt().Day, sky.Tt().Fraction, ra, dec, &moonLongitude, &latitude);
    eraC2s(sun, &ra, &dec);
    eraEqec06(sky.Tt().Day, sky.Tt().Fraction, ra, dec, &sunLongitude, &latitude);
    light.Waxing = eraAnpm(moonLongitude - sunLongitude) > 0;

    const Direction m = sky.Moon();
    const Direction t = TargetDirection(sky, target);
    light.FromTarget = Finite(eraSeps(m.Ri, m.Di, t.Ri, t.Di) * ERFA_DR2D);
    light.DubiousYear = sky.Dubious();
    return light;
}

double TurningSky::HourAngle(std::size_t i, double utc) const
{
    return eraAnpm(LocalAngle + TurnRate * (utc - Moment) - Ri[i]);
}

double TurningSky::Altitude(std::size_t i, double hourAngle) const
{
    const double sine = SinLatitude * std::sin(Di[i]) + CosLatitude * std::cos(Di[i]) * std::cos(hourAngle);
    return std::asin(std::clamp(sine, -1.0, 1.0)) * ERFA_DR2D;
}

TurningSky ComputeTurningSky(double utc, const Place& place, std::size_t count, const std::function<double(std::size_t)>& rightAscension,
                             const std::function<double(std::size_t)>& declination)
{
    Sky sky(utc, &place);
    TurningSky turning;
    turning.Moment = utc;
    turning.LocalAngle = sky.LocalAngle();
    turning.SinLatitude = std::sin(place.Latitude * ERFA_DD2R);
    turning.CosLatitude = std::cos(place.Latitude * ERFA_DD2R);
    turning.Ri.resize(count);
    turning.Di.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const Direction d = sky.Star(rightAscension(i) * ERFA_DD2R, declination(i) * ERFA_DD2R);
        turning.Ri[i] = d.Ri;
        turning.Di[i] = d.Di;
    }
    turning.DubiousYear = sky.Dubious();
    return turning;
}

void MoonApparentPlace(double utc, const Place& place, double& ri, double& di)
{
    Sky sky(utc, &place);
    const Direction moon = sky.Moon();
    ri = moon.Ri;
    di = moon.Di;
}

double Separation(double ri1, double di1, double ri2, double di2)
{
    return eraSeps(ri1, di1, ri2, di2) * ERFA_DR2D;
}

ApparentPlace GeocentricPlace(double utc, SolarBody body)
{
    Sky sky(utc, nullptr);
    const Direction d = body == SolarBody::Sun ? sky.Sun() : body == SolarBody::Moon ? sky.Moon() : sky.Jupiter();
    // CIRS right ascension counts from the CIO; the equinox lies the equation of the origins away.
    return {Finite(eraAnp(d.Ri - sky.EquationOfOrigins()) * ERFA_DR2D), Finite(d.Di * ERFA_DR2D),
            Finite(d.DistanceAu * ERFA_DAU / 1000)};
}
