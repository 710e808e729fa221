#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticCamLensForm.h"

#include <QWidget>

//! Camera lens alone: it supplies focal length and aperture itself; the telescope window is skipped.
class TOpticCamLensForm : public QWidget, public Ui::TOpticCamLensForm, public OpticalWizardWindow
{
public:
    explicit TOpticCamLensForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();

    //! Writes the window's boxes into a job's, and puts them back, quiet.
    void WriteJobPart(Job::Configurations& part) const;
    void RestoreJobPart(const Job::Configurations& part);
};
