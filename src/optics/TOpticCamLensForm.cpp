#include "optics/TOpticCamLensForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm2.h"
#include "ui/ErrorReport.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

TOpticCamLensForm::TOpticCamLensForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupDetailWindow(this);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticCamLensForm::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticCamLensForm::Button2Click);
}

void TOpticCamLensForm::Button3Click()
{
    CompleteConfiguration(this, Wizard().Report, ConfigurationKind::CameraLens, {CamLensEdit, CamFEdit});
}

void TOpticCamLensForm::Button2Click()
{
    ShowThenClose(Wizard().Choice, this);
}

void TOpticCamLensForm::WriteJobPart(Job::Configurations& part) const
{
    part.CameraLensFocalLength = CamLensEdit->text();
    part.CameraLensFRatio = CamFEdit->text();
}

void TOpticCamLensForm::RestoreJobPart(const Job::Configurations& part)
{
    PutText(CamLensEdit, part.CameraLensFocalLength);
    PutText(CamFEdit, part.CameraLensFRatio);
}
