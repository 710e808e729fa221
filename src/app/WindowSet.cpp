#include "app/WindowSet.h"

#include "app/JobFiles.h"
#include "app/JobWindows.h"
#include "app/ProgramWindows.h"
#include "app/TSplashScreen.h"
#include "app/TStartForm.h"
#include "exposure/DigitalCamera.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "info/TForm2.h"
#include "info/TForm3.h"
#include "info/TForm4.h"
#include "info/TIntroForm.h"
#include "optics/OpticalJob.h"
#include "optics/OpticalWizard.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "field/TSensorFieldForm.h"
#include "sky/TTonightForm.h"
#include "targets/TTargetsForm.h"
#include "ui/Artwork.h"
#include "ui/ErrorReport.h"
#include "ui/FocusRing.h"
#include "ui/NightVision.h"
#include "ui/WindowRules.h"

#include <QApplication>
#include <QSpinBox>

#include <vector>

namespace {

ProgramWindows TheWindows;
std::vector<QWidget*> CreatedInOrder;

template <typename Window>
Window* Create()
{
    auto* window = new Window;
    CreatedInOrder.push_back(window);
    return window;
}

} // namespace

const ProgramWindows& Windows()
{
    return TheWindows;
}

namespace {

//! The exposure calculator's suggestion as the field window takes it.
TrailExposure ForTheField(const ExposureSuggestion& suggestion)
{
    return {suggestion.Computed, suggestion.Seconds, suggestion.FRatio, suggestion.Shown};
}

} // namespace

void ShowSensorToTheCamera()
{
    TDigitalCameraForm* camera = TheWindows.DigitalCameraForm;
    if (!camera)
        return;
    if (const TSensorFieldForm* field = TheWindows.SensorFieldForm) {
        camera->ShowSensor(field->CurrentSensor(), field->CurrentPreset());
        camera->ShowTarget(EmissionTarget(field->CurrentTarget()));
    } else if (const std::optional<JobWindows::WaitingSensor> waiting = JobWindows::WaitingFieldSensor()) {
        camera->ShowSensor(waiting->Model, waiting->Preset);
        camera->ShowTarget(waiting->EmissionTarget);
    } else {
        camera->ShowSensor(SensorPresets.front().Model, 0);
        camera->ShowTarget(false); // the Moon and Jupiter
    }
}

namespace {

//! The field window's frame as Targets Tonight ranks for it: its sensor, or that of an opened
//! job waiting for it, or the first of the list, at the report's effective focal length.
TTargetsForm::Frame FrameForTargets()
{
    TTargetsForm::Frame frame;
    if (const TSensorFieldForm* field = TheWindows.SensorFieldForm) {
        frame.Model = field->CurrentSensor();
        frame.Name = field->SensorBox->currentText();
        frame.OverlapPercent = field->OverlapBox->value();
    } else if (const std::optional<JobWindows::WaitingSensor> waiting = JobWindows::WaitingFieldSensor()) {
        frame.Model = waiting->Model;
        frame.Name = QString::fromUtf8(waiting->Preset >= 0 ? SensorPresets[static_cast<std::size_t>(waiting->Preset)].Name
                                                            : OwnSensorName);
        frame.OverlapPercent = waiting->Overlap;
    } else {
        frame.Model = SensorPresets.front().Model;
        frame.Name = QString::fromUtf8(SensorPresets.front().Name);
    }
    const ReportedJob& job = TheWindows.OpticReportForm->Job();
    frame.EffectiveFocalLengthMm = job.Error.empty() ? job.EffectiveFocalLengthMm : 0;
    return frame;
}

//! After each change of the field window's frame (its sensor or overlap) or of the report's
//! job: the windows that follow the frame are told.
void FrameChanged()
{
    ShowSensorToTheCamera();
    if (TTargetsForm* targets = TheWindows.TargetsForm)
        targets->ShowFrame(FrameForTargets());
}

} // namespace

