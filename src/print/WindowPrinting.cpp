#include "print/WindowPrinting.h"

#include "print/PdfFileSurface.h"
#include "print/PrinterSheet.h"
#include "print/QPrinterSurface.h"
#include "ui/BusyCursor.h"
#include "ui/SafeSave.h"
#include "ui/SaveDialogs.h"

#include <QLocale>
#include <QMarginsF>

namespace {

// An exported sheet keeps the margins and the resolution that QPrinter gives PDF output.
constexpr double PdfMarginPoints = 10;
constexpr int PdfResolution = 1200;

//! The page of an exported sheet. It is taken from the locale and never from the default
//! printer: asking CUPS for it would hold the whole program for as long as a print server
//! that is configured but does not answer keeps the question open, and constructing a
//! QPrinter asks it too.
QPageLayout PdfPageLayout()
{
    return {QPageSize(PaperOfLocale(QLocale())), QPageLayout::Portrait,
            QMarginsF(PdfMarginPoints, PdfMarginPoints, PdfMarginPoints, PdfMarginPoints), QPageLayout::Point};
}

QPrinterSurface& ProgramSurface()
{
    static QPrinterSurface surface;
    return surface;
}

} // namespace

QPageSize::PageSizeId PaperOfLocale(const QLocale& locale)
{
    // Canada and Mexico measure in metric units but buy their paper in US sizes.
    const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem
                        || locale.territory() == QLocale::Canada || locale.territory() == QLocale::Mexico;
    return letter ? QPageSize::Letter : QPageSize::A4;
}

PrinterText& ProgramPrinter()
{
    static PrinterText printer(ProgramSurface());
    return printer;
}

bool PrintSystemAnswerRead()
{
    return ProgramSurface().AnswerRead();
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
    PdfFileSurface surface(path, PdfPageLayout(), PdfResolution);
    PrinterText device(surface);
    // The sheet starts in the font the printer's next sheet would start in.
    device.SetFont(ProgramPrinter().Font());
    try {
        PrintSheet(device, title, body);
    } catch (const PrinterError&) {
        throw SaveError(path, surface.FailureReason());
    }
}
