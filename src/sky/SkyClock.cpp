#include "sky/SkyClock.h"

#include <erfa.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace {

constexpr double SecondsPerDay = 86400;

struct CivilDate
{
    std::int64_t Year;
    int Month;
    int Day;
};

//! Days since 1970-01-01 as a proleptic Gregorian date (Howard Hinnant's civil_from_days):
//! calendar arithmetic only, so that ERFA alone decides what a UTC day holds.
CivilDate CivilFromDays(std::int64_t days)
{
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153; // March is 0
    const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

} // namespace

void CheckErfaStatus(int status, bool& dubious)
{
    if (status < 0)
        throw SkyError("The sky cannot be computed for this date.");
    if (status > 0)
        dubious = true;
}

JulianDate ErfaUtc(double posixSeconds, bool& dubious)
{
    // 1e13 s is some 300,000 years: far beyond the years taken, and safe for the integers below.
    if (!std::isfinite(posixSeconds) || std::abs(posixSeconds) > 1e13)
        throw SkyError("The sky is computed for the years " + std::to_string(FirstSkyYear) + " to "
                       + std::to_string(LastSkyYear) + ".");
    const double days = std::floor(posixSeconds / SecondsPerDay);
    const CivilDate date = CivilFromDays(static_cast<std::int64_t>(days));
    if (date.Year < FirstSkyYear || date.Year > LastSkyYear)
        throw SkyError("The sky is computed for the years " + std::to_string(FirstSkyYear) + " to "
                       + std::to_string(LastSkyYear) + ".");
    // Whole seconds kept apart from the fraction, so that the clock fields stay below 60.
    double second = posixSeconds - days * SecondsPerDay;
    if (second >= SecondsPerDay)
        second = std::nextafter(SecondsPerDay, 0.0);
    const int hour = static_cast<int>(second / 3600);
    second -= hour * 3600.0;
    const int minute = static_cast<int>(second / 60);
    second -= minute * 60.0;
    JulianDate utc;
    CheckErfaStatus(eraDtf2d("UTC", static_cast<int>(date.Year), date.Month, date.Day, hour, minute, second, &utc.Day,
                             &utc.Fraction),
                    dubious);
    return utc;
}

JulianDate TerrestrialTime(const JulianDate& utc, bool& dubious)
{
    JulianDate tai;
    CheckErfaStatus(eraUtctai(utc.Day, utc.Fraction, &tai.Day, &tai.Fraction), dubious);
    JulianDate tt;
    CheckErfaStatus(eraTaitt(tai.Day, tai.Fraction, &tt.Day, &tt.Fraction), dubious);
    return tt;
}
