#pragma once

// Reading back what the program wrote to a PDF document, with Poppler's tools.

#include <QDebug>
#include <QProcess>
#include <QRegularExpression>
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

//! The fonts of the document, subset prefixes removed, sorted, each once. A font that is not
//! embedded keeps " (not embedded)" after its name, so that it fails any comparison with the
//! fonts a sheet should have: another machine would draw the sheet in a face of its own.
inline QStringList FontNames(const QString& document)
{
    // After a header and a line of dashes, pdffonts prints one line per font: its name, type
    // and encoding (a type may hold blanks, a long name pushes the columns on), then always
    // "emb sub uni" as yes or no and the object's number and generation.
    static const QRegularExpression font(QStringLiteral("^(\\S+) .* (yes|no) +(yes|no) +(yes|no) +\\d+ +\\d+$"));
    const QStringList lines = QString::fromUtf8(Output("pdffonts", {document})).split(QLatin1Char('\n'));
    QStringList names;
    if (lines.size() < 2 || !lines[0].contains(QRegularExpression(QStringLiteral(" emb +sub +uni +object ID"))))
        return {QStringLiteral("(no table of fonts)")};
    for (const QString& line : lines.mid(2)) {
        if (line.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch match = font.match(line);
        if (!match.hasMatch()) {
            names << QStringLiteral("(unread: %1)").arg(line);
            continue;
        }
        QString name = match.captured(1).section(QLatin1Char('+'), -1);
        if (match.captured(2) != QLatin1String("yes"))
            name += QStringLiteral(" (not embedded)");
        names << name;
    }
    names.sort();
    names.removeDuplicates();
    return names;
}
