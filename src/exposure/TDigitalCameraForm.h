#pragma once

#include "optics/SensorField.h"
#include "ui_TDigitalCameraForm.h"

#include <QWidget>

#include <optional>

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
    //! exposure calculator's brightness box holds now; none where it holds no number.
    void ShowBrightness(std::optional<double> brightness);
    //! Takes the job the results report shows now.
    void ShowJob(const FieldJob& job);
    //! Takes the field window's sensor: `presetIndex` indexes SensorPresets, -1 is the user's
    //! own sensor; no sensor where its boxes are not complete. The read noise, quantum
    //! efficiency and colour boxes that the user has not typed in take the preset's figures.
    void ShowSensor(std::optional<Sensor> sensor, int presetIndex);

    //! Recomputes after a job has put its inputs into the boxes: a read noise, efficiency or
    //! colour other than the sensor's typical figure counts as the user's own, and stays.
    void TakeRestoredInputs();

    void BoxChange();
    void ReadNoiseBoxEdited();
    void EfficiencyBoxEdited();
    void ColourBoxClick();
    void CloseButtonClick();

private:
    //! Gives the boxes not typed in the figures typical of the sensor, and marks them so.
    void FollowTypicalFigures();
    //! Names the filters as the sensor sees them; a colour sensor has no use for red, green or blue.
    void ShowFiltersForColour();
    //! Reads the boxes, computes and writes every figure afresh; what cannot be computed reads "—".
    void Recalculate();

    std::optional<double> m_brightness;
    FieldJob m_job;
    std::optional<Sensor> m_sensor = SensorPresets[0].Model;
    int m_preset = 0;
    // A box the user has typed in keeps what they typed for the run.
    bool m_readNoiseTyped = false;
    bool m_efficiencyTyped = false;
    bool m_colourTyped = false;
};
