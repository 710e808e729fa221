#include "exposure/TDigitalCameraForm.h"

#include "exposure/DigitalCamera.h"
#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "ui/ErrorReport.h"
#include "ui/ErrorText.h"
#include "ui/WindowRules.h"

#include <QLineEdit>
#include <QStandardItemModel>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

//! Reads one box and puts its refusal beside it, and on the box for a screen reader.
std::optional<double> ReadBox(CameraBox rule, const QString& text, QLabel* message, QWidget* box)
{
    std::string refusal;
    const std::optional<double> value = ReadCameraBox(rule, text.toStdString(), refusal);
    message->setText(Text(refusal));
    box->setAccessibleDescription(Text(refusal));
    return value;
}

} // namespace

TDigitalCameraForm::TDigitalCameraForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {960, 542});
    SetBackground(this, Silver);

    for (QLabel* heading : {SourcesHeading, InputsHeading, ResultsHeading})
        heading->setFont(PixelFont(11, true));
    CloseButton->setFont(PixelFont(11, true));
    // A screen reader reads each figure with its caption, and the figures taken from other
    // windows with where they come from.
    const QList<QLabel*> values{BrightnessLabel, JobLabel, SensorLabel, SkyRateLabel, ObjectRateLabel, SubExposureLabel, TotalLabel};
    const QList<QLabel*> captions{BrightnessCaption, JobCaption, SensorCaption, SkyRateCaption, ObjectRateCaption,
                                  SubExposureCaption, TotalCaption};
    const QList<QLabel*> sources{BrightnessSource, JobSource, SensorSource};
    for (qsizetype i = 0; i < values.size(); ++i) {
        values[i]->setFont(PixelFont(11, true));
        values[i]->setAccessibleDescription(i < sources.size() ? captions[i]->text() + QLatin1Char(' ') + sources[i]->text()
                                                               : captions[i]->text());
    }

    for (const char* item : SkyQualityPresets)
        SkyBox->addItem(QString::fromUtf8(item));
    SkyBox->setCurrentIndex(-1);
    SkyBox->setEditText(QString::fromUtf8(SkyInitialText));
    for (const CameraFilter& filter : CameraFilters)
        FilterBox->addItem(QString::fromUtf8(filter.Name));
    WidthBox->setText(QString::fromUtf8(NarrowbandInitialText));
    ObstructionBox->setText(QString::fromUtf8(ObstructionInitialText));
    RiseBox->setText(QString::fromUtf8(RiseInitialText));
    SignalToNoiseBox->setText(QString::fromUtf8(SignalToNoiseInitialText));
    ReadNoiseBox->setText(Text(FormatFixed(15, 1, StartingCamera.ReadNoise)));
    EfficiencyBox->setText(Text(FormatFixed(15, 0, StartingCamera.QuantumEfficiencyPercent)));
    ColourBox->setChecked(StartingCamera.Colour);

    for (QLineEdit* box : {ReadNoiseBox, EfficiencyBox, WidthBox, ObstructionBox, RiseBox, SignalToNoiseBox})
        ConnectHandler(box, &QLineEdit::textChanged, this, &TDigitalCameraForm::BoxChange);
    // Only what the user types stops a box following the sensor; textEdited is not sent when
    // a preset fills the box.
    ConnectHandler(ReadNoiseBox, &QLineEdit::textEdited, this, &TDigitalCameraForm::ReadNoiseBoxEdited);
    ConnectHandler(EfficiencyBox, &QLineEdit::textEdited, this, &TDigitalCameraForm::EfficiencyBoxEdited);
    ConnectHandler(ColourBox, &QCheckBox::clicked, this, &TDigitalCameraForm::ColourBoxClick);
    ConnectHandler(SkyBox, &QComboBox::editTextChanged, this, &TDigitalCameraForm::BoxChange);
    ConnectHandler(FilterBox, &QComboBox::currentIndexChanged, this, &TDigitalCameraForm::BoxChange);
    ConnectHandler(CloseButton, &QPushButton::clicked, this, &TDigitalCameraForm::CloseButtonClick);

    FollowTypicalFigures();
    ShowFiltersForColour();
    Recalculate();
    ReadNoiseBox->setFocus();
}

