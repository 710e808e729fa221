#include "print/WindowPrinting.h"

#include "print/PrinterSheet.h"
#include "print/QPrinterSurface.h"

#include <QWidget>

PrinterText& ProgramPrinter()
{
    static QPrinterSurface surface;
    static PrinterText printer(surface);
    return printer;
}

void PrintFromWindow(QWidget* window, const std::string& documentName, const std::function<void(PrinterText&)>& body)
{
    struct BusyCursor
    {
        QWidget* window;
        explicit BusyCursor(QWidget* w) : window(w) { window->setCursor(Qt::WaitCursor); }
        ~BusyCursor() { window->unsetCursor(); }
        BusyCursor(const BusyCursor&) = delete;
        BusyCursor& operator=(const BusyCursor&) = delete;
    } busy(window);
    PrintSheet(ProgramPrinter(), documentName, body);
}
