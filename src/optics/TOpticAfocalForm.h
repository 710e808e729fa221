#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticAfocalForm.h"

#include <QWidget>

//! Afocal coupling: the camera with its own lens aimed into the eyepiece.
class TOpticAfocalForm : public QWidget, public Ui::TOpticAfocalForm, public OpticalWizardWindow
{
public:
    explicit TOpticAfocalForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();

    //! Writes the window's boxes into a job's, and puts them back, quiet.
    void WriteJobPart(Job::Configurations& part) const;
    void RestoreJobPart(const Job::Configurations& part);
};
