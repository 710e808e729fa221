#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticForm2.h"

#include <QWidget>

#include <array>
#include <functional>

//! The configuration choice, first step of the optical wizard. The choice is held nowhere
//! but in its seven radio buttons, which the later steps read.
class TOpticForm2 : public QWidget, public Ui::TOpticForm2, public OpticalWizardWindow
{
public:
    explicit TOpticForm2(QWidget* parent = nullptr);

    void Button3Click();
    void Button2Click();
    void Panel1Click();
    void Label5Click();

    //! What the book note opens: the About window, through the window set.
    void SetAboutOpener(std::function<void()> opener) { m_openAbout = std::move(opener); }

    //! The configuration chosen, by the name a job keeps it under (Job::ConfigurationNames).
    QString JobPart() const;
    //! Checks the configuration of a job, its button quiet.
    void RestoreJobPart(const QString& configuration);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    //! The buttons, in the order of Job::ConfigurationNames.
    std::array<QRadioButton*, std::size(Job::ConfigurationNames)> ConfigurationButtons() const;

    std::function<void()> m_openAbout;
};
