#pragma once

#include "field/SensorField.h"
#include "numeric/Durations.h"

#include <optional>
#include <string>

//! The exposure the exposure calculator suggests, as the field window takes it: the seconds of
//! its last completed recalculation, the f/ratio it was computed for, and the suggestion as the
//! calculator shows it, with the seconds its text states.
struct TrailExposure
{
    bool Computed = false; //!< whether the calculator has computed at all
    double Seconds = 0;    //!< not above 0: its error form ("???")
    double FRatio = 0;
    ExposureWords Shown;
};

//! A longest untracked exposure as the window writes it: SignificantSeconds up to four hours,
//! "over 4 hours" beyond.
std::string UntrackedLimitText(double seconds);

//! An f/ratio as photographers write it: "f/4", "f/10.5", "f/2.83" (at most two decimals; from
//! 1e36 on in the number writer's exponent form).
std::string FRatioText(double fRatio);

//! What the field window writes for a job without a tracking mount.
struct TrackingTexts
{
    std::string Npf;         //!< the longest exposure by the NPF rule; "— (digital sensors only)" on film
    std::string FiveHundred; //!< by the older 500 rule
    std::string Trail;       //!< what the suggested exposure does to a star
};

//! The longest exposures before the stars trail, and the trail of the suggested exposure, for
//! the job with effective focal length `efl` and aperture `aperture` (mm, above zero) on
//! `sensor`, at `declination` degrees (none where the box is refused). The NPF rule of
//! Frédéric Michaud (Société Astronomique du Havre), complete, with k = 1:
//! t = (16.9 N + 0.10 f + 13.7 p) / (f cos δ); the 500 rule: t = 500 / (c f), c the crop factor
//! against the 36 x 24 mm frame; a star moves 15.041 arcseconds per second of time at the
//! celestial equator. The limits are written as UntrackedLimitText. The suggested exposure is
//! written as the exposure calculator writes it and judged against the limit the window shows
//! for the sensor (NPF on a digital sensor, 500 rule on film), each as its text states it. Each
//! row is computed alone: an arithmetic error is written in its own row as "— (message)".
TrackingTexts ComputeTracking(double efl, double aperture, const Sensor& sensor, std::optional<double> declination,
                              const TrailExposure& exposure);

//! Reads the declination box: one number of degrees from -90 to 90, blanks around it and a
//! degree sign after it allowed. Returns it, or in `refusal` a plain sentence saying how to
//! write it.
std::optional<double> ReadDeclination(const std::string& text, std::string& refusal);
