#include "print/PdfFileSurface.h"

PdfFileSurface::PdfFileSurface(const QString& path, const QPageLayout& layout, int resolution)
    : m_file(path), m_layout(layout), m_resolution(resolution)
{
}

JobStart PdfFileSurface::BeginJob(const std::string& documentName)
{
    if (!m_file.open(QIODevice::WriteOnly)) {
        m_reason = m_file.errorString();
        return JobStart::Failed;
    }
    m_writer = std::make_unique<QPdfWriter>(&m_file);
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
    // QSaveFile refuses to commit a file any of whose writes failed, and only then says why.
    const bool ended = m_painter.end();
    m_writer.reset();
    if (ended && m_file.commit())
        return true;
    if (m_file.error() != QFileDevice::NoError)
        m_reason = m_file.errorString();
    m_file.cancelWriting();
    return false;
}

void PdfFileSurface::AbortJob() noexcept
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    // Nothing reaches the file's name, and the temporary file goes. After a failed write,
    // the refused commit is what says why.
    if (m_file.isOpen() && m_file.error() != QFileDevice::NoError && !m_file.commit())
        m_reason = m_file.errorString();
    m_file.cancelWriting();
}
