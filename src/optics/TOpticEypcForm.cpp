#include "optics/TOpticEypcForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/ProgramWindows.h"
#include "ui/WindowRules.h"

TOpticEypcForm::TOpticEypcForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupDetailWindow(this);
    Label6->setFont(PixelFont(11));
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticEypcForm::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticEypcForm::Button2Click);
}

void TOpticEypcForm::Button3Click()
{
    CompleteConfiguration(this, ConfigurationKind::EyepieceProjection, {EypcFLEdit, EypcDistanceEdit});
}

void TOpticEypcForm::Button2Click()
{
    ShowThenClose(Windows().OpticForm1, this);
}
