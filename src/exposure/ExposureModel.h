#pragma once

#include <array>
#include <optional>
#include <string>

//! One standard shutter speed: exposures below `LimitDenominator` reciprocal seconds get `Number`.
struct ShutterSpeed
{
    double LimitDenominator; // the limit is exactly 1 / LimitDenominator seconds
    const char* Number;
    const char* Unit;

    double Limit() const { return 1.0 / LimitDenominator; }
};

//! Standard speeds from 1/8000 s to 1/2 s. From the second row on each limit lies near the
//! geometric mean of two neighbouring speeds, so t is shown as the speed nearest to it.
inline constexpr std::array<ShutterSpeed, 14> ShutterSpeedTable{{
    {20000, "Excessively short", ""},
    {5657, "1/8000", "s"},
    {2828, "1/4000", "s"},
    {1414, "1/2000", "s"},
    {707.1, "1/1000", "s"},
    {353.6, "1/500", "s"},
    {176.8, "1/250", "s"},
    {86.61, "1/125", "s"},
    {42.43, "1/60", "s"},
    {21.21, "1/30", "s"},
    {10.95, "1/15", "s"},
    {5.657, "1/8", "s"},
    {2.828, "1/4", "s"},
    {1.414, "1/2", "s"},
}};

//! The exposure in seconds for surface brightness m'' (magnitudes per square arc-second),
//! film speed S, filter factor F, f-ratio N and reciprocity exponent p, or -1 when the
//! inputs are invalid (S, F or p not above 0, or m'' below -20). Absurd brightnesses
//! throw ArithmeticError rather than give inf.
double ExposureTime(double brightness, double speed, double filterFactor, double fRatio, double reciprocity);

struct ExposureWords
{
    std::string Number;
    std::string Unit; // "s", "m", "h" or empty
};

//! The suggested exposure as the user reads it: a shutter speed, rounded seconds, minutes
//! or hours, or a limit text. A time that is not above 0 gives "???".
ExposureWords ExposureText(double seconds);

//! What the exposure calculator's last completed recalculation suggested, for the windows that
//! follow it: the seconds ExposureTime returned (not above 0 where the caption shows "???") and
//! the f/ratio it was computed for.
struct ExposureSuggestion
{
    bool Computed = false; //!< false until the first recalculation
    double Seconds = 0;
    double FRatio = 0;
    std::optional<double> Brightness; //!< the brightness box's number, none where it holds none
    //! The arithmetic error that stopped the latest recalculation, which left the rest as it
    //! was; empty once one completes.
    std::string Error;
};

//! What Recalculate uses for t when a box holds no readable number: far outside the range
//! that gets the seconds prefix, and not above 0, so the caption is plain "??? ".
inline constexpr double UnreadableInputMarker = -1000000;

//! The caption of the suggested exposure: the number and unit texts joined by one blank
//! (kept also when the unit is empty); below one second (and above -100000) it is preceded
//! by the seconds with three decimals in a field of eight and " s   = ".
std::string ExposureCaption(double seconds);
