#include "print/PrinterSheet.h"

void EmptyLines(PrinterText& printer, int count)
{
    for (int i = 0; i < count; ++i)
        printer.WriteLineEnd();
}

void StartPrinterSheet(PrinterText& printer, const std::string& documentName)
{
    printer.Open(documentName);
    printer.SetFace("Times New Roman");
    printer.SetSize(14);
}

void WriteSheetTitle(PrinterText& printer, const std::string& title)
{
    EmptyLines(printer, 7);
    printer.SetStyle(FontStyle::Italic);
    printer.WriteLine(SheetIndent + title);
    EmptyLines(printer, 2);
}

void FinishPrinterSheet(PrinterText& printer)
{
    printer.SetSize(9);
    printer.WriteLineEnd();
    printer.WriteLineEnd();
    printer.Write("                  Compliments of ");
    printer.SetStyle(FontStyle::Italic);
    printer.Write("Quillmarsh,");
    printer.SetStyle(FontStyle::Regular);
    printer.WriteLine(" by Penwright.");
    printer.Close();
}

void PrintSheet(PrinterText& printer, const std::string& documentName, const std::function<void(PrinterText&)>& body)
{
    StartPrinterSheet(printer, documentName); // when this fails, no job of this sheet is open
    try {
        body(printer);
        FinishPrinterSheet(printer);
    } catch (...) {
        printer.Abort();
        throw;
    }
}
