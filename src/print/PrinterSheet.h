#pragma once

#include "print/PrinterText.h"

#include <functional>
#include <string>

//! Opens every body line of a sheet: the sheets make their left margin with blanks.
inline constexpr const char* SheetIndent = "            "; // twelve blanks

//! `count` empty lines, each as high as a character cell of the font in force.
void EmptyLines(PrinterText& printer, int count);

//! Opens the device for one sheet, a print job named `documentName`, in "Times New Roman"
//! at 14 points. The style stays as the last sheet left it (regular after a finished sheet).
void StartPrinterSheet(PrinterText& printer, const std::string& documentName);

//! The title block every sheet opens with: seven empty lines, the title in italics behind the
//! indent, two empty lines. The style stays italic for the body to set its own.
void WriteSheetTitle(PrinterText& printer, const std::string& title);

//! The sheet's closing lines at 9 points, the trailer with the book's title in italics,
//! and the end of the print job.
void FinishPrinterSheet(PrinterText& printer);

//! One whole sheet: StartPrinterSheet, the body, FinishPrinterSheet. A sheet that an error
//! interrupts is given up before the error goes on, so it never blocks the next print with
//! "Printing in progress", not even while the error box is open.
void PrintSheet(PrinterText& printer, const std::string& documentName, const std::function<void(PrinterText&)>& body);
