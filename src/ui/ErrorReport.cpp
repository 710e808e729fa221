#include "ui/ErrorReport.h"

#include "ui/ErrorText.h"
#include "ui/MessageBoxes.h"

void ShowErrorReport(const char* message) noexcept
{
    try {
        MessageBoxes::Show({QStringLiteral("Orvalis Exposure Calculator"),
                            QString::fromStdString(ErrorReportText(message)), MessageBoxes::Buttons::Ok, true});
    } catch (...) {
        // Nothing more can be reported when the report itself fails.
    }
}
