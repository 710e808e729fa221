#pragma once

#include <functional>
#include <string>

class PrinterText;

//! The program's one text device on the system's default printer. Its font carries over
//! from sheet to sheet.
PrinterText& ProgramPrinter();

//! What the Print item of every window does: the busy cursor over the whole program, the whole
//! sheet (StartPrinterSheet, `body`, FinishPrinterSheet) on the default printer, and the usual
//! cursors again. An error gives the sheet up and puts the cursors back before it goes on to
//! the handler's error box.
void PrintOnDefaultPrinter(const std::string& documentName, const std::function<void(PrinterText&)>& body);
