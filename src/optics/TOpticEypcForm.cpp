#include "optics/TOpticEypcForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/QuietBoxes.h"
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
    CompleteConfiguration(this, Wizard().Report, ConfigurationKind::EyepieceProjection, {EypcFLEdit, EypcDistanceEdit});
}

void TOpticEypcForm::Button2Click()
{
    ShowThenClose(Wizard().Telescope, this);
}

void TOpticEypcForm::WriteJobPart(Job::Configurations& part) const
{
    part.EyepieceFocalLength = EypcFLEdit->text();
    part.EyepieceDistance = EypcDistanceEdit->text();
}

void TOpticEypcForm::RestoreJobPart(const Job::Configurations& part)
{
    PutText(EypcFLEdit, part.EyepieceFocalLength);
    PutText(EypcDistanceEdit, part.EyepieceDistance);
}
