#pragma once

#include "exposure/ExposureModel.h"
#include "exposure/ExposureSheet.h"
#include "job/JobParts.h"
#include "ui_TForm1.h"

#include <QMainWindow>

#include <functional>

//! The exposure calculator. It holds no numbers of its own: every recalculation reads the
//! five box texts afresh and writes the suggested exposure back as text.
class TForm1 : public QMainWindow, public Ui::TForm1
{
public:
    explicit TForm1(QWidget* parent = nullptr);

    void Recalculate();
    void FormActivate();
    void Button1Click();
    void Button2Click();
    void Print1Click();
    void ExportasPDF1Click();
    void OpenJob1Click();
    void SaveJob1Click();
    void Exit1Click();
    void DigitalCamera1Click();
    void Howtousethisprogram1Click();
    void Instructions1Click();
    void About1Click();

    //! The exposure the last completed recalculation suggested. A recalculation stopped by an
    //! arithmetic error leaves it as it was, as it leaves the caption, and says so in its Error.
    const ExposureSuggestion& Suggestion() const { return m_suggestion; }
    //! What the program does after each recalculation, completed or stopped by an arithmetic
    //! error: the window set passes the suggestion on to the windows that follow it.
    void SetRecalculated(std::function<void()> recalculated) { m_recalculated = std::move(recalculated); }

    //! What the window's buttons and menu items open elsewhere in the program, each one as the
    //! window set provides it when it makes the windows; one not given does nothing.
    struct Openers
    {
        std::function<void()> OpticalCalculations; // "Run optical calculations now"
        std::function<void()> DigitalCamera;
        std::function<void()> OpenJob;
        std::function<void()> SaveJob;
        std::function<void()> StartWindow; // what "Exit" leaves the user with
        std::function<void()> HowToUse;
        std::function<void()> Theory;
        std::function<void()> About;
    };
    void SetOpeners(Openers openers) { m_openers = std::move(openers); }

    //! Puts an f-ratio computed elsewhere into FRatioBox. It is not calculated with now:
    //! the window picks it up when it next becomes active.
    void WriteFRatio(const QString& text);
    //! Puts a surface brightness taken elsewhere into BrightnessBox and recalculates at once,
    //! handing the suggestion on, as after typing it.
    void WriteBrightness(const QString& text);

    //! The five boxes as a job keeps them.
    Job::Exposure JobPart() const;
    //! Puts back the five boxes of a job, their handlers quiet, then recalculates once and
    //! hands the suggestion on, as after typing.
    void RestoreJobPart(const Job::Exposure& part);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    //! What the sheet shows: the inputs and the result as they stand now, recalculated first,
    //! since after a failed recalculation the caption still shows a result the inputs did not
    //! give. Its arithmetic error stops the sheet.
    ExposureSheetTexts CurrentSheet();

    //! Whether this is the program's active window, as far as FormActivate is concerned: it
    //! stays so while the user is in another application or answers a message box, and ends
    //! when another window of the program becomes active or this one is hidden.
    bool m_isActiveForm = false;

    ExposureSuggestion m_suggestion;
    std::function<void()> m_recalculated;
    Openers m_openers;
};
