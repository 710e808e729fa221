#include "optics/OpticalSheet.h"

#include "print/PrinterSheet.h"

#include <string_view>

namespace {

//! The text after its first `count` characters (UTF-8: a character may take several bytes).
std::string_view WithoutFirstCharacters(std::string_view text, int count)
{
    std::size_t at = 0;
    for (int skipped = 0; skipped < count && at < text.size(); ++skipped) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return text.substr(at);
}

//! Each line of the configuration text on a printed line of its own behind the indent: a CR
//! ends the line, an LF is skipped.
void WriteConfiguration(PrinterText& printer, std::string_view text)
{
    printer.Write(SheetIndent);
    std::string run;
    for (const char c : text) {
        if (c == '\r') {
            printer.Write(run);
            run.clear();
            printer.WriteLineEnd();
            printer.Write(SheetIndent);
        } else if (c != '\n') {
            run += c;
        }
    }
    printer.Write(run);
}

} // namespace

void PrintOpticalSheet(PrinterText& printer, const OpticalSheetTexts& texts)
{
    const std::string indent = SheetIndent;
    WriteSheetTitle(printer, OpticalSheetTitle);

    printer.SetStyle(FontStyle::Regular);
    printer.WriteLine(indent + texts.Label1 + ' ' + texts.ApertureLabel);
    printer.WriteLine(indent + texts.Label2 + ' ' + texts.FLLabel);
    EmptyLines(printer, 1);

    printer.SetStyle(FontStyle::Bold);
    WriteConfiguration(printer, texts.ConfigLabel);
    printer.WriteLineEnd();
    EmptyLines(printer, 1);
    printer.WriteLine(indent + "Effective focal length = " + texts.EFLLabel);
    EmptyLines(printer, 1);

    printer.Write(indent + "Effective f-ratio = ");
    printer.SetStyle(FontStyle::BoldItalic);
    printer.Write("f/");
    printer.SetStyle(FontStyle::Bold);
    printer.WriteLine(WithoutFirstCharacters(texts.fLabel, 2));
    printer.SetStyle(FontStyle::Regular);
    EmptyLines(printer, 1);

    printer.WriteLine(indent + texts.Label6 + ' ' + texts.FOVLabel);
    printer.WriteLine(indent + texts.Label7 + ' ' + texts.FOV20Label);
    EmptyLines(printer, 1);
    printer.WriteLine(indent + texts.Label10 + ' ' + texts.MoonImageSizeLabel);
    printer.WriteLine(indent + texts.Label9 + ' ' + texts.JupiterImageSizeLabel);
    EmptyLines(printer, 1);
}