TSensorFieldForm* SensorFieldWindow()
{
    if (!TheWindows.SensorFieldForm) {
        TSensorFieldForm* field = Create<TSensorFieldForm>();
        TheWindows.SensorFieldForm = field;
        field->ShowJob(TheWindows.OpticReportForm->Job());
        field->ShowExposure(ForTheField(TheWindows.Form1->Suggestion()));
        // Its two buttons open the windows that follow it, through the set, and each change of
        // its sensor or target reaches the Digital Camera window.
        field->SetTonightOpener([](const std::optional<SkyTarget>& target) {
            TTonightForm* tonight = TonightWindow();
            tonight->ShowTarget(target);
            ShowWindow(tonight);
        });
        field->SetDigitalCameraOpener([] { ShowWindow(DigitalCameraWindow()); });
        field->SetSensorChanged(FrameChanged);
        field->SetTargetChanged(ShowSensorToTheCamera);
        // "Use for the Exposure" writes the target's surface brightness into the calculator.
        field->SetBrightnessTaker([](const QString& brightness) { TheWindows.Form1->WriteBrightness(brightness); });
        JobWindows::RestoreInto(field);
        ShowSensorToTheCamera();
    }
    return TheWindows.SensorFieldForm;
}

TTonightForm* TonightWindow()
{
    if (!TheWindows.TonightForm) {
        TTonightForm* tonight = Create<TTonightForm>();
        TheWindows.TonightForm = tonight;
        if (const TSensorFieldForm* field = TheWindows.SensorFieldForm)
            tonight->ShowTarget(field->CurrentTarget());
        tonight->SetTargetsOpener([] { ShowWindow(TargetsWindow()); });
        tonight->SetNightChanged([] {
            if (TTargetsForm* targets = TheWindows.TargetsForm)
                Guarded([targets] { targets->ShowNight(TheWindows.TonightForm->Night()); });
        });
        JobWindows::RestoreInto(TheWindows.TonightForm);
    }
    return TheWindows.TonightForm;
}

TTargetsForm* TargetsWindow()
{
    if (!TheWindows.TargetsForm) {
        TTonightForm* tonight = TonightWindow(); // its night, even where it was never shown
        TTargetsForm* targets = Create<TTargetsForm>();
        TheWindows.TargetsForm = targets;
        targets->ShowFrame(FrameForTargets());
        targets->ShowNight(tonight->Night());
        // A row taken becomes the target of the field and Tonight windows, and the field
        // window comes up with it.
        targets->SetTargetTaker([](const SkyTarget& target) {
            TSensorFieldForm* field = SensorFieldWindow();
            field->ShowTarget(target);
            ShowSensorToTheCamera();
            TonightWindow()->ShowTarget(target);
            ShowWindow(field);
        });
    }
    return TheWindows.TargetsForm;
}

TDigitalCameraForm* DigitalCameraWindow()
{
    if (!TheWindows.DigitalCameraForm) {
        TDigitalCameraForm* camera = Create<TDigitalCameraForm>();
        TheWindows.DigitalCameraForm = camera;
        camera->ShowBrightness(TheWindows.Form1->Suggestion().Brightness, TheWindows.Form1->Suggestion().Error);
        camera->ShowJob(TheWindows.OpticReportForm->Job());
        ShowSensorToTheCamera();
        JobWindows::RestoreInto(camera);
    }
    return TheWindows.DigitalCameraForm;
}

