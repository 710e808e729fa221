#include "optics/TOpticBarlowForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/ProgramWindows.h"
#include "ui/WindowRules.h"

TOpticBarlowForm::TOpticBarlowForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupDetailWindow(this);
    Label6->setFont(PixelFont(11));
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticBarlowForm::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticBarlowForm::Button2Click);
}

void TOpticBarlowForm::Button3Click()
{
    CompleteConfiguration(this, ConfigurationKind::BarlowLens, {BarlowFLEdit, BarlowDistanceEdit});
}

void TOpticBarlowForm::Button2Click()
{
    ShowThenClose(Windows().OpticForm1, this);
}
