#include "optics/TOpticBarlowForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/QuietBoxes.h"
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
    CompleteConfiguration(this, Wizard().Report, ConfigurationKind::BarlowLens, {BarlowFLEdit, BarlowDistanceEdit});
}

void TOpticBarlowForm::Button2Click()
{
    ShowThenClose(Wizard().Telescope, this);
}

void TOpticBarlowForm::WriteJobPart(Job::Configurations& part) const
{
    part.BarlowFocalLength = BarlowFLEdit->text();
    part.BarlowDistance = BarlowDistanceEdit->text();
}

void TOpticBarlowForm::RestoreJobPart(const Job::Configurations& part)
{
    PutText(BarlowFLEdit, part.BarlowFocalLength);
    PutText(BarlowDistanceEdit, part.BarlowDistance);
}
