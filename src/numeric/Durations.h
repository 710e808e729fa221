#pragma once

#include <array>
#include <string>

//! How the program writes a duration: the exposure calculator's shutter speeds, seconds,
//! minutes and hours, and the two-figure seconds of its limits and sub-exposures. Each text
//! comes with the seconds it states, so that a window that judges a duration by what another
//! shows takes that number, never the words read back.

//! One standard shutter speed: exposures below `LimitDenominator` reciprocal seconds get `Number`.
struct ShutterSpeed
{
    double LimitDenominator; // the limit is exactly 1 / LimitDenominator seconds
    const char* Number;
    const char* Unit;
    double Speed; // the speed the row names, in reciprocal seconds; 0 for a limit text

    double Limit() const { return 1.0 / LimitDenominator; }
};

//! Standard speeds from 1/8000 s to 1/2 s. From the second row on each limit lies near the
//! geometric mean of two neighbouring speeds, so t is shown as the speed nearest to it.
inline constexpr std::array<ShutterSpeed, 14> ShutterSpeedTable{{
    {20000, "Excessively short", "", 0},
    {5657, "1/8000", "s", 8000},
    {2828, "1/4000", "s", 4000},
    {1414, "1/2000", "s", 2000},
    {707.1, "1/1000", "s", 1000},
    {353.6, "1/500", "s", 500},
    {176.8, "1/250", "s", 250},
    {86.61, "1/125", "s", 125},
    {42.43, "1/60", "s", 60},
    {21.21, "1/30", "s", 30},
    {10.95, "1/15", "s", 15},
    {5.657, "1/8", "s", 8},
    {2.828, "1/4", "s", 4},
    {1.414, "1/2", "s", 2},
}};

struct ExposureWords
{
    std::string Number;
    std::string Unit; // "s", "m", "h" or empty
    //! The seconds the words state after their own rounding: "1/250" s is 0.004 s, "12" m is
    //! 720 s, " 2.1" h is 7560 s; 0 where they state none ("Excessively short", "Excessively
    //! long", "???").
    double Seconds = 0;
};

//! The suggested exposure as the user reads it: a shutter speed, rounded seconds, minutes
//! or hours, or a limit text. A time that is not above 0 gives "???".
ExposureWords ExposureText(double seconds);

//! ExposureWords as one text: the number without its leading blanks, a blank and the unit
//! ("1/250 s", "55 s", "2.1 h"), or a limit text alone.
std::string ExposureWordsText(const ExposureWords& words);

//! Seconds with two significant figures as TwoSignificantFigures writes them: "0.20 s",
//! "7.4 s", "21 s", "1200 s". Seconds not above zero, or beyond the double range, are an invalid
//! operation.
std::string SignificantSeconds(double seconds);

//! The seconds SignificantSeconds states: 7.35 s is written "7.4 s" and states 7.4.
double SignificantSecondsValue(double seconds);