void CreateProgramWindows()
{
    OpticalJob.Reset();
    QApplication::setApplicationName(QStringLiteral("Orvalis Exposure Calculator"));
    QApplication::setWindowIcon(ProgramIcon());
    // The start window ends the program itself; hiding the last other window must not.
    QApplication::setQuitOnLastWindowClosed(false);
    UseProgramStyle();

    // A text box lays out its text the moment it is made, in the application's default font,
    // before its window's font reaches it. While the windows are made, that font is the
    // program's own, so start-up does not load the desktop's font for nothing; message boxes
    // get the desktop's font back afterwards. (QGuiApplication's setFont, unlike QApplication's,
    // leaves alone the desktop's fonts for particular kinds of controls, such as menus.)
    const QFont desktopFont = QGuiApplication::font();
    QGuiApplication::setFont(PixelFont(11));

    ProgramWindows& w = TheWindows;
    w.StartForm = Create<TStartForm>();
    ShowWindow(w.StartForm);
    w.SplashScreen = Create<TSplashScreen>();
    w.OpticCamLensForm = Create<TOpticCamLensForm>(); // before the splash is shown
    ShowWindow(w.SplashScreen);
    // The other windows are made once the start window is on the screen, so that making them
    // does not hold up the desktop's framing of it; all of them exist before the user's first
    // key or click is taken. Should the desktop never show the window, start-up goes on after
    // a second.
    WaitUntilExposed(w.StartForm, 1000);
    w.IntroForm = Create<TIntroForm>();
    w.Form1 = Create<TForm1>();
    w.Form2 = Create<TForm2>();
    w.Form3 = Create<TForm3>();
    w.Form4 = Create<TForm4>();
    w.OpticForm1 = Create<TOpticForm1>();
    w.OpticForm2 = Create<TOpticForm2>();
    w.OpticTeleForm = Create<TOpticTeleForm>();
    w.OpticCompForm = Create<TOpticCompForm>();
    w.OpticAfocalForm = Create<TOpticAfocalForm>();
    w.OpticBarlowForm = Create<TOpticBarlowForm>();
    w.OpticEypcForm = Create<TOpticEypcForm>();
    w.OpticReportForm = Create<TOpticReportForm>();
    // The optical wizard's windows lead to one another through the wizard itself, which the
    // set hands them now that all of them are made.
    JoinEveryWindow({.Choice = w.OpticForm2,
                     .Telescope = w.OpticForm1,
                     .CameraLens = w.OpticCamLensForm,
                     .Teleconverter = w.OpticTeleForm,
                     .Compression = w.OpticCompForm,
                     .Afocal = w.OpticAfocalForm,
                     .BarlowLens = w.OpticBarlowForm,
                     .EyepieceProjection = w.OpticEypcForm,
                     .Report = w.OpticReportForm});
    // What the windows open elsewhere in the program, given here so that none of them knows
    // another's class.
    w.Form1->SetOpeners({.OpticalCalculations = [] { ShowWindow(TheWindows.OpticForm2); },
                         .DigitalCamera = [] { ShowWindow(DigitalCameraWindow()); },
                         .OpenJob = [] { AskToOpenJob(TheWindows.Form1); },
                         .SaveJob = [] { AskToSaveJob(TheWindows.Form1); },
                         .StartWindow = [] { ShowWindow(TheWindows.StartForm); },
                         .HowToUse = [] { ShowWindow(TheWindows.Form4); },
                         .Theory = [] { ShowWindow(TheWindows.Form3); },
                         .About = [] { ShowWindow(TheWindows.Form2); }});
    w.Form3->SetExposureCalculatorOpener([] { ShowWindow(TheWindows.Form1); });
    w.Form4->SetExposureCalculatorOpener([] { ShowWindow(TheWindows.Form1); });
    w.OpticForm2->SetAboutOpener([] { ShowWindow(TheWindows.Form2); });
    // What passes between the calculators, connected here so that neither knows the other:
    // the report's f/ratio goes into the exposure calculator, and each suggestion of the
    // exposure calculator to the field window, once there is one, and with the arithmetic
    // error that stopped it, if any, to the Digital Camera window.
    w.OpticReportForm->SetFRatioTaker([](const QString& fRatio) { TheWindows.Form1->WriteFRatio(fRatio); });
    w.Form1->SetRecalculated([] {
        if (TSensorFieldForm* field = TheWindows.SensorFieldForm)
            field->ShowExposure(ForTheField(TheWindows.Form1->Suggestion()));
        if (TDigitalCameraForm* camera = TheWindows.DigitalCameraForm)
            camera->ShowBrightness(TheWindows.Form1->Suggestion().Brightness, TheWindows.Form1->Suggestion().Error);
    });
    w.OpticReportForm->SetJobTaker([](const ReportedJob& job) {
        if (TSensorFieldForm* field = TheWindows.SensorFieldForm)
            field->ShowJob(job);
        if (TDigitalCameraForm* camera = TheWindows.DigitalCameraForm)
            camera->ShowJob(job);
        if (TTargetsForm* targets = TheWindows.TargetsForm)
            targets->ShowFrame(FrameForTargets());
    });
    w.OpticReportForm->SetFieldOpener([] { ShowWindow(SensorFieldWindow()); });
    QGuiApplication::setFont(desktopFont);
    ShowKeyboardFocus();
}

void DestroyProgramWindows()
{
    NightVision::SetOn(false); // every run starts in the normal look
    while (!CreatedInOrder.empty()) {
        delete CreatedInOrder.back();
        CreatedInOrder.pop_back();
    }
    TheWindows = ProgramWindows{};
    OpticalJob.Reset();
    JobWindows::Forget();
    JobFiles::Forget();
}
