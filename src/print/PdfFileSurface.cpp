#include "print/PdfFileSurface.h"

#include "ui/SafeSave.h"

PdfFileSurface::PdfFileSurface(const QString& path, const QPageLayout& layout, int resolution)
    : m_path(path), m_buffer(&m_document), m_layout(layout), m_resolution(resolution)
{
}

JobStart PdfFileSurface::BeginJob(const std::string& documentName)
{
    m_document.clear();
    m_buffer.open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(&m_buffer);
    m_writer->setResolution(m_resolution);
    m_writer->setPageLayout(m_layout);
    m_writer->setTitle(QString::fromStdString(documentName));
    m_writer->setCreator(QStringLiteral("Orvalis Calculator"));
    if (!m_painter.begin(m_writer.get())) {
        AbortJob();
        return JobStart::Failed;
    }
    return JobStart::Started;
}

bool PdfFileSurface::EndJob()
{
    if (!m_writer)
        return false;
    // The writer puts out the last page and the document's index when the painter ends.
    const bool ended = m_painter.end();
    m_writer.reset();
    m_buffer.close();
    if (!ended)
        return false;
    try {
        SaveBytesSafely(m_path, m_document);
    } catch (const SaveError& error) {
        m_reason = error.Reason();
        return false;
    }
    return true;
}

void PdfFileSurface::AbortJob() noexcept
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    // Nothing was written to the disk: the document in memory is dropped.
    m_buffer.close();
    m_document.clear();
}
