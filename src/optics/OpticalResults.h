#pragma once

#include <string>

struct TOpticalJob;

//! The degree sign, U+00B0, in UTF-8.
inline constexpr const char* DegreeSign = "\u00B0";

//! Degrees as text: no decimals above 30, one above 3, two otherwise (so exactly 30 has one
//! and exactly 3 two), followed by the degree sign.
std::string DegreesText(double degrees);

//! An angle in radians as degrees, converted in extended precision and stored as a double
//! before its decimals are chosen; written as DegreesText.
std::string AngleText(double radians);

//! The full angle that a length `s` on the film covers at focal length `f` (both mm), as text.
//! A focal length of 0 is a division by zero.
std::string SubtendedAngleText(double f, double s);

//! A length at the nearest whole millimetre (halves to even), with a minus sign when negative
//! and never "-0". Beyond the range of a 64-bit integer it is an invalid operation.
std::string WholeMillimetreText(double mm);

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
