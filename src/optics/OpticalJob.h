#pragma once

#include <string>

class QWidget;

//! What the optical wizard's windows hand to one another: one record for the whole run.
//! All lengths are millimetres, whatever unit the user typed.
struct TOpticalJob
{
    double TelescopeFocalLengthMm = 0;
    double EffectiveFocalLengthMm = 0;
    double ApertureMm = 0;
    std::string ConfigurationText; // lines joined by CR LF; always built afresh, never appended to
    std::string TelescopeLine;     // the chosen preset's name and CR LF, or empty
    QWidget* ReturnWindow = nullptr; // the window "<< Back" of the choice and of the report shows

    void Reset() { *this = TOpticalJob{}; }
};

extern TOpticalJob OpticalJob;

//! What the results report last computed, as the windows that follow it take it: the field
//! window and the Digital Camera window.
struct ReportedJob
{
    double EffectiveFocalLengthMm = 0;
    double ApertureMm = 0;
    std::string Error; //!< the error the report's computation stopped at, or empty
};

//! The line break of configuration texts.
inline constexpr const char* CrLf = "\r\n";
