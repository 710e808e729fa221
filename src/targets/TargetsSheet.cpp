#include "targets/TargetsSheet.h"

#include "print/PrinterSheet.h"
#include "print/PrinterText.h"

#include <algorithm>

namespace {

//! Characters, not bytes, so that "×" and "—" pad like any other.
std::size_t Characters(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

//! The table's own margin: narrower than the sheets' indent, so that ten columns fit the page.
constexpr const char* TableIndent = "  ";
//! The longest object name printed; a longer one ends in "…".
constexpr std::size_t LongestName = 32;

std::string Shortened(const std::string& text)
{
    if (Characters(text) <= LongestName)
        return text;
    std::size_t end = 0;
    for (std::size_t kept = 0; kept < LongestName - 1; ++kept)
        do
            ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
    return text.substr(0, end) + "\u2026";
}

std::string Line(const std::vector<std::string>& cells, const std::vector<std::size_t>& widths)
{
    std::string line = TableIndent;
    for (std::size_t i = 0; i < cells.size() && i < widths.size(); ++i) {
        // The object's name and kind to the left, the figures to the right of their columns.
        const std::string padding(widths[i] - Characters(cells[i]), ' ');
        line += i < 3 ? cells[i] + padding : padding + cells[i];
        line += "  ";
    }
    return line;
}

} // namespace

std::string CountText(std::size_t count)
{
    std::string text = std::to_string(count);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(text.size()) - 3; at > 0; at -= 3)
        text.insert(static_cast<std::size_t>(at), 1, ',');
    return text;
}

void PrintTargetsSheet(PrinterText& printer, const TargetsSheetTexts& texts)
{
    WriteSheetTitle(printer, TargetsSheetTitle);
    printer.SetSize(11);
    printer.SetStyle(FontStyle::Regular);
    for (const std::string& line : texts.Heading)
        printer.WriteLine(SheetIndent + line);
    printer.WriteLineEnd();

    const std::size_t printed = std::min(texts.Rows.size(), MostSheetRows);
    std::vector<std::vector<std::string>> rows(texts.Rows.begin(), texts.Rows.begin() + static_cast<std::ptrdiff_t>(printed));
    for (std::vector<std::string>& row : rows)
        if (!row.empty())
            row.front() = Shortened(row.front());
    std::vector<std::size_t> widths;
    for (const std::string& column : texts.Columns)
        widths.push_back(Characters(column));
    for (const std::vector<std::string>& row : rows)
        for (std::size_t i = 0; i < widths.size() && i < row.size(); ++i)
            widths[i] = std::max(widths[i], Characters(row[i]));

    printer.SetFont({"Liberation Mono", 7, false, false});
    const auto heading = [&] {
        printer.SetStyle(FontStyle::Bold);
        printer.WriteLine(Line(texts.Columns, widths));
        printer.SetStyle(FontStyle::Regular);
    };
    heading();
    for (const std::vector<std::string>& row : rows) {
        if (printer.AtPageTop())
            heading();
        printer.WriteLine(Line(row, widths));
    }
    if (texts.Rows.size() > printed)
        printer.WriteLine(TableIndent + ("and " + CountText(texts.Rows.size() - printed) + " more"));
    printer.SetFont({"Times New Roman", 14, false, false});
}
