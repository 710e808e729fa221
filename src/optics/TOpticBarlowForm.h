#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticBarlowForm.h"

#include <QWidget>

//! Negative projection with a Barlow lens at a distance from the film.
class TOpticBarlowForm : public QWidget, public Ui::TOpticBarlowForm, public OpticalWizardWindow
{
public:
    explicit TOpticBarlowForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();

    //! Writes the window's boxes into a job's, and puts them back, quiet.
    void WriteJobPart(Job::Configurations& part) const;
    void RestoreJobPart(const Job::Configurations& part);
};
