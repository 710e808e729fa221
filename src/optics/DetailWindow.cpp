#include "optics/DetailWindow.h"

#include "app/MessageBoxes.h"
#include "app/ProgramWindows.h"
#include "app/WindowRules.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticReportForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

void SetupDetailWindow(QWidget* window)
{
    SetupWindowFrame(window, {503, 393});
    window->setFont(PixelFont(11));
    SetBackground(window, Silver);
    for (QLabel* label : window->findChildren<QLabel*>())
        label->setFont(PixelFont(13, true));
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        box->setFont(PixelFont(13, true));
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->setFont(PixelFont(11, true));
}

void CompleteConfiguration(QWidget* window, ConfigurationKind kind, std::initializer_list<const QLineEdit*> boxes)
{
    std::vector<std::string> texts;
    for (const QLineEdit* box : boxes)
        texts.push_back(box->text().toStdString());
    if (!CompleteOpticalJob(kind, texts, OpticalJob)) {
        MessageBoxes::Refuse(QString::fromUtf8(RefusalMessage(kind)));
        return;
    }
    OpticalJob.ReturnWindow = window;
    ShowThenClose(Windows().OpticReportForm, window);
}
