#include "app/JobWindows.h"

#include "app/JobVocabulary.h"
#include "app/ProgramWindows.h"
#include "exposure/DigitalCamera.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "field/TSensorFieldForm.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "sky/TTonightForm.h"
#include "sky/TargetNames.h"
#include "ui/ErrorReport.h"

#include <tuple>
#include <utility>

namespace JobWindows {

namespace {

//! The parts of an opened job that wait for their window to be made.
std::optional<Job::Field> WaitingField;
std::optional<Job::Tonight> WaitingTonight;
std::optional<Job::Camera> WaitingCamera;

//! Does `put` with each of the six configuration windows, each of which keeps its own boxes.
template <typename Put>
void EveryConfigurationWindow(Put&& put)
{
    const ProgramWindows& w = Windows();
    std::apply([&put](auto*... window) { (put(window), ...); },
               std::tuple{w.OpticCamLensForm, w.OpticTeleForm, w.OpticCompForm, w.OpticAfocalForm, w.OpticBarlowForm, w.OpticEypcForm});
}

//! The part of a window made on demand: its own where it is made, else the part of an opened
//! job that waits for it, else the part it would start with.
template <typename Window, typename Part>
Part PartOf(const Window* window, const std::optional<Part>& waiting, const Part& starting)
{
    return window ? window->JobPart() : waiting.value_or(starting);
}

} // namespace

Job::Data CurrentJob()
{
    const ProgramWindows& w = Windows();
    Job::Data job = JobVocabulary().Initial;
    job.ExposureCalculator = w.Form1->JobPart();
    job.TelescopeWindow = w.OpticForm1->JobPart();
    job.Configuration = w.OpticForm2->JobPart();
    EveryConfigurationWindow([&job](const auto* window) { window->WriteJobPart(job.ConfigurationWindows); });
    job.OpticalJob = w.OpticReportForm->JobPart();

    job.FieldWindow = PartOf(w.SensorFieldForm, WaitingField, job.FieldWindow);
    job.TonightWindow = PartOf(w.TonightForm, WaitingTonight, job.TonightWindow);
    // A camera window never made has had nothing set: its figures follow the sensor when opened.
    Job::Camera unset = job.DigitalCamera;
    unset.ReadNoiseByUser = unset.QuantumEfficiencyByUser = unset.ColourByUser = false;
    job.DigitalCamera = PartOf(w.DigitalCameraForm, WaitingCamera, unset);
    return job;
}

void ApplyJob(const Job::Data& job)
{
    const ProgramWindows& w = Windows();

    // The wizard: the telescope's preset, boxes and the units their texts are written in, the
    // configuration chosen and the configuration windows' boxes.
    w.OpticForm1->RestoreJobPart(job.TelescopeWindow);
    w.OpticForm2->RestoreJobPart(job.Configuration);
    EveryConfigurationWindow([&job](auto* window) { window->RestoreJobPart(job.ConfigurationWindows); });

    // The optical job as the wizard last completed it, or none, with the way back from the
    // report of the job's own configuration.
    w.OpticReportForm->RestoreJobPart(job.OpticalJob, job.Configuration);

    // The windows made on demand, or their parts kept until they are made.
    WaitingField = job.FieldWindow;
    WaitingTonight = job.TonightWindow;
    WaitingCamera = job.DigitalCamera;
    // The field window, once restored, tells the camera its sensor; until it is made, the
    // camera takes the sensor that waits for it.
    if (w.SensorFieldForm)
        RestoreInto(w.SensorFieldForm);
    else
        ShowSensorToTheCamera();
    if (w.TonightForm)
        RestoreInto(w.TonightForm);
    if (w.DigitalCameraForm)
        RestoreInto(w.DigitalCameraForm);

    // The exposure calculator last, then everything computed afresh: its caption (which hands
    // its suggestion on), and the report with the job put back, which keeps the f/ratio box's
    // text as the job has it.
    w.Form1->RestoreJobPart(job.ExposureCalculator);
    Guarded([report = w.OpticReportForm] { report->TakeRestoredJob(); });
}

void RestoreInto(TSensorFieldForm* field)
{
    if (const std::optional<Job::Field> part = std::exchange(WaitingField, std::nullopt))
        field->RestoreJobPart(*part);
}

void RestoreInto(TTonightForm* tonight)
{
    if (const std::optional<Job::Tonight> part = std::exchange(WaitingTonight, std::nullopt))
        tonight->RestoreJobPart(*part);
}

void RestoreInto(TDigitalCameraForm* camera)
{
    if (const std::optional<Job::Camera> part = std::exchange(WaitingCamera, std::nullopt)) {
        // A field window put back has told nothing: the camera learns its sensor and target
        // first, so that what follows them follows the job's.
        ShowSensorToTheCamera();
        camera->RestoreJobPart(*part);
    }
}

std::optional<WaitingSensor> WaitingFieldSensor()
{
    if (!WaitingField)
        return std::nullopt;
    const auto [model, preset] = TSensorFieldForm::SensorOf(*WaitingField);
    return WaitingSensor{model, preset, EmissionTarget(TargetNamed(WaitingField->Target).Target), WaitingField->Overlap};
}

void Forget()
{
    WaitingField.reset();
    WaitingTonight.reset();
    WaitingCamera.reset();
}

} // namespace JobWindows
