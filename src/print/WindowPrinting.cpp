#include "print/WindowPrinting.h"

#include "print/PrinterSheet.h"
#include "print/QPrinterSurface.h"
#include "ui/BusyCursor.h"

PrinterText& ProgramPrinter()
{
    static QPrinterSurface surface;
    static PrinterText printer(surface);
    return printer;
}

void PrintOnDefaultPrinter(const std::string& documentName, const std::function<void(PrinterText&)>& body)
{
    const BusyCursor busy;
    PrintSheet(ProgramPrinter(), documentName, body);
}
