#include "print/QPrinterSurface.h"

#include <QPrinterInfo>

#include <cups/cups.h>
#include <dlfcn.h>

#include <optional>

namespace {

//! The CUPS client library by the name the dynamic linker knows it under: its soname, which
//! is what Qt's CUPS print plugin records as its dependency (readelf -d
//! libcupsprintersupport.so: NEEDED libcups.so.2), and the name the CUPS 2 client library
//! (Debian's libcups2) carries. A client library of another ABI has another soname, which this
//! lookup does not find: tst_Printing then fails, rather than this check going quiet.
constexpr const char* CupsLibrary = "libcups.so.2";

//! CUPS's answer to this thread's last request, from the CUPS library that Qt's print plugin
//! loaded to print. The program does not load the library itself, so that start-up pays for
//! it only when something is printed; where it is not loaded, CUPS was never asked.
std::optional<ipp_status_t> LastCupsAnswer()
{
    void* library = dlopen(CupsLibrary, RTLD_NOW | RTLD_NOLOAD);
    if (!library)
        return std::nullopt;
    std::optional<ipp_status_t> answer;
    if (void* symbol = dlsym(library, "cupsLastError"))
        answer = reinterpret_cast<decltype(&cupsLastError)>(symbol)();
    dlclose(library);
    return answer;
}

} // namespace

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

bool QPrinterSurface::EndJob()
{
    if (!m_printer)
        return false;
    const bool toPrintSystem = m_printer->outputFormat() == QPrinter::NativeFormat;
    bool ended = m_painter.end() && m_printer->printerState() != QPrinter::Error;
    // Qt hands the finished document to CUPS inside end() and ignores CUPS's answer, so a queue
    // that refuses jobs, a queue deleted meanwhile or a server gone away would lose the sheet
    // silently. CUPS keeps the answer to this thread's last request: statuses below 0x0400 are
    // not errors (the successes, "successful-ok-ignored-or-substituted-attributes" among them,
    // and IPP's informational and redirection codes); from 0x0400 on, the job was refused.
    m_answerRead = false;
    if (ended && toPrintSystem) {
        const std::optional<ipp_status_t> answer = LastCupsAnswer();
        m_answerRead = answer.has_value();
        ended = !answer || *answer < IPP_STATUS_ERROR_BAD_REQUEST;
    }
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
