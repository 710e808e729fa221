#pragma once

#include "field/SensorField.h"
#include "optics/OpticalJob.h"
#include "field/Tracking.h"
#include "job/JobParts.h"
#include "sky/TargetFinder.h"
#include "ui_TSensorFieldForm.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class TargetChooser;

//! The field on the sensor: the job the results report shows, drawn to scale on film or on a
//! digital sensor, with its figures. Made the first time the report asks for it; the report
//! hands it every job it computes. It reads the report's numbers, never its labels. Besides the
//! Moon and Jupiter it frames the showpieces of the night sky and any object of the catalogue
//! or point the user types, with the camera turned to an angle of the user's, and the mosaic
//! that a target too large for the frame takes; it gives the target's surface brightness for the
//! exposure calculator; and without a tracking mount, how long the shutter may stay open before
//! the stars trail, and whether the exposure calculator's suggestion will trail.
class TSensorFieldForm : public QWidget, public Ui::TSensorFieldForm
{
public:
    explicit TSensorFieldForm(QWidget* parent = nullptr);

    //! Takes the job the report shows now and computes afresh with it.
    void ShowJob(const ReportedJob& job);
    //! Takes the exposure the exposure calculator suggests now, for its trail on the sensor.
    void ShowExposure(const TrailExposure& exposure);

    void SensorBoxChange();
    void SensorBoxesEdited();
    //! After the user has changed the target in the chooser.
    void TargetBoxChange();
    void FramingChange();
    void DeclinationBoxChange();
    void TonightButtonClick();
    void UseBrightnessButtonClick();
    void DigitalCameraButtonClick();
    void SaveButtonClick();
    void CloseButtonClick();

    //! The sensor as the window reads it now (none while its boxes are incomplete), and the
    //! preset it comes from (-1 for the user's own).
    std::optional<Sensor> CurrentSensor() const { return m_sensor; }
    int CurrentPreset() const;
    //! The target: none for the Moon and Jupiter.
    std::optional<SkyTarget> CurrentTarget() const;
    //! Makes `target` the target, as the user would, without telling the window set: its
    //! declination comes into the declination box, and everything is computed afresh.
    void ShowTarget(const std::optional<SkyTarget>& target);

    //! The sensor, its three boxes, the target and the framing as a job keeps them.
    Job::Field JobPart() const;
    //! Puts back a job's part, the handlers quiet, then computes everything afresh once: a
    //! preset fills the three boxes as they were saved and sets which of them take typing; the
    //! user's own sensor keeps them.
    void RestoreJobPart(const Job::Field& part);
    //! The sensor a job's part gives, as the window reads it once the part is put back (none
    //! where its boxes do not read), and the preset it comes from (-1 for the user's own).
    static std::pair<std::optional<Sensor>, int> SensorOf(const Job::Field& part);

    //! What the window set does on "Tonight..." (with the target) and "Digital Camera...", and
    //! after each change of the frame (its sensor, or the mosaics' overlap) or of the target: the
    //! windows that follow are made and told through it.
    void SetTonightOpener(std::function<void(const std::optional<SkyTarget>& target)> opener)
    {
        m_openTonight = std::move(opener);
    }
    void SetDigitalCameraOpener(std::function<void()> opener) { m_openCamera = std::move(opener); }
    void SetSensorChanged(std::function<void()> changed) { m_sensorChanged = std::move(changed); }
    void SetTargetChanged(std::function<void()> changed) { m_targetChanged = std::move(changed); }
    //! What "Use for the Exposure" does with the target's surface brightness: the number alone,
    //! with the one decimal its row shows ("22.8"), for the exposure calculator's brightness box.
    void SetBrightnessTaker(std::function<void(const QString&)> taker) { m_brightnessTaker = std::move(taker); }

private:
    //! Reads the sensor, computes the figures and draws; what cannot be computed reads "—".
    void Recalculate();
    //! Brings a target's declination into the declination box, quietly; the Moon and Jupiter
    //! wander, so they leave it as it is.
    void TakeDeclination();
    //! The surface brightness row and its button, for the target now.
    void ShowSurfaceBrightness();

    TargetChooser* m_chooser = nullptr;
    ReportedJob m_job;
    TrailExposure m_exposure;
    bool m_filling = false; // while a preset fills the three boxes
    std::optional<Sensor> m_sensor;
    int m_preset = -2; // none yet
    int m_overlap = -1; // none yet
    QString m_brightness; // the target's surface brightness as its row shows it; empty for none
    std::function<void(const std::optional<SkyTarget>&)> m_openTonight;
    std::function<void()> m_openCamera;
    std::function<void()> m_sensorChanged;
    std::function<void()> m_targetChanged;
    std::function<void(const QString&)> m_brightnessTaker;
};
