#include "print/PrinterText.h"

#include <algorithm>

namespace {

bool StartsCharacter(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

//! The text as it is drawn: a pasted tab, line break or other control character is one blank,
//! so it can neither move the position nor reach the printer as a command.
std::string Printable(std::string_view text)
{
    std::string printable;
    printable.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            printable += ' ';
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                   && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            printable += ' '; // U+0080 to U+009F, the C1 controls
            ++i;
        } else {
            printable += text[i];
        }
    }
    return printable;
}

} // namespace

void PrinterText::Open(const std::string& documentName)
{
    if (m_open)
        throw PrinterError("Printing in progress");
    switch (m_surface.BeginJob(documentName)) {
    case JobStart::NoPrinter:
        throw PrinterError("There is no default printer currently selected");
    case JobStart::Failed:
        Fail(PrinterErrorCode::Open);
    case JobStart::Started:
        break;
    }
    m_open = true;
    m_x = 0;
    m_y = 0;
    m_lineHeight = 0;
    m_pagePending = false;
    m_page = m_surface.Area();
}

void PrinterText::SetStyle(FontStyle style)
{
    m_font.Bold = style == FontStyle::Bold || style == FontStyle::BoldItalic;
    m_font.Italic = style == FontStyle::Italic || style == FontStyle::BoldItalic;
}

void PrinterText::Write(std::string_view text)
{
    if (!m_open)
        Fail(PrinterErrorCode::Draw);
    if (text.empty())
        return;
    const std::string printable = Printable(text);
    std::vector<std::size_t> starts; // byte offset of every character, then the end
    starts.reserve(printable.size() + 1);
    for (std::size_t i = 0; i < printable.size(); ++i)
        if (StartsCharacter(printable[i]))
            starts.push_back(i);
    starts.push_back(printable.size());
    const std::size_t characters = starts.size() - 1;

    std::size_t first = 0;
    while (first < characters) {
        // After empty lines near the bottom the next line might not fit under them any more.
        if (m_y > 0 && m_y + m_surface.CellHeight(m_font) > m_page.Height)
            BreakPage();
        Fit fit = LongestFit(printable, starts, first, m_page.Width - m_x);
        if (fit.count == 0) {
            if (m_x > 0) {
                EndLine();
                continue;
            }
            // Not even one character fits a whole line: it is drawn all the same, so that
            // every line takes at least one and the text always comes to an end.
            fit.count = 1;
            fit.width = m_surface.TextWidth(m_font, std::string_view(printable).substr(starts[first], starts[first + 1] - starts[first]));
        }
        DrawPiece(std::string_view(printable).substr(starts[first], starts[first + fit.count] - starts[first]), fit.width);
        first += fit.count;
        if (first < characters)
            EndLine();
    }
}

PrinterText::Fit PrinterText::LongestFit(std::string_view text, const std::vector<std::size_t>& starts,
                                         std::size_t first, int room)
{
    const std::size_t remaining = starts.size() - 1 - first;
    auto width = [&](std::size_t count) {
        return m_surface.TextWidth(m_font, text.substr(starts[first], starts[first + count] - starts[first]));
    };
    // Widen the probe by doubling, then halve the gap: each line costs a few measurements of
    // about its own length, so even a box text of 32,767 characters lays out in linear time.
    Fit fits;                       // the longest run known to fit
    std::size_t tooLong = remaining + 1; // the shortest run known not to fit
    for (std::size_t probe = std::min<std::size_t>(64, remaining);; probe = std::min(probe * 2, remaining)) {
        const int w = width(probe);
        if (w > room) {
            tooLong = probe;
            break;
        }
        fits = {probe, w};
        if (probe == remaining)
            return fits;
    }
    while (tooLong - fits.count > 1) {
        const std::size_t middle = fits.count + (tooLong - fits.count) / 2;
        const int w = width(middle);
        if (w > room)
            tooLong = middle;
        else
            fits = {middle, w};
    }
    return fits;
}

void PrinterText::DrawPiece(std::string_view piece, int width)
{
    const int height = m_surface.CellHeight(m_font);
    if (height > m_lineHeight)
        m_lineHeight = height + 2;
    if (m_pagePending) {
        m_pagePending = false;
        if (!m_surface.NewPage())
            Fail(PrinterErrorCode::NewPage);
    }
    if (!m_surface.DrawText(m_x, m_y, m_font, piece))
        Fail(PrinterErrorCode::Draw);
    m_x += width;
}

void PrinterText::WritePicture(int width, int height, const SheetPicture& picture)
{
    if (!m_open)
        Fail(PrinterErrorCode::Draw);
    if (m_x > 0)
        EndLine();
    if (m_y > 0 && m_y + height > m_page.Height)
        BreakPage();
    if (m_pagePending) {
        m_pagePending = false;
        if (!m_surface.NewPage())
            Fail(PrinterErrorCode::NewPage);
    }
    if (!m_surface.DrawPicture((m_page.Width - width) / 2, m_y, width, height, picture))
        Fail(PrinterErrorCode::Draw);
    m_y += height;
    m_lineHeight = 0;
    if (m_y >= m_page.Height)
        BreakPage();
}

void PrinterText::WriteLineEnd()
{
    if (!m_open)
        Fail(PrinterErrorCode::Draw);
    EndLine();
}

void PrinterText::WriteLine(std::string_view text)
{
    Write(text);
    WriteLineEnd();
}

void PrinterText::EndLine()
{
    const int ended = m_lineHeight; // 0 when nothing was printed on the line
    m_y += ended > 0 ? ended : m_surface.CellHeight(m_font);
    m_x = 0;
    if (m_y > m_page.Height - 2 * ended)
        BreakPage();
    m_lineHeight = 0;
}

void PrinterText::BreakPage()
{
    m_pagePending = true;
    m_x = 0;
    m_y = 0;
    m_lineHeight = 0;
}

void PrinterText::Close()
{
    if (!m_open)
        Fail(PrinterErrorCode::Close);
    m_open = false;
    if (!m_surface.EndJob())
        Fail(PrinterErrorCode::Close);
}

void PrinterText::Abort() noexcept
{
    if (!m_open)
        return;
    m_open = false;
    m_surface.AbortJob();
}

void PrinterText::Fail(int code)
{
    throw PrinterError("I/O error " + std::to_string(code));
}
