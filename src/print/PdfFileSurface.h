#pragma once

#include "print/PainterSurface.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageLayout>
#include <QPdfWriter>

#include <memory>

//! A sheet saved as a PDF file: the same lines a printer would get. The document is made in
//! memory and written by the program's one safe way of writing a file once it is complete, so
//! the file appears under its name whole or not at all, and a file of that name already there
//! is replaced only then.
class PdfFileSurface : public PainterSurface
{
public:
    PdfFileSurface(const QString& path, const QPageLayout& layout, int resolution);
    //! A document still open is given up, so the painter never outlives its writer.
    ~PdfFileSurface() override { AbortJob(); }
    PdfFileSurface(const PdfFileSurface&) = delete;
    PdfFileSurface& operator=(const PdfFileSurface&) = delete;

    JobStart BeginJob(const std::string& documentName) override;
    bool EndJob() override;
    void AbortJob() noexcept override;

    //! Why the file could not be written, in plain words; empty while nothing has failed.
    QString FailureReason() const { return m_reason; }

protected:
    QPagedPaintDevice* Device() const override { return m_writer.get(); }
    bool DeviceFailed() const override { return false; } // memory takes every write

private:
    QString m_path;
    QByteArray m_document;
    QBuffer m_buffer;
    QPageLayout m_layout;
    int m_resolution;
    std::unique_ptr<QPdfWriter> m_writer;
    QString m_reason;
};
