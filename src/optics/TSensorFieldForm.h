#pragma once

#include "optics/SensorField.h"
#include "ui_TSensorFieldForm.h"

#include <QWidget>

//! The field on the sensor: the job the results report shows, drawn to scale on film or on a
//! digital sensor, with its figures. Made the first time the report asks for it; the report
//! hands it every job it computes. It reads the report's numbers, never its labels. Besides the
//! Moon and Jupiter it frames the showpieces of the night sky, with the camera turned to an
//! angle of the user's, and the mosaic that a target too large for the frame takes.
class TSensorFieldForm : public QWidget, public Ui::TSensorFieldForm
{
public:
    explicit TSensorFieldForm(QWidget* parent = nullptr);

    //! Takes the job the report shows now and computes afresh with it.
    void ShowJob(const FieldJob& job);

    void SensorBoxChange();
    void SensorBoxesEdited();
    void FramingChange();
    void SaveButtonClick();
    void CloseButtonClick();

private:
    //! Reads the sensor, computes the figures and draws; what cannot be computed reads "—".
    void Recalculate();

    FieldJob m_job;
    bool m_filling = false; // while a preset fills the three boxes
};
