#pragma once

#include "optics/OpticalSheet.h"
#include "ui/WindowRules.h"
#include "ui_TOpticReportForm.h"

#include <QMainWindow>

//! The results report, last step of the optical wizard. It keeps nothing of its own: each
//! showing derives every row from OpticalJob and hands the f/ratio to the exposure calculator.
class TOpticReportForm : public QMainWindow, public Ui::TOpticReportForm, public RefreshedOnShow
{
public:
    explicit TOpticReportForm(QWidget* parent = nullptr);

    void FormShow() override;
    void Button1Click();
    void Button2Click();
    void Print1Click();
    void ExportasPDF1Click();
    void Exit1Click();

private:
    //! What the sheet shows: the labels as they stand now, so the sheet matches the screen.
    OpticalSheetTexts CurrentSheet() const;
};
