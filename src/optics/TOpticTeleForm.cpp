#include "optics/TOpticTeleForm.h"

#include "optics/DetailWindow.h"
#include "optics/TOpticForm1.h"
#include "ui/ErrorReport.h"
#include "ui/ProgramWindows.h"
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
    CompleteConfiguration(this, ConfigurationKind::Teleconverter, {MagnificationEdit});
}

void TOpticTeleForm::Button2Click()
{
    ShowThenClose(Windows().OpticForm1, this);
}
