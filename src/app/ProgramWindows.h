#pragma once

class QByteArray;
class QWidget;
class TStartForm;
class TSplashScreen;
class TForm1;
class TIntroForm;
class TForm2;
class TForm3;
class TForm4;
class TOpticForm1;
class TOpticForm2;
class TOpticCamLensForm;
class TOpticTeleForm;
class TOpticCompForm;
class TOpticAfocalForm;
class TOpticBarlowForm;
class TOpticEypcForm;
class TOpticReportForm;
class TSensorFieldForm;
class TTonightForm;
class TDigitalCameraForm;
class TTargetsForm;

//! The program's sixteen windows, each a single instance created once at start-up. Members are
//! listed in creation order. Only what puts the program together (app/, the start window
//! included) reaches windows through it; the windows of the other folders open one another
//! through the openers the set gives them when it makes them.
struct ProgramWindows
{
    TStartForm* StartForm = nullptr;
    TSplashScreen* SplashScreen = nullptr;
    TOpticCamLensForm* OpticCamLensForm = nullptr;
    TIntroForm* IntroForm = nullptr;     // introduction for new users
    TForm1* Form1 = nullptr;             // exposure calculator
    TForm2* Form2 = nullptr;             // About
    TForm3* Form3 = nullptr;             // help: how exposures are calculated
    TForm4* Form4 = nullptr;             // help: how to use the exposure calculator
    TOpticForm1* OpticForm1 = nullptr;   // telescope
    TOpticForm2* OpticForm2 = nullptr;   // configuration choice
    TOpticTeleForm* OpticTeleForm = nullptr;
    TOpticCompForm* OpticCompForm = nullptr;
    TOpticAfocalForm* OpticAfocalForm = nullptr;
    TOpticBarlowForm* OpticBarlowForm = nullptr;
    TOpticEypcForm* OpticEypcForm = nullptr;
    TOpticReportForm* OpticReportForm = nullptr;
    //! Not one of the sixteen: made the first time it is asked for (SensorFieldWindow), so
    //! that start-up does not pay for it; null until then.
    TSensorFieldForm* SensorFieldForm = nullptr;
    //! Made the same way, the first time each is asked for (Targets Tonight makes Tonight).
    TTonightForm* TonightForm = nullptr;
    TDigitalCameraForm* DigitalCameraForm = nullptr;
    TTargetsForm* TargetsForm = nullptr;
};

//! The program-wide set of windows, made and ended by CreateProgramWindows and
//! DestroyProgramWindows (app/WindowSet.h).
const ProgramWindows& Windows();

//! The field-on-the-sensor window, made the first time it is asked for and ended with the set.
TSensorFieldForm* SensorFieldWindow();

//! The Tonight window, made the first time it is asked for, showing the field window's target
//! if that window exists; ended with the set.
TTonightForm* TonightWindow();

//! The Digital Camera window, made the first time it is asked for with what the exposure
//! calculator, the report and the field window hold then; ended with the set.
TDigitalCameraForm* DigitalCameraWindow();

//! Targets Tonight, made the first time it is asked for with the night of the Tonight window
//! (made quietly where it was not) and the frame of the field window; ended with the set.
TTargetsForm* TargetsWindow();

//! Tells the Digital Camera window, where it exists, the field window's sensor and whether its
//! target is an emission nebula; where that window is not made yet, those of an opened job
//! waiting for it, else film and the Moon and Jupiter.
void ShowSensorToTheCamera();

//! "Open Job..." and "Save Job..." of the windows that offer them: the program's modeless
//! open and save dialogs, then the job read into every window or written from them.
void AskToOpenJob(QWidget* from);
void AskToSaveJob(QWidget* from);

//! Opens the job named on the command line by the path's own bytes; a message box says why
//! where it cannot.
void OpenJobAtStart(const QByteArray& native);
