#pragma once

class TOpticForm1;
class TOpticForm2;
class TOpticCamLensForm;
class TOpticTeleForm;
class TOpticCompForm;
class TOpticAfocalForm;
class TOpticBarlowForm;
class TOpticEypcForm;
class TOpticReportForm;

//! The optical wizard's windows, which lead to one another with "Next >>" and "<< Back". The
//! window set fills it in once it has made them all and gives each of them a copy, so that the
//! wizard finds its own windows without asking the rest of the program.
struct OpticalWizard
{
    TOpticForm2* Choice = nullptr;    // the configuration choice, where the wizard begins
    TOpticForm1* Telescope = nullptr; // every configuration but the camera lens alone
    TOpticCamLensForm* CameraLens = nullptr;
    TOpticTeleForm* Teleconverter = nullptr;
    TOpticCompForm* Compression = nullptr;
    TOpticAfocalForm* Afocal = nullptr;
    TOpticBarlowForm* BarlowLens = nullptr;
    TOpticEypcForm* EyepieceProjection = nullptr;
    TOpticReportForm* Report = nullptr; // where every configuration ends
};

//! A window of the optical wizard: it reaches the wizard's other windows through Wizard(),
//! which holds none of them until the window set has joined it to the wizard.
class OpticalWizardWindow
{
public:
    void JoinWizard(const OpticalWizard& wizard) { m_wizard = wizard; }

protected:
    const OpticalWizard& Wizard() const { return m_wizard; }

private:
    OpticalWizard m_wizard;
};

//! Joins each of the wizard's windows to it, once the window set has made them all.
void JoinEveryWindow(const OpticalWizard& wizard);
