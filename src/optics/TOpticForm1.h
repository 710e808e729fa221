#pragma once

#include "job/JobParts.h"
#include "optics/OpticalWizard.h"
#include "ui_TOpticForm1.h"

#include <QWidget>

class QButtonGroup;

//! The telescope window: a preset, or aperture and focal length typed in inches, cm or mm.
//! The box texts are always the source of the values; OpticalJob holds them in millimetres.
class TOpticForm1 : public QWidget, public Ui::TOpticForm1, public OpticalWizardWindow
{
public:
    explicit TOpticForm1(QWidget* parent = nullptr);

    void FormCreate();
    void ReadTelescopeBoxes();
    void ShowTelescopeValues();
    void ListBox1Click();
    void ApertureUnitsClick();
    void FocalUnitsClick();
    void Button1Click();
    void Button2Click();

    //! The unit index selected in each radio group: 0 inches, 1 cm, 2 mm, -1 none.
    int ApertureUnitIndex() const;
    int FocalUnitIndex() const;

    //! The unit each box's text is written in (0 inches, 1 cm, 2 mm), which a job file keeps.
    int ApertureTextUnitIndex() const { return ApertureTextUnit; }
    int FocalTextUnitIndex() const { return FocalTextUnit; }
    //! The preset picked, the boxes' texts and the units they are written in, as a job keeps them.
    Job::Telescope JobPart() const;
    //! Puts back a job's preset, without filling the boxes from it, and the boxes' texts and the
    //! units they are written in, each unit's button selected without converting the box beside it.
    void RestoreJobPart(const Job::Telescope& part);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* m_apertureUnits;
    QButtonGroup* m_focalUnits;
    // The unit in which each box's text is written: recorded by whatever writes the text
    // (the window, or the user typing), so a box is never read in another unit than its text's.
    int ApertureTextUnit = 2;
    int FocalTextUnit = 2;
    int m_rowSelectedAtPress = -1;
};
