#pragma once

#include "print/PrintSurface.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

//! A printer failure, as the error box shows it: "There is no default printer currently
//! selected", "Printing in progress" or "I/O error <code>".
class PrinterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

//! The fixed I/O error code of each printer operation that can fail.
namespace PrinterErrorCode {
inline constexpr int Open = 150;    //!< the print job or its first page could not be started
inline constexpr int NewPage = 151; //!< the next page could not be started
inline constexpr int Draw = 152;    //!< drawing text failed, or a write came while the device was closed
inline constexpr int Close = 153;   //!< the job could not be finished and handed over, or it was closed twice
} // namespace PrinterErrorCode

enum class FontStyle { Regular, Bold, Italic, BoldItalic };

//! The default printer as a line-oriented text device. Every write is drawn at once at the
//! current position, top-aligned, in the font in force; a line end moves down by the height
//! of the line just ended and begins a new page when the page is full; a piece wider than the
//! rest of the line is cut between characters and goes on at the left edge of the next line.
//! The font belongs to the device, so whatever a sheet leaves set is in force for the next.
//!
//! Every operation checks the device's error state before it returns: a failed step raises
//! PrinterError("I/O error <code>") with its code from PrinterErrorCode, which clears the state.
class PrinterText
{
public:
    explicit PrinterText(PrintSurface& surface) : m_surface(surface) {}

    //! Begins a print job and its first page at (0, 0). Throws PrinterError with "Printing in
    //! progress" while a job of this device is open, "There is no default printer currently
    //! selected" when the system has none.
    void Open(const std::string& documentName);
    //! Draws the text on the current line. Control characters (tab, CR, LF, form feed and the
    //! like) are drawn as one blank each: only WriteLineEnd ends a line.
    void Write(std::string_view text);
    void WriteLineEnd();
    void WriteLine(std::string_view text);
    //! Draws a picture of `width` by `height` device units centred on a line of its own, on a new
    //! page where the rest of this one is too short for it, and goes on below it.
    void WritePicture(int width, int height, const SheetPicture& picture);
    //! The printable area of the job's pages, in device units.
    PrintableArea Page() const { return m_page; }
    //! Whether the next write begins a page: at the top of the first, or after a page break.
    bool AtPageTop() const { return m_pagePending || (m_y == 0 && m_x == 0); }
    //! Finishes the page and hands the job to the printer. Text never drawn leaves no page.
    void Close();
    //! Gives up an open job after an error, so the next sheet can start; the font stays.
    void Abort() noexcept;

    //! The whole font at once: face, size and style.
    void SetFont(const PrinterFont& font) { m_font = font; }
    void SetFace(std::string face) { m_font.Face = std::move(face); }
    void SetSize(int points) { m_font.Points = points; }
    void SetStyle(FontStyle style);

    bool IsOpen() const { return m_open; }
    const PrinterFont& Font() const { return m_font; }

private:
    struct Fit
    {
        std::size_t count = 0; // whole characters
        int width = 0;
    };

    Fit LongestFit(std::string_view text, const std::vector<std::size_t>& starts, std::size_t first, int room);
    void DrawPiece(std::string_view piece, int width);
    void EndLine();
    void BreakPage();
    [[noreturn]] void Fail(int code);

    PrintSurface& m_surface;
    PrinterFont m_font;
    bool m_open = false;
    int m_x = 0;
    int m_y = 0;
    PrintableArea m_page;
    int m_lineHeight = 0;
    // A page break only moves the position; the page itself begins when something is drawn
    // on it, so a sheet whose last line end falls at the bottom leaves no blank page.
    bool m_pagePending = false;
};
