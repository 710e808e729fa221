#pragma once

#include <functional>
#include <string>

class PrinterText;
class QWidget;

//! The program's one text device on the system's default printer. Its font carries over
//! from sheet to sheet.
PrinterText& ProgramPrinter();

//! What the Print item of every window does: the busy cursor over the window, the whole sheet
//! (StartPrinterSheet, `body`, FinishPrinterSheet) on the default printer, and the default
//! cursor again. An error gives the sheet up and puts the cursor back before it goes on to
//! the handler's error box.
void PrintFromWindow(QWidget* window, const std::string& documentName, const std::function<void(PrinterText&)>& body);
