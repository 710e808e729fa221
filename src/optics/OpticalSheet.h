#pragma once

#include <string>

class PrinterText;

//! The sheet's title, also the print job's name.
inline const std::string OpticalSheetTitle = "Orvalis Optical Calculations";

//! What the optical results sheet prints: the texts of the report's labels (UTF-8), as the
//! window shows them.
struct OpticalSheetTexts
{
    std::string Label1;
    std::string ApertureLabel;
    std::string Label2;
    std::string FLLabel;
    std::string ConfigLabel; // lines joined by CR LF
    std::string EFLLabel;
    std::string fLabel;      // "f/" and the number
    std::string Label6;
    std::string FOVLabel;
    std::string Label7;
    std::string FOV20Label;
    std::string Label10;
    std::string MoonImageSizeLabel;
    std::string Label9;
    std::string JupiterImageSizeLabel;
};

//! The body of the optical results sheet, between StartPrinterSheet and FinishPrinterSheet.
//! It leaves the style regular, as FinishPrinterSheet expects.
void PrintOpticalSheet(PrinterText& printer, const OpticalSheetTexts& texts);
