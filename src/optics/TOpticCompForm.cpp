#include "optics/TOpticCompForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

TOpticCompForm::TOpticCompForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupDetailWindow(this);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TOpticCompForm::Button3Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticCompForm::Button2Click);
}

void TOpticCompForm::Button3Click()
{
    CompleteConfiguration(this, Wizard().Report, ConfigurationKind::Compression, {MagnificationEdit});
}

void TOpticCompForm::Button2Click()
{
    ShowThenClose(Wizard().Telescope, this);
}

void TOpticCompForm::WriteJobPart(Job::Configurations& part) const
{
    part.CompressionMagnification = MagnificationEdit->text();
}

void TOpticCompForm::RestoreJobPart(const Job::Configurations& part)
{
    PutText(MagnificationEdit, part.CompressionMagnification);
}
