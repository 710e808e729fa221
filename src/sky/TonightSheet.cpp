#include "sky/TonightSheet.h"

#include "print/PrinterSheet.h"
#include "print/PrinterText.h"

namespace {

void WriteRows(PrinterText& printer, const std::vector<std::pair<std::string, std::string>>& rows)
{
    for (const auto& [caption, value] : rows) {
        printer.SetStyle(FontStyle::Regular);
        printer.Write(SheetIndent + caption + " ");
        printer.SetStyle(FontStyle::Bold);
        printer.WriteLine(value);
    }
}

} // namespace

void PrintTonightSheet(PrinterText& printer, const TonightSheetTexts& texts, const SheetPicture& chart)
{
    WriteSheetTitle(printer, TonightSheetTitle);
    printer.SetSize(11);
    WriteRows(printer, texts.Heading);
    printer.WriteLineEnd();
    WriteRows(printer, texts.Rows);
    printer.SetStyle(FontStyle::Regular);
    if (!texts.Note.empty())
        printer.WriteLine(SheetIndent + texts.Note);
    printer.WriteLineEnd();
    const int width = printer.Page().Width * 7 / 10;
    printer.WritePicture(width, static_cast<int>(width * texts.ChartAspect), chart);
}
