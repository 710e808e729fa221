#include "optics/TOpticReportForm.h"

#include "optics/OpticalJob.h"
#include "optics/OpticalResults.h"
#include "optics/OpticalSheet.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticTeleForm.h"
#include "print/WindowPrinting.h"
#include "ui/ErrorReport.h"
#include "ui/NightVision.h"

#include <QScopeGuard>
#include <QScopedValueRollback>

#include <array>

TOpticReportForm::TOpticReportForm(QWidget* parent)
    : QMainWindow(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {503, 377});
    SetBackground(centralWidget(), Silver);

    // White labels with black text, whatever the desktop's colours: captions plain, values bold.
    const QList<QLabel*> values{ApertureLabel, FLLabel, ConfigLabel, EFLLabel, fLabel, FOVLabel, FOV20Label,
                                MoonImageSizeLabel, JupiterImageSizeLabel};
    for (QLabel* label : centralWidget()->findChildren<QLabel*>()) {
        SetBackground(label, Qt::white);
        SetTextColour(label, Qt::black);
        label->setFont(PixelFont(11, values.contains(label)));
    }
    Label8->setFont(PixelFont(16, true));
    // "Finished" is declared before "<< Back" in the form so that the keyboard starts on it:
    // Qt's tab-order call does not move a control ahead of the neighbour created just before it.
    for (QPushButton* button : {Button1, Button2})
        button->setFont(PixelFont(11, true));
    // A screen reader reads each value with its caption.
    const QList<QLabel*> captions{Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label10, Label9};
    for (qsizetype i = 0; i < values.size(); ++i)
        values[i]->setAccessibleDescription(captions[i]->text());

    ConnectHandler(Print1, &QAction::triggered, this, &TOpticReportForm::Print1Click);
    ConnectHandler(ExportasPDF1, &QAction::triggered, this, &TOpticReportForm::ExportasPDF1Click);
    ConnectHandler(Button1, &QPushButton::clicked, this, &TOpticReportForm::Button1Click);
    ConnectHandler(Button2, &QPushButton::clicked, this, &TOpticReportForm::Button2Click);
    ConnectHandler(Exit1, &QAction::triggered, this, &TOpticReportForm::Exit1Click);
    ConnectHandler(FieldontheSensor1, &QAction::triggered, this, &TOpticReportForm::FieldontheSensor1Click);
    View1->addAction(NightVision::Action());
}

void TOpticReportForm::FormShow()
{
    // Camera-lens wording exactly when the camera-lens window completed the job on display.
    // Each window that completes a job makes itself the way back just before it shows this
    // window, and nothing else shows it, so ReturnWindow names the window that completed it.
    // The configuration choice's radio button says the same in every ordinary run, but not
    // when a detail window left open from an earlier run completes a job after the user has
    // since ticked another configuration.
    const bool cameraLens = OpticalJob.ReturnWindow == Wizard().CameraLens;
    Label1->setText(cameraLens ? QStringLiteral("Camera lens aperture:") : QStringLiteral("Telescope aperture:"));
    Label2->setText(cameraLens ? QStringLiteral("Camera lens focal length:")
                               : QStringLiteral("Telescope focal length:"));
    ApertureLabel->setAccessibleDescription(Label1->text());
    FLLabel->setAccessibleDescription(Label2->text());

    // An error ends the computation at its step: the rows reached show this job's values and
    // the others "?", never an earlier job's. The exposure calculator gets the f/ratio only
    // when it was reached.
    OpticalResultTexts rows;
    const auto showRows = qScopeGuard([this, &rows] {
        const auto put = [](QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); };
        put(ApertureLabel, rows.Aperture);
        put(FLLabel, rows.FocalLength);
        put(ConfigLabel, rows.Configuration);
        put(EFLLabel, rows.EffectiveFocalLength);
        put(fLabel, rows.FRatio);
        put(FOVLabel, rows.FieldOfView);
        put(FOV20Label, rows.FieldOfView20);
        put(MoonImageSizeLabel, rows.MoonImageSize);
        put(JupiterImageSizeLabel, rows.JupiterImageSize);
        if (m_handFRatioBack && !rows.FRatioNumber.empty() && m_fRatioTaker)
            m_fRatioTaker(QString::fromStdString(rows.FRatioNumber));
    });
    ComputeJob(rows);
}

void TOpticReportForm::ComputeJob(OpticalResultTexts& rows)
{
    m_fieldJob = {OpticalJob.EffectiveFocalLengthMm, OpticalJob.ApertureMm, {}};
    try {
        ComputeOpticalResults(OpticalJob, rows);
    } catch (const std::exception& error) {
        m_fieldJob.Error = error.what();
        TellFollowers();
        throw;
    }
    TellFollowers();
}

