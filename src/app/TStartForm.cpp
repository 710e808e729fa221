#include "app/TStartForm.h"

#include "app/ProgramWindows.h"
#include "exposure/TForm1.h"
#include "info/TForm2.h"
#include "info/TIntroForm.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticForm2.h"
#include "sky/TTonightForm.h"
#include "targets/TTargetsForm.h"
#include "ui/ErrorReport.h"
#include "ui/NightVision.h"
#include "ui/WindowRules.h"

#include <QCloseEvent>
#include <QCoreApplication>

TStartForm::TStartForm(QWidget* parent)
    : QMainWindow(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {463, 309});
    SetBackground(centralWidget(), Navy);

    Label1->setFont(PixelFont(16, true));
    SetTextColour(Label1, Qt::white);
    for (QPushButton* button : {Button4, Button1, Button2, Button3})
        button->setFont(PixelFont(11, true));

    ConnectHandler(Button4, &QPushButton::clicked, this, &TStartForm::Button4Click);
    ConnectHandler(Button1, &QPushButton::clicked, this, &TStartForm::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TStartForm::Button2Click);
    ConnectHandler(Button3, &QPushButton::clicked, this, &TStartForm::Button3Click);
    ConnectHandler(OpenJob1, &QAction::triggered, this, &TStartForm::OpenJob1Click);
    ConnectHandler(SaveJob1, &QAction::triggered, this, &TStartForm::SaveJob1Click);
    ConnectHandler(Exit1, &QAction::triggered, this, &TStartForm::Exit1Click);
    ConnectHandler(Tonight1, &QAction::triggered, this, &TStartForm::Tonight1Click);
    ConnectHandler(TargetsTonight1, &QAction::triggered, this, &TStartForm::TargetsTonight1Click);
    // The one night vision item of the program; its Ctrl+N works from every window.
    View1->addAction(NightVision::Action());
    ConnectHandler(AboutOrvalisCalculator1, &QAction::triggered, this, &TStartForm::AboutOrvalisCalculator1Click);

    // Activation gives the focus to the first button when no control holds it yet.
    Button4->setFocus();
}

void TStartForm::Button4Click()
{
    ShowWindow(Windows().IntroForm);
}

void TStartForm::Button1Click()
{
    ShowWindow(Windows().Form1);
}

void TStartForm::Button2Click()
{
    OpticalJob.ReturnWindow = this;
    ShowWindow(Windows().OpticForm2);
}

void TStartForm::Button3Click()
{
    close();
}

void TStartForm::OpenJob1Click()
{
    AskToOpenJob(this);
}

void TStartForm::SaveJob1Click()
{
    AskToSaveJob(this);
}

void TStartForm::Exit1Click()
{
    close();
}

void TStartForm::TargetsTonight1Click()
{
    ShowWindow(TargetsWindow());
}

void TStartForm::Tonight1Click()
{
    ShowWindow(TonightWindow());
}

void TStartForm::AboutOrvalisCalculator1Click()
{
    ShowWindow(Windows().Form2);
}

void TStartForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    QCoreApplication::quit();
}
