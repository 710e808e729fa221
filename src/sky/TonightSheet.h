#pragma once

// The Tonight sheet: the night on paper, its rows as the window shows them and its chart.

#include "print/PrintSurface.h"

#include <string>
#include <utility>
#include <vector>

class PrinterText;

//! The sheet's title, and the document name of its print job.
inline constexpr const char* TonightSheetTitle = "Orvalis Calculator - Tonight";

//! What the sheet prints: caption and value lines, the window's note, and its chart.
struct TonightSheetTexts
{
    std::vector<std::pair<std::string, std::string>> Heading; //!< the place, date, zone, target
    std::vector<std::pair<std::string, std::string>> Rows;    //!< every row of the night
    std::string Note;                                         //!< what the window says below them
    double ChartAspect = 0.75;                                //!< its height over its width
};

//! The sheet's body after its title block: the heading and the rows at 11 points, each caption
//! and its value behind the indent, the note, and the chart across the middle 70% of the page,
//! drawn by `chart`, on the next page where the rest of this one is too short for it (a sheet of
//! A4 or Letter holds it all).
void PrintTonightSheet(PrinterText& printer, const TonightSheetTexts& texts, const SheetPicture& chart);
