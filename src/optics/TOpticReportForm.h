#pragma once

#include "job/JobParts.h"
#include "optics/OpticalJob.h"
#include "optics/OpticalSheet.h"
#include "optics/OpticalWizard.h"
#include "ui/WindowRules.h"
#include "ui_TOpticReportForm.h"

#include <QMainWindow>

#include <functional>

struct OpticalResultTexts;

//! The results report, last step of the optical wizard. It keeps nothing of its own: each
//! showing derives every row from OpticalJob and hands the f/ratio to the exposure calculator.
class TOpticReportForm : public QMainWindow,
                         public Ui::TOpticReportForm,
                         public RefreshedOnShow,
                         public OpticalWizardWindow
{
public:
    explicit TOpticReportForm(QWidget* parent = nullptr);

    void FormShow() override;
    void Button1Click();
    void Button2Click();
    void Print1Click();
    void ExportasPDF1Click();
    void Exit1Click();
    void FieldontheSensor1Click();

    //! Where the report hands the f/ratio it computed, as the text of a number: the window set
    //! gives it to the exposure calculator.
    void SetFRatioTaker(std::function<void(const QString&)> taker) { m_fRatioTaker = std::move(taker); }
    //! What the program does with each job the report computes: the window set passes it on to
    //! the windows that follow the report.
    void SetJobTaker(std::function<void(const ReportedJob&)> taker) { m_jobTaker = std::move(taker); }
    //! Opens the field window ("View" -> "Field on the Sensor..."), which takes the job on
    //! display from the window set.
    void SetFieldOpener(std::function<void()> opener) { m_fieldOpener = std::move(opener); }
    //! Takes an optical job put back from a job file: shown again where the report is open,
    //! without handing its f/ratio to the exposure calculator (whose box was put back too), and
    //! passed on to the windows that follow the report either way. A job file without a
    //! completed optical job leaves none: the report is hidden and its followers told so.
    void TakeRestoredJob();
    //! The optical job as the wizard last completed it (OpticalJob), as a job keeps it.
    ::Job::Optics JobPart() const;
    //! Puts back the optical job of a job, or none, as in a fresh program, where the wizard had
    //! completed none. The way back from the report (and its camera-lens wording with it) is
    //! the wizard's window of the job's own `configuration`, never the one of a job completed
    //! earlier in this run. Shown and handed on by TakeRestoredJob, once the windows it is
    //! handed to have their parts.
    void RestoreJobPart(const ::Job::Optics& part, const QString& configuration);
    //! The job on display, as the windows that follow the report take it.
    const ReportedJob& Job() const { return m_fieldJob; }

private:
    //! What the sheet shows: the labels as they stand now, so the sheet matches the screen.
    OpticalSheetTexts CurrentSheet() const;
    //! Computes the rows of the optical job and hands the job on, with the error where the
    //! computation stopped, which is then thrown on.
    void ComputeJob(OpticalResultTexts& rows);
    //! Hands the job on display to the windows that follow the report.
    void TellFollowers() const;

    ReportedJob m_fieldJob; // the job on display, as the windows that follow take it
    std::function<void(const ReportedJob&)> m_jobTaker;
    std::function<void()> m_fieldOpener;
    std::function<void(const QString&)> m_fRatioTaker;
    bool m_handFRatioBack = true;
};
