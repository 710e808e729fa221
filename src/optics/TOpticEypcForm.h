#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticEypcForm.h"

#include <QWidget>

//! Eyepiece projection: the eyepiece projects the telescope's image onto the film.
class TOpticEypcForm : public QWidget, public Ui::TOpticEypcForm, public OpticalWizardWindow
{
public:
    explicit TOpticEypcForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();

    //! Writes the window's boxes into a job's, and puts them back, quiet.
    void WriteJobPart(Job::Configurations& part) const;
    void RestoreJobPart(const Job::Configurations& part);
};
