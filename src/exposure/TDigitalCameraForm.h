#pragma once

#include "field/SensorField.h"
#include "job/JobParts.h"
#include "optics/OpticalJob.h"
#include "ui_TDigitalCameraForm.h"

#include <QWidget>

#include <optional>
#include <string>

//! A digital camera under the night sky: from the object's surface brightness, the job's
//! aperture and focal length and the field window's sensor, with the camera's read noise and
//! quantum efficiency and the sky's brightness, how many electrons the sky and the object give
//! a pixel each second, the shortest sub-exposure that buries the read noise in the sky's
//! noise, and how long a stack takes to reach the signal-to-noise ratio wanted. Made the first
//! time it is asked for and kept for the run; the other windows hand it their numbers.
class TDigitalCameraForm : public QWidget, public Ui::TDigitalCameraForm
{
public:
    explicit TDigitalCameraForm(QWidget* parent = nullptr);

    //! Takes the object's surface brightness m'' (magnitudes per square arcsecond) that the
    //! exposure calculator's brightness box holds now; none where it holds no number. While the
    //! calculator's last recalculation stopped at an arithmetic error, `calculatorError` says
    //! which, and the brightness it last completed with is not used.
    void ShowBrightness(std::optional<double> brightness, const std::string& calculatorError = {});
    //! Takes the job the results report shows now.
    void ShowJob(const ReportedJob& job);
    //! Takes the field window's sensor: `presetIndex` indexes SensorPresets, -1 is the user's
    //! own sensor; no sensor where its boxes are not complete. The read noise, quantum
    //! efficiency and colour boxes that the user has not typed in take the preset's figures.
    void ShowSensor(std::optional<Sensor> sensor, int presetIndex);
    //! Takes whether the field window's target is an emission nebula; the emission box
    //! follows it until the user sets the box.
    void ShowTarget(bool emissionNebula);

    //! The inputs as a job keeps them, with which of those that follow another window the user
    //! has set: the read noise, the quantum efficiency and the colour box follow the field
    //! window's sensor, the emission box its target, each until the user sets it. A figure that
    //! an opened job said nothing of stays unsaid, unless the user has set it since.
    Job::Camera JobPart() const;
    //! Puts back a job's inputs, the handlers quiet, and recomputes with what the user had set:
    //! the inputs set stay, the others follow the sensor and the target again. Where the job
    //! says nothing, a read noise, efficiency or colour other than the sensor's typical figure
    //! counts as the user's own, as it did before jobs kept this. The window should know the
    //! job's sensor and target first (ShowSensor, ShowTarget), so that what follows them
    //! follows the job's.
    void RestoreJobPart(const Job::Camera& part);

    void BoxChange();
    void ReadNoiseBoxEdited();
    void EfficiencyBoxEdited();
    void ColourBoxClick();
    void EmissionBoxClick();
    void CloseButtonClick();

private:
    //! Whether the user set one of the figures that follow the sensor.
    struct Setting
    {
        bool ByUser = false;
        bool Unsaid = false; //!< judged by its figure from a job that said nothing of it
    };

    //! Gives the boxes not typed in the figures typical of the sensor, and marks them so.
    void FollowTypicalFigures();
    //! Ticks the emission box as the target is, unless the user has set it.
    void FollowTarget();
    //! Names the filters as the sensor sees them; a colour sensor has no use for red, green or blue.
    void ShowFiltersForColour();
    //! Reads the boxes, computes and writes every figure afresh; what cannot be computed reads "—".
    void Recalculate();

    std::optional<double> m_brightness;
    std::string m_calculatorError;
    ReportedJob m_job;
    std::optional<Sensor> m_sensor = SensorPresets[0].Model;
    int m_preset = 0;
    bool m_emissionTarget = false;
    // A box the user has typed in keeps what they typed for the run.
    Setting m_readNoise;
    Setting m_efficiency;
    Setting m_colour;
    bool m_emissionSet = false;
};
