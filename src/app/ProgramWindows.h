#pragma once

#include <vector>

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

//! The program's sixteen windows, each a single instance created once at start-up and
//! reachable from every other. Members are listed in creation order.
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
};

//! The program-wide set of windows.
const ProgramWindows& Windows();

//! The sixteen windows of the set, in creation order (null where a window does not exist).
std::vector<QWidget*> AllWindows();

//! Start-up up to the event loop: shared state reset, every window created in its order,
//! the start window shown, the splash over it.
void CreateProgramWindows();

//! The end of the run: every window destroyed, in the reverse order, and the shared state
//! released. The set may then be created again (each test starts a fresh program this way).
void DestroyProgramWindows();
