#pragma once

#include "numeric/Arithmetic.h"

//! A moment or a date the sky cannot be computed for. Its message is the one the error box
//! shows.
class SkyError : public ArithmeticError
{
public:
    using ArithmeticError::ArithmeticError;
};

//! A moment as ERFA takes it: a (quasi) Julian date split in two numbers, in one time scale, days.
struct JulianDate
{
    double Day = 0;
    double Fraction = 0;
};

//! The years the sky is computed for: those of ERFA's planetary theory (eraPlan94). Beyond
//! them every theory the program uses has long lost its accuracy.
inline constexpr int FirstSkyYear = 1000;
inline constexpr int LastSkyYear = 3000;

//! UTC given as POSIX seconds (since 1970-01-01T00:00Z, leap seconds not counted, as
//! QDateTime gives them) as ERFA's quasi Julian date in two numbers, so that leap seconds are
//! ERFA's own. A moment outside FirstSkyYear..LastSkyYear, or not finite, is a SkyError.
//! `dubious` is set where ERFA only warns (before 1960, after its leap-second table).
JulianDate ErfaUtc(double posixSeconds, bool& dubious);

//! The same moment in Terrestrial Time, days (also taken as TDB: they differ by 2 ms at most).
JulianDate TerrestrialTime(const JulianDate& utc, bool& dubious);

//! Passes an ERFA status on: negative is a SkyError, above zero only sets `dubious`.
void CheckErfaStatus(int status, bool& dubious);
