#pragma once

// Reading back what the program wrote to a PDF document, with Poppler's tools.

#include <QDebug>
#include <QProcess>
#include <QStringList>

//! Runs a tool to its end and returns what it printed; a failing tool is logged, and its
//! empty output fails the comparison that follows.
inline QByteArray Output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return process.readAllStandardOutput();
}

//! The lines of the document's text, blanks run together, empty lines left out.
inline QStringList TextLines(const QString& document)
{
    QStringList lines;
    for (const QString& line : QString::fromUtf8(Output("pdftotext", {document, "-"})).split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}
