#pragma once

#include <QPageSize>
#include <QString>

#include <functional>
#include <string>

class PrinterText;
class QLocale;
class QWidget;

//! The program's one text device on the system's default printer. Its font carries over
//! from sheet to sheet.
PrinterText& ProgramPrinter();

//! Whether the print system's answer to the last sheet ProgramPrinter handed over was read
//! (see QPrinterSurface::AnswerRead).
bool PrintSystemAnswerRead();

//! What the Print item of every window does: the busy cursor over the whole program, the whole
//! sheet (StartPrinterSheet, `body`, FinishPrinterSheet) on the default printer, and the usual
//! cursors again. An error gives the sheet up and puts the cursors back before it goes on to
//! the handler's error box.
void PrintOnDefaultPrinter(const std::string& documentName, const std::function<void(PrinterText&)>& body);

//! What the "Export as PDF..." item of each window that prints a sheet does: asks in a save
//! dialog for a PDF file, offering the sheet's title in the folder SaveDialogs::AskToSave
//! offers (the documents folder, or home, until a file was written). `save` runs once the user
//! has confirmed a name; Cancel does nothing.
void AskWhereToSaveSheet(QWidget* window, const std::string& title, std::function<void(const QString& path)> save);

//! Writes the sheet that PrintOnDefaultPrinter would print now, the same lines and fonts, to a
//! PDF file at `path`, with the busy cursor while it works. The pages are the locale's paper
//! (PaperOfLocale) with margins of 10 points, at 1200 dots per inch; the print system is never
//! asked.
//! The file appears only complete; on any failure a file already there stays as it was, no
//! temporary file is left, and SaveError (ui/SafeSave.h) goes on to the handler's error box.
void SaveSheetAsPdf(const QString& path, const std::string& title, const std::function<void(PrinterText&)>& body);

//! The paper of an exported sheet in `locale`: US Letter where the locale measures in US units
//! or lies in Canada or Mexico, A4 everywhere else (under the C locale too).
QPageSize::PageSizeId PaperOfLocale(const QLocale& locale);
