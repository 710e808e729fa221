#include "print/QPrinterSurface.h"

#include "ui/WindowRules.h"

#include <QFontMetrics>
#include <QPrinterInfo>

#include <cups/cups.h>

JobStart QPrinterSurface::BeginJob(const std::string& documentName)
{
    if (m_pdfFile.isEmpty()) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull())
            return JobStart::NoPrinter;
        m_printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdfFile);
    }
    m_printer->setDocName(QString::fromStdString(documentName));
    if (!m_painter.begin(m_printer.get())) {
        m_printer.reset();
        return JobStart::Failed;
    }
    return JobStart::Started;
}

PrintableArea QPrinterSurface::Area() const
{
    if (!m_printer)
        return {};
    return {m_printer->width(), m_printer->height()};
}

QFont QPrinterSurface::PrinterQFont(const PrinterFont& font) const
{
    const QString face = QString::fromStdString(font.Face);
    QFont qfont(face == QLatin1String("Times New Roman") ? SerifFace : face);
    qfont.setPointSize(font.Points);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    // Sizes in points are converted at the printer's resolution, not the screen's.
    return m_printer ? QFont(qfont, m_printer.get()) : qfont;
}

int QPrinterSurface::CellHeight(const PrinterFont& font)
{
    const QFontMetrics metrics(PrinterQFont(font), m_printer.get());
    return metrics.ascent() + metrics.descent();
}

int QPrinterSurface::TextWidth(const PrinterFont& font, std::string_view text)
{
    const QFontMetrics metrics(PrinterQFont(font), m_printer.get());
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

bool QPrinterSurface::DrawText(int x, int y, const PrinterFont& font, std::string_view text)
{
    if (!m_painter.isActive())
        return false;
    const QFont qfont = PrinterQFont(font);
    m_painter.setFont(qfont);
    // QPainter places text on its baseline; the device's y is the top of the character cell.
    m_painter.drawText(QPoint(x, y + QFontMetrics(qfont, m_printer.get()).ascent()),
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return m_printer->printerState() != QPrinter::Error;
}

bool QPrinterSurface::NewPage()
{
    return m_printer && m_printer->newPage();
}

bool QPrinterSurface::EndJob()
{
    if (!m_printer)
        return false;
    const bool toPrintSystem = m_printer->outputFormat() == QPrinter::NativeFormat;
    bool ended = m_painter.end() && m_printer->printerState() != QPrinter::Error;
    // Qt hands the finished document to CUPS inside end() and ignores CUPS's answer, so a queue
    // that refuses jobs, a queue deleted meanwhile or a server gone away would lose the sheet
    // silently. CUPS keeps the answer to this thread's last request: statuses below 0x0400 are
    // its successes, "successful-ok-ignored-or-substituted-attributes" among them.
    if (ended && toPrintSystem)
        ended = cupsLastError() < IPP_STATUS_ERROR_BAD_REQUEST;
    m_printer.reset();
    return ended;
}

void QPrinterSurface::AbortJob() noexcept
{
    if (!m_printer)
        return;
    // Where the print system cannot take the job back (CUPS gets it only when the painter
    // ends), what was drawn before the error goes out as a short sheet; either way the job
    // is over and the next sheet can start.
    m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
    m_printer.reset();
}
