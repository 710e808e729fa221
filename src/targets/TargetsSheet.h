#pragma once

// The Targets Tonight sheet: the night and the frame, the filters in words, and the list in its
// order, its column heading on each page.

#include <string>
#include <vector>

class PrinterText;

inline constexpr const char* TargetsSheetTitle = "Orvalis Calculator - Targets Tonight";
//! The most rows a sheet prints; "and 1,034 more" says what is left.
inline constexpr std::size_t MostSheetRows = 200;

struct TargetsSheetTexts
{
    std::vector<std::string> Heading; //!< the night, the frame, the filters, the count
    std::vector<std::string> Columns; //!< the column headings
    std::vector<std::vector<std::string>> Rows; //!< every row shown, in its order
};

//! The sheet's body after its title block: the heading lines at 11 points, then the rows at 7
//! points in a fixed-pitch face, each column as wide as its widest text among the rows printed
//! (an object's name cut at 32 characters),
//! the column heading again at the top of each page, at most MostSheetRows of them and then
//! "and n more".
void PrintTargetsSheet(PrinterText& printer, const TargetsSheetTexts& texts);

//! A count with commas between thousands: "1,034".
std::string CountText(std::size_t count);
