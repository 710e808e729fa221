#pragma once

#include <string>

class PrinterText;

//! The sheet's title, also the print job's name.
inline const std::string ExposureSheetTitle = "Orvalis Exposure Calculator";

//! What the exposure sheet prints, as the exposure window shows it (UTF-8).
struct ExposureSheetTexts
{
    std::string Brightness;   // BrightnessBox
    std::string Speed;        // SpeedBox
    std::string Reciprocity;  // ReciprocityBox
    std::string FilterFactor; // FilterFactorBox
    std::string FRatio;       // FRatioBox
    std::string Exposure;     // ExposureLabel
    std::string Caution;      // ApproximateWarning
    bool CautionVisible = false;
};

//! The body of the exposure sheet, between StartPrinterSheet and FinishPrinterSheet. It leaves
//! the style regular, as FinishPrinterSheet expects.
void PrintExposureSheet(PrinterText& printer, const ExposureSheetTexts& texts);
