#include "optics/TOpticTeleForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

TOpticTeleForm::TOpticTeleForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupDetailWindow(this);
    Label2->setFont(PixelFont(11, true));
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticTeleForm::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticTeleForm::Button2Click);
}

void TOpticTeleForm::Button3Click()
{
    CompleteConfiguration(this, Wizard().Report, ConfigurationKind::Teleconverter, {MagnificationEdit});
}

void TOpticTeleForm::Button2Click()
{
    ShowThenClose(Wizard().Telescope, this);
}

void TOpticTeleForm::WriteJobPart(Job::Configurations& part) const
{
    part.TeleconverterMagnification = MagnificationEdit->text();
}

void TOpticTeleForm::RestoreJobPart(const Job::Configurations& part)
{
    PutText(MagnificationEdit, part.TeleconverterMagnification);
}
