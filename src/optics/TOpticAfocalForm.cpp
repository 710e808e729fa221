#include "optics/TOpticAfocalForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

TOpticAfocalForm::TOpticAfocalForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupDetailWindow(this);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticAfocalForm::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticAfocalForm::Button2Click);
}

void TOpticAfocalForm::Button3Click()
{
    CompleteConfiguration(this, Wizard().Report, ConfigurationKind::Afocal, {EypcEdit, CamLensEdit});
}

void TOpticAfocalForm::Button2Click()
{
    ShowThenClose(Wizard().Telescope, this);
}

void TOpticAfocalForm::WriteJobPart(Job::Configurations& part) const
{
    part.AfocalCameraLens = CamLensEdit->text();
    part.AfocalEyepiece = EypcEdit->text();
}

void TOpticAfocalForm::RestoreJobPart(const Job::Configurations& part)
{
    PutText(CamLensEdit, part.AfocalCameraLens);
    PutText(EypcEdit, part.AfocalEyepiece);
}
