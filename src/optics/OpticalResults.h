#pragma once

#include <string>

struct TOpticalJob;

//! The 35-mm film frame and its central circle, in mm.
inline constexpr double FilmFrameWidthMm = 36;
inline constexpr double FilmFrameHeightMm = 24;
inline constexpr double CentralCircleMm = 20;

//! Turns an apparent diameter in arc-seconds into radians.
inline constexpr long double ArcSecondsPerRadian = 206265;

//! The degree sign, U+00B0, in UTF-8.
inline constexpr const char* DegreeSign = "\u00B0";

//! Degrees as text: no decimals above 30, one above 3, two otherwise (so exactly 30 has one
//! and exactly 3 two), followed by the degree sign.
std::string DegreesText(double degrees);

//! An angle in radians as degrees, converted in extended precision and stored as a double
//! before its decimals are chosen; written as DegreesText.
std::string AngleText(double radians);

//! The full angle, in degrees, that a length `s` on the film covers at focal length `f` (both
//! mm): the angle in radians is computed in extended precision and stored as a double, then
//! converted as AngleText converts it. A focal length of 0 is a division by zero.
double SubtendedDegrees(double f, double s);

//! SubtendedDegrees as text, written as DegreesText.
std::string SubtendedAngleText(double f, double s);

//! A length at the nearest whole millimetre (halves to even), with a minus sign when negative
//! and never "-0". Beyond the range of a 64-bit integer it is an invalid operation.
std::string WholeMillimetreText(double mm);

//! The diameter of the Moon's image, in mm, at an effective focal length `efl` (mm): the Moon
//! spans about 1/110 radian.
double MoonImageMm(double efl);

//! Whether the Moon's image is too big for a 35-mm film frame: above 2300 mm of effective
//! focal length, which leaves room to frame it.
bool MoonTooBigForFilm(double efl);

//! The diameter of Jupiter's image, in mm, at its smallest (31 arc-seconds) or its largest
//! (51 arc-seconds) apparent diameter.
double JupiterImageMm(double efl, bool largest);

//! Whether Jupiter's image is too small to be worth photographing: below 800 mm of effective
//! focal length, where the report writes JupiterTooSmallText instead of its size.
bool JupiterTooSmall(double efl);
inline constexpr const char* JupiterTooSmallText = "Excessively small";

//! The value rows of the results report. A row reads "?" until its step has been computed.
struct OpticalResultTexts
{
    std::string Aperture = "?";
    std::string FocalLength = "?";
    std::string Configuration = "?";
    std::string EffectiveFocalLength = "?";
    std::string FRatio = "?";
    std::string FRatioNumber; //!< the f/ratio without "f/", for the exposure calculator; empty if not reached
    std::string FieldOfView = "?";
    std::string FieldOfView20 = "?";
    std::string MoonImageSize = "?";
    std::string JupiterImageSize = "?";
};

//! Computes the report's rows from the job, in the report's order: aperture, focal length,
//! configuration, effective focal length, f/ratio, fields of view, Moon, Jupiter. An
//! arithmetic error (a zero aperture or effective focal length, a length beyond the 64-bit
//! range) is thrown from the failing step; the rows before it are filled, the rest keep "?".
void ComputeOpticalResults(const TOpticalJob& job, OpticalResultTexts& rows);
