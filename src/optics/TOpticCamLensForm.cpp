#include "optics/TOpticCamLensForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm2.h"
#include "ui/ErrorReport.h"
#include "ui/ProgramWindows.h"
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
    CompleteConfiguration(this, ConfigurationKind::CameraLens, {CamLensEdit, CamFEdit});
}

void TOpticCamLensForm::Button2Click()
{
    ShowThenClose(Windows().OpticForm2, this);
}
