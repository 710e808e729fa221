#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticCompForm.h"

#include <QWidget>

//! Compression: the telescope's focal length times the compressor's rated ratio.
class TOpticCompForm : public QWidget, public Ui::TOpticCompForm, public OpticalWizardWindow
{
public:
    explicit TOpticCompForm(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();

    //! Writes the window's box into a job's, and puts it back, quiet.
    void WriteJobPart(Job::Configurations& part) const;
    void RestoreJobPart(const Job::Configurations& part);
};