void TOpticReportForm::TellFollowers() const
{
    if (m_jobTaker)
        m_jobTaker(m_fieldJob);
}

void TOpticReportForm::TakeRestoredJob()
{
    // A job without a completed optical job: nothing to report, as in a fresh program, and the
    // windows that follow the report are told there is none.
    if (OpticalJob.ApertureMm == 0 && OpticalJob.EffectiveFocalLengthMm == 0 && OpticalJob.TelescopeFocalLengthMm == 0) {
        hide();
        m_fieldJob = {};
        TellFollowers();
        return;
    }
    if (isVisible()) {
        const QScopedValueRollback quiet(m_handFRatioBack, false);
        FormShow();
        return;
    }
    // Hidden, the report shows nothing and reports nothing; the windows that follow it take
    // the job as it would give it, an error where its computation stops included.
    OpticalResultTexts rows;
    try {
        ComputeJob(rows);
    } catch (const std::exception&) {
        // Told to the windows that follow the report, with the job.
    }
}

Job::Optics TOpticReportForm::JobPart() const
{
    return {OpticalJob.TelescopeFocalLengthMm, OpticalJob.EffectiveFocalLengthMm, OpticalJob.ApertureMm,
            QString::fromStdString(OpticalJob.ConfigurationText), QString::fromStdString(OpticalJob.TelescopeLine)};
}

void TOpticReportForm::RestoreJobPart(const ::Job::Optics& part, const QString& configuration)
{
    // A job without an optical job leaves none, and the way back from the configuration choice
    // as it was; a job with one leaves its own configuration's window as the way back, as the
    // wizard does when it completes a job.
    QWidget* const back = OpticalJob.ReturnWindow;
    OpticalJob.Reset();
    if (part == ::Job::Optics{}) {
        OpticalJob.ReturnWindow = back;
        return;
    }
    OpticalJob.TelescopeFocalLengthMm = part.TelescopeFocalLengthMm;
    OpticalJob.EffectiveFocalLengthMm = part.EffectiveFocalLengthMm;
    OpticalJob.ApertureMm = part.ApertureMm;
    OpticalJob.ConfigurationText = part.ConfigurationText.toStdString();
    OpticalJob.TelescopeLine = part.TelescopeLine.toStdString();
    // The windows that complete a job, in the order of Job::ConfigurationNames.
    const OpticalWizard& wizard = Wizard();
    const std::array<QWidget*, std::size(::Job::ConfigurationNames)> completing{
        wizard.CameraLens, wizard.Telescope, wizard.Afocal, wizard.Compression, wizard.Teleconverter, wizard.BarlowLens,
        wizard.EyepieceProjection};
    if (const int index = ::Job::IndexOf(::Job::ConfigurationNames, configuration); index >= 0)
        OpticalJob.ReturnWindow = completing[static_cast<std::size_t>(index)];
}

void TOpticReportForm::FieldontheSensor1Click()
{
    if (m_fieldOpener)
        m_fieldOpener();
}

void TOpticReportForm::Button1Click()
{
    close();
}

void TOpticReportForm::Button2Click()
{
    ShowThenClose(OpticalJob.ReturnWindow, this);
}

OpticalSheetTexts TOpticReportForm::CurrentSheet() const
{
    const auto text = [](const QLabel* label) { return label->text().toStdString(); };
    return {text(Label1), text(ApertureLabel), text(Label2),   text(FLLabel),
            text(ConfigLabel), text(EFLLabel), text(fLabel),   text(Label6),
            text(FOVLabel),    text(Label7),   text(FOV20Label), text(Label10),
            text(MoonImageSizeLabel), text(Label9), text(JupiterImageSizeLabel)};
}

void TOpticReportForm::Print1Click()
{
    const OpticalSheetTexts texts = CurrentSheet();
    PrintOnDefaultPrinter(OpticalSheetTitle, [&texts](PrinterText& printer) { PrintOpticalSheet(printer, texts); });
}

void TOpticReportForm::ExportasPDF1Click()
{
    AskWhereToSaveSheet(this, OpticalSheetTitle, [this](const QString& path) {
        const OpticalSheetTexts texts = CurrentSheet();
        SaveSheetAsPdf(path, OpticalSheetTitle, [&texts](PrinterText& printer) { PrintOpticalSheet(printer, texts); });
    });
}

void TOpticReportForm::Exit1Click()
{
    close();
}
