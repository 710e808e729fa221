#pragma once

#include "numeric/Durations.h"

#include <optional>
#include <string>

//! The exposure in seconds for surface brightness m'' (magnitudes per square arc-second),
//! film speed S, filter factor F, f-ratio N and reciprocity exponent p, or -1 when the
//! inputs are invalid (S, F or p not above 0, or m'' below -20). Absurd brightnesses
//! throw ArithmeticError rather than give inf.
double ExposureTime(double brightness, double speed, double filterFactor, double fRatio, double reciprocity);

//! What the exposure calculator's last completed recalculation suggested, for the windows that
//! follow it: the seconds ExposureTime returned (not above 0 where the caption shows "???") and
//! the f/ratio it was computed for.
struct ExposureSuggestion
{
    bool Computed = false; //!< false until the first recalculation
    double Seconds = 0;
    double FRatio = 0;
    //! The suggestion as the caption shows it, with the seconds its text states.
    ExposureWords Shown;
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
