#include "print/WindowPrinting.h"

#include "print/PdfFileSurface.h"
#include "print/PrinterSheet.h"
#include "print/QPrinterSurface.h"
#include "ui/BusyCursor.h"
#include "ui/SafeSave.h"
#include "ui/SaveDialogs.h"

#include <QPrinterInfo>

namespace {

struct PdfPage
{
    QPageLayout Layout;
    int Resolution = 0;
};

//! The page a printed sheet would get: the default printer's own layout and resolution, or
//! where there is no printer, A4 with the margins and resolution of QPrinter's PDF output.
PdfPage PageOfSheets()
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        const QPrinter printer(defaultPrinter, QPrinter::HighResolution);
        return {printer.pageLayout(), printer.resolution()};
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QPageLayout layout = printer.pageLayout();
    layout.setPageSize(QPageSize(QPageSize::A4));
    return {layout, printer.resolution()};
}

} // namespace

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

void AskWhereToSaveSheet(QWidget* window, const std::string& title, std::function<void(const QString& path)> save)
{
    SaveDialogs::AskToSave(window, QStringLiteral("Export as PDF"), QString::fromStdString(title) + QStringLiteral(".pdf"),
                           QStringLiteral("PDF documents (*.pdf)"), QStringLiteral("pdf"), std::move(save));
}

void SaveSheetAsPdf(const QString& path, const std::string& title, const std::function<void(PrinterText&)>& body)
{
    const BusyCursor busy;
    const PdfPage page = PageOfSheets();
    PdfFileSurface surface(path, page.Layout, page.Resolution);
    PrinterText device(surface);
    // The sheet starts in the font the printer's next sheet would start in.
    device.SetFont(ProgramPrinter().Font());
    try {
        PrintSheet(device, title, body);
    } catch (const PrinterError&) {
        throw SaveError(path, surface.FailureReason());
    }
}