void TDigitalCameraForm::ShowBrightness(std::optional<double> brightness)
{
    m_brightness = brightness;
    Guarded([this] { Recalculate(); });
}

void TDigitalCameraForm::ShowJob(const FieldJob& job)
{
    m_job = job;
    Guarded([this] { Recalculate(); });
}

void TDigitalCameraForm::ShowSensor(std::optional<Sensor> sensor, int presetIndex)
{
    m_sensor = sensor;
    m_preset = presetIndex;
    Guarded([this] {
        FollowTypicalFigures();
        ShowFiltersForColour();
        Recalculate();
    });
}

void TDigitalCameraForm::TakeRestoredInputs()
{
    const bool known = m_preset >= 0 && static_cast<std::size_t>(m_preset) < TypicalCameras.size();
    const std::optional<TypicalCamera> typical = known ? TypicalCameras[static_cast<std::size_t>(m_preset)] : std::nullopt;
    m_readNoiseTyped = !typical || ReadNoiseBox->text() != Text(FormatFixed(15, 1, typical->ReadNoise));
    m_efficiencyTyped = !typical || EfficiencyBox->text() != Text(FormatFixed(15, 0, typical->QuantumEfficiencyPercent));
    m_colourTyped = !typical || ColourBox->isChecked() != typical->Colour;
    Guarded([this] {
        FollowTypicalFigures();
        ShowFiltersForColour();
        Recalculate();
    });
}

void TDigitalCameraForm::BoxChange()
{
    Recalculate();
}

void TDigitalCameraForm::ReadNoiseBoxEdited()
{
    m_readNoiseTyped = true;
    ReadNoiseTypical->hide();
}

void TDigitalCameraForm::EfficiencyBoxEdited()
{
    m_efficiencyTyped = true;
    EfficiencyTypical->hide();
}

void TDigitalCameraForm::ColourBoxClick()
{
    m_colourTyped = true;
    ColourTypical->hide();
    ShowFiltersForColour();
    Recalculate();
}

void TDigitalCameraForm::CloseButtonClick()
{
    close();
}

void TDigitalCameraForm::FollowTypicalFigures()
{
    const bool known = m_preset >= 0 && static_cast<std::size_t>(m_preset) < TypicalCameras.size();
    const std::optional<TypicalCamera> typical = known ? TypicalCameras[static_cast<std::size_t>(m_preset)] : std::nullopt;
    // The user's own sensor and film bring no figures: the boxes keep what they hold.
    ReadNoiseTypical->setVisible(typical && !m_readNoiseTyped);
    EfficiencyTypical->setVisible(typical && !m_efficiencyTyped);
    ColourTypical->setVisible(typical && !m_colourTyped);
    if (!typical)
        return;
    const QSignalBlocker quietNoise(ReadNoiseBox);
    const QSignalBlocker quietEfficiency(EfficiencyBox);
    if (!m_readNoiseTyped)
        ReadNoiseBox->setText(Text(FormatFixed(15, 1, typical->ReadNoise)));
    if (!m_efficiencyTyped)
        EfficiencyBox->setText(Text(FormatFixed(15, 0, typical->QuantumEfficiencyPercent)));
    if (!m_colourTyped)
        ColourBox->setChecked(typical->Colour);
}

void TDigitalCameraForm::ShowFiltersForColour()
{
    const bool colour = ColourBox->isChecked();
    auto* model = qobject_cast<QStandardItemModel*>(FilterBox->model());
    for (std::size_t i = 0; i < CameraFilters.size(); ++i) {
        const CameraFilter& filter = CameraFilters[i];
        const int row = static_cast<int>(i);
        FilterBox->setItemText(row, QString::fromUtf8(colour ? filter.NameOnColour : filter.Name));
        if (model)
            model->item(row)->setEnabled(!(colour && filter.MonochromeOnly));
    }
    if (colour && CameraFilters[static_cast<std::size_t>(FilterBox->currentIndex())].MonochromeOnly) {
        const QSignalBlocker quiet(FilterBox); // recalculated by the caller
        FilterBox->setCurrentIndex(0);
    }
}

