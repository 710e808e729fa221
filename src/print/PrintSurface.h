#pragma once

#include <functional>
#include <string>
#include <string_view>

class QPainter;

//! A picture a sheet draws itself, a chart: given the surface's painter, set so that (0, 0) is
//! the picture's top-left corner, and its width and height in device units.
using SheetPicture = std::function<void(QPainter& painter, double width, double height)>;

//! The printer's font: a face name, a size in points (1/72 inch, converted at the printer's own
//! resolution) and the two style flags.
struct PrinterFont
{
    std::string Face = "Times New Roman";
    int Points = 14;
    bool Bold = false;
    bool Italic = false;

    bool operator==(const PrinterFont&) const = default;
};

//! Extent of the printable area of a page, in printer device units.
struct PrintableArea
{
    int Width = 0;
    int Height = 0;
};

enum class JobStart { Started, NoPrinter, Failed };

//! What the line layout needs from a printer: the seam between the program's layout rules
//! and a real print system. Texts are UTF-8. Positions are device units from the top-left
//! corner of the printable area; a text is drawn with the top of its character cell at y.
//! The operations that can fail return false (or JobStart::Failed); the text device turns
//! each of them into its own fixed I/O error code (see PrinterText.h).
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;

    //! Starts a print job named `documentName` on the default printer, and its first page.
    virtual JobStart BeginJob(const std::string& documentName) = 0;
    //! The printable area of the pages of the job begun last.
    virtual PrintableArea Area() const = 0;
    //! Ascent plus descent of the font at the printer's resolution.
    virtual int CellHeight(const PrinterFont& font) = 0;
    //! Width of the text as it would be drawn in the font.
    virtual int TextWidth(const PrinterFont& font, std::string_view text) = 0;
    virtual bool DrawText(int x, int y, const PrinterFont& font, std::string_view text) = 0;
    //! Draws a picture in the rectangle at (x, y) of `width` by `height` device units.
    virtual bool DrawPicture(int x, int y, int width, int height, const SheetPicture& picture) = 0;
    //! Finishes the current page and starts the next.
    virtual bool NewPage() = 0;
    //! Finishes the last page and hands the job to the printer.
    virtual bool EndJob() = 0;
    //! Gives the job up: as little of it as the print system allows reaches the paper.
    virtual void AbortJob() noexcept = 0;
};
