#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticTeleForm.h"

#include <QWidget>

//! Teleconverter: the telescope's focal length times the converter's rated magnification.
class TOpticTeleForm : public QWidget, public Ui::TOpticTeleForm, public OpticalWizardWindow
{
public:
    explicit TOpticTeleForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();

    //! Writes the window's box into a job's, and puts it back, quiet.
    void WriteJobPart(Job::Configurations& part) const;
    void RestoreJobPart(const Job::Configurations& part);
};
