#pragma once

#include "print/PainterSurface.h"

#include <QPrinter>

#include <memory>
#include <utility>

//! The system's default printer through QPrinter and QPainter: no dialog, the printer's
//! own high resolution, text drawn in the printable area.
class QPrinterSurface : public PainterSurface
{
public:
    QPrinterSurface() = default;
    //! Jobs written to a PDF file instead of the default printer (for the benchmarks).
    explicit QPrinterSurface(QString pdfFile) : m_pdfFile(std::move(pdfFile)) {}
    //! A job still open is given up, so the painter never outlives its printer.
    ~QPrinterSurface() override { AbortJob(); }
    QPrinterSurface(const QPrinterSurface&) = delete;
    QPrinterSurface& operator=(const QPrinterSurface&) = delete;

    JobStart BeginJob(const std::string& documentName) override;
    bool EndJob() override;
    void AbortJob() noexcept override;

    //! Whether CUPS's answer to the last job handed to the print system was found and read.
    //! Where it was not, a refused job would pass for printed: the tests hold it true.
    bool AnswerRead() const { return m_answerRead; }

protected:
    QPagedPaintDevice* Device() const override { return m_printer.get(); }
    bool DeviceFailed() const override { return m_printer->printerState() == QPrinter::Error; }

private:
    QString m_pdfFile;
    std::unique_ptr<QPrinter> m_printer; // one per job: the default printer may change between sheets
    bool m_answerRead = false;
};
