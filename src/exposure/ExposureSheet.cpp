#include "exposure/ExposureSheet.h"

#include "print/PrinterSheet.h"

void PrintExposureSheet(PrinterText& printer, const ExposureSheetTexts& texts)
{
    const std::string indent = SheetIndent;
    WriteSheetTitle(printer, ExposureSheetTitle);

    printer.SetStyle(FontStyle::BoldItalic);
    printer.Write(indent + "m\"=");
    printer.SetStyle(FontStyle::Bold);
    printer.WriteLine(texts.Brightness);
    printer.SetStyle(FontStyle::Regular);
    EmptyLines(printer, 1);

    printer.WriteLine(indent + "Film speed " + texts.Speed);
    printer.WriteLine(indent + "Reciprocity failure p=" + texts.Reciprocity);
    printer.WriteLine(indent + "Filter factor " + texts.FilterFactor);
    EmptyLines(printer, 1);

    printer.Write(indent);
    printer.SetStyle(FontStyle::BoldItalic);
    printer.Write("f/");
    printer.SetStyle(FontStyle::Bold);
    printer.WriteLine(texts.FRatio);
    EmptyLines(printer, 1);
    printer.WriteLine(indent + "Suggested exposure: " + texts.Exposure);
    printer.SetStyle(FontStyle::Regular);
    EmptyLines(printer, 1);

    if (texts.CautionVisible) {
        printer.Write(indent);
        printer.SetSize(12);
        printer.WriteLine(texts.Caution);
    }
}
