#include "print/WindowPrinting.h"

#include "print/PdfFileSurface.h"
#include "print/PrinterSheet.h"
#include "print/QPrinterSurface.h"
#include "ui/BusyCursor.h"
#include "ui/SaveDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

//! The folder of the last file name confirmed in this run; empty until then.
QString& LastFolder()
{
    static QString folder;
    return folder;
}

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
    QString folder = LastFolder();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QString::fromStdString(title) + QStringLiteral(".pdf");
    SaveDialogs::Request request{window, QStringLiteral("Export as PDF"), QDir(folder).filePath(name),
                                 QStringLiteral("PDF documents (*.pdf)"), QStringLiteral("pdf")};
    SaveDialogs::Ask(request, [save = std::move(save)](const QString& path) {
        LastFolder() = QFileInfo(path).absolutePath();
        save(path);
    });
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
        const QString reason = surface.FailureReason();
        throw SaveError(QStringLiteral("Could not save \"%1\": %2")
                            .arg(QDir::toNativeSeparators(path), reason.isEmpty() ? QStringLiteral("the file could not be written") : reason)
                            .toStdString());
    }
}
