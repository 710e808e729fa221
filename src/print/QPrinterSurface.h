#pragma once

#include "print/PrintSurface.h"

#include <QPainter>
#include <QPrinter>

#include <memory>
#include <utility>

class QFont;

//! The system's default printer through QPrinter and QPainter: no dialog, the printer's
//! own high resolution, text drawn in the printable area.
class QPrinterSurface : public PrintSurface
{
public:
    QPrinterSurface() = default;
    //! Jobs written to a PDF file instead of the default printer (for the benchmarks).
    explicit QPrinterSurface(QString pdfFile) : m_pdfFile(std::move(pdfFile)) {}

    JobStart BeginJob(const std::string& documentName) override;
    PrintableArea Area() const override;
    int CellHeight(const PrinterFont& font) override;
    int TextWidth(const PrinterFont& font, std::string_view text) override;
    bool DrawText(int x, int y, const PrinterFont& font, std::string_view text) override;
    bool NewPage() override;
    bool EndJob() override;
    void AbortJob() noexcept override;

private:
    QFont PrinterQFont(const PrinterFont& font) const;

    QString m_pdfFile;
    std::unique_ptr<QPrinter> m_printer; // one per job: the default printer may change between sheets
    QPainter m_painter;
};
