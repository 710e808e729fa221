#include "optics/TOpticAfocalForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/ProgramWindows.h"
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
    CompleteConfiguration(this, ConfigurationKind::Afocal, {EypcEdit, CamLensEdit});
}

void TOpticAfocalForm::Button2Click()
{
    ShowThenClose(Windows().OpticForm1, this);
}
