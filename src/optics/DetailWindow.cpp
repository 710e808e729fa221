#include "optics/DetailWindow.h"

#include "optics/OpticalJob.h"
#include "optics/TOpticReportForm.h"
#include "ui/MessageBoxes.h"
#include "ui/WindowRules.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

void SetupDetailWindow(QWidget* window)
{
    SetupWindowFrame(window, {503, 393});
    SetBackground(window, Silver);
    // The fonts come when the window is first shown: a text box lays its text out afresh in
    // each new font, which start-up need not pay for. A control that its window has given a
    // font of its own keeps it.
    WhenFirstShown(window, [window] {
        const auto give = [](QWidget* control, const QFont& font) {
            if (!control->testAttribute(Qt::WA_SetFont))
                control->setFont(font);
        };
        for (QLabel* label : window->findChildren<QLabel*>())
            give(label, PixelFont(13, true));
        for (QLineEdit* box : window->findChildren<QLineEdit*>())
            give(box, PixelFont(13, true));
        for (QPushButton* button : window->findChildren<QPushButton*>())
            give(button, PixelFont(11, true));
    });
}

void CompleteConfiguration(QWidget* window, TOpticReportForm* report, ConfigurationKind kind,
                           std::initializer_list<const QLineEdit*> boxes)
{
    std::vector<std::string> texts;
    for (const QLineEdit* box : boxes)
        texts.push_back(box->text().toStdString());
    if (!CompleteOpticalJob(kind, texts, OpticalJob)) {
        MessageBoxes::Refuse(QString::fromUtf8(RefusalMessage(kind)));
        return;
    }
    OpticalJob.ReturnWindow = window;
    ShowThenClose(report, window);
}
