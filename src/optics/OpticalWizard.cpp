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

#include <initializer_list>

void JoinEveryWindow(const OpticalWizard& wizard)
{
    for (OpticalWizardWindow* window : std::initializer_list<OpticalWizardWindow*>{
             wizard.Choice, wizard.Telescope, wizard.CameraLens, wizard.Teleconverter, wizard.Compression,
             wizard.Afocal, wizard.BarlowLens, wizard.EyepieceProjection, wizard.Report})
        window->JoinWizard(wizard);
}