void TDigitalCameraForm::Recalculate()
{
    BrightnessLabel->setText(Text(BrightnessText(m_brightness)));
    JobLabel->setText(Text(JobText(m_job)));
    SensorLabel->setText(Text(SensorText(m_sensor, m_preset)));

    const auto filter = static_cast<std::size_t>(FilterBox->currentIndex());
    const bool narrowband = filter == NarrowbandFilter;
    WidthBox->setEnabled(narrowband);
    const std::optional<double> readNoise = ReadBox(CameraBox::ReadNoise, ReadNoiseBox->text(), ReadNoiseMessage, ReadNoiseBox);
    const std::optional<double> efficiency =
        ReadBox(CameraBox::QuantumEfficiency, EfficiencyBox->text(), EfficiencyMessage, EfficiencyBox);
    const std::optional<double> sky = ReadBox(CameraBox::SkyBrightness, SkyBox->currentText(), SkyMessage, SkyBox);
    // The width matters only for a narrowband filter; a refusal of it stays said while it does not.
    std::optional<double> width = ReadBox(CameraBox::NarrowbandWidth, WidthBox->text(), WidthMessage, WidthBox);
    if (!narrowband) {
        width = CameraFilters[filter].WidthNm;
        WidthMessage->clear();
        WidthBox->setAccessibleDescription({});
    }
    const std::optional<double> obstruction = ReadBox(CameraBox::Obstruction, ObstructionBox->text(), ObstructionMessage, ObstructionBox);
    const std::optional<double> rise = ReadBox(CameraBox::ReadNoiseRise, RiseBox->text(), RiseMessage, RiseBox);
    const std::optional<double> wanted =
        ReadBox(CameraBox::SignalToNoise, SignalToNoiseBox->text(), SignalToNoiseMessage, SignalToNoiseBox);
    TotalCaption->setText(Text(TotalCaptionText(wanted)));
    TotalLabel->setAccessibleDescription(TotalCaption->text());

    QString why;
    if (m_job.ApertureMm == 0 && m_job.EffectiveFocalLengthMm == 0 && m_job.Error.empty())
        why = QStringLiteral("Nothing to compute until the optical calculations have run.");
    else if (!m_job.Error.empty() || !(m_job.ApertureMm > 0) || !(m_job.EffectiveFocalLengthMm > 0))
        why = QStringLiteral("Nothing to compute: the results report holds no aperture and focal length to use.");
    else if (m_sensor && m_sensor->Film)
        why = QStringLiteral("Nothing to compute on film: pick a digital sensor in the field window.");
    else if (!m_sensor)
        why = QStringLiteral("Nothing to compute: the field window's sensor is not complete.");
    else if (!efficiency || !sky || !width || !obstruction)
        why = QStringLiteral("Nothing to compute until the boxes above hold numbers they take.");

    CameraTexts texts{NoFigure, NoFigure, NoFigure, NoFigure};
    if (why.isEmpty()) {
        const CameraSetup setup{m_job.ApertureMm, m_job.EffectiveFocalLengthMm, m_sensor->PixelMicrons, *obstruction,
                                ColourBox->isChecked(), *efficiency, *width, narrowband, *sky, m_brightness, readNoise,
                                rise, wanted};
        try {
            texts = ComputeCamera(setup);
        } catch (const ArithmeticError& error) {
            // An absurd job is said here, in the window, with no error box of its own: the job
            // was reported where it was made.
            why = QStringLiteral("Nothing to compute: %1.").arg(QString::fromStdString(ErrorClause(error.what())));
        }
    }
    StatusMessage->setText(why);
    SkyRateLabel->setText(Text(texts.Sky));
    ObjectRateLabel->setText(Text(texts.Object));
    SubExposureLabel->setText(Text(texts.SubExposure));
    TotalLabel->setText(Text(texts.Total));
}
