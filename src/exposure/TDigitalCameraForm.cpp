#include "exposure/TDigitalCameraForm.h"

#include "exposure/DigitalCamera.h"
#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "ui/ErrorReport.h"
#include "ui/ErrorText.h"
#include "ui/QuietBoxes.h"
#include "ui/WindowRules.h"

#include <QLineEdit>
#include <QStandardItemModel>

#include <algorithm>
#include <array>

namespace {

// A job names the filters in the order of the list.
static_assert(std::size(Job::FilterNames) == CameraFilters.size());

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

//! The typical figures of the sensor preset `preset`; none for film and the user's own sensor.
std::optional<TypicalCamera> TypicalFor(int preset)
{
    const bool known = preset >= 0 && static_cast<std::size_t>(preset) < TypicalCameras.size();
    return known ? TypicalCameras[static_cast<std::size_t>(preset)] : std::nullopt;
}

QString ReadNoiseText(double electrons)
{
    return Text(FormatFixed(15, 1, electrons));
}

QString EfficiencyText(double percent)
{
    return Text(FormatFixed(15, 0, percent));
}

} // namespace

TDigitalCameraForm::TDigitalCameraForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    SetupWindowFrame(this, {960, 652});
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
    YourTotalLabel->setFont(PixelFont(11, true));
    YourTotalLabel->setAccessibleDescription(QStringLiteral("Total in frames of your sub-exposure"));

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
    ReadNoiseBox->setText(ReadNoiseText(StartingCamera.ReadNoise));
    EfficiencyBox->setText(EfficiencyText(StartingCamera.QuantumEfficiencyPercent));
    ColourBox->setChecked(StartingCamera.Colour);
    EmissionBox->setChecked(false); // until the field window's target is one

    for (QLineEdit* box : {ReadNoiseBox, EfficiencyBox, WidthBox, ObstructionBox, RiseBox, SignalToNoiseBox, YourSubExposureBox})
        ConnectHandler(box, &QLineEdit::textChanged, this, &TDigitalCameraForm::BoxChange);
    // Only what the user types stops a box following the sensor; textEdited is not sent when
    // a preset fills the box.
    ConnectHandler(ReadNoiseBox, &QLineEdit::textEdited, this, &TDigitalCameraForm::ReadNoiseBoxEdited);
    ConnectHandler(EfficiencyBox, &QLineEdit::textEdited, this, &TDigitalCameraForm::EfficiencyBoxEdited);
    ConnectHandler(ColourBox, &QCheckBox::clicked, this, &TDigitalCameraForm::ColourBoxClick);
    ConnectHandler(EmissionBox, &QCheckBox::clicked, this, &TDigitalCameraForm::EmissionBoxClick);
    ConnectHandler(SkyBox, &QComboBox::editTextChanged, this, &TDigitalCameraForm::BoxChange);
    ConnectHandler(FilterBox, &QComboBox::currentIndexChanged, this, &TDigitalCameraForm::BoxChange);
    ConnectHandler(CloseButton, &QPushButton::clicked, this, &TDigitalCameraForm::CloseButtonClick);

    FollowTypicalFigures();
    ShowFiltersForColour();
    Recalculate();
    ReadNoiseBox->setFocus();
}

void TDigitalCameraForm::ShowBrightness(std::optional<double> brightness, const std::string& calculatorError)
{
    m_brightness = brightness;
    m_calculatorError = calculatorError;
    Guarded([this] { Recalculate(); });
}

void TDigitalCameraForm::ShowJob(const ReportedJob& job)
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

void TDigitalCameraForm::ShowTarget(bool emissionNebula)
{
    m_emissionTarget = emissionNebula;
    Guarded([this] {
        FollowTarget();
        Recalculate();
    });
}

Job::Camera TDigitalCameraForm::JobPart() const
{
    const auto said = [](const Setting& setting) {
        return setting.Unsaid ? std::nullopt : std::optional<bool>(setting.ByUser);
    };
    const auto filter = static_cast<std::size_t>(std::max(FilterBox->currentIndex(), 0));
    return {ReadNoiseBox->text(),
            EfficiencyBox->text(),
            ColourBox->isChecked(),
            SkyBox->currentText(),
            QString::fromLatin1(std::to_array(Job::FilterNames).at(filter)),
            WidthBox->text(),
            ObstructionBox->text(),
            RiseBox->text(),
            SignalToNoiseBox->text(),
            said(m_readNoise),
            said(m_efficiency),
            said(m_colour),
            EmissionBox->isChecked(),
            m_emissionSet,
            YourSubExposureBox->text()};
}

void TDigitalCameraForm::RestoreJobPart(const Job::Camera& part)
{
    PutText(ReadNoiseBox, part.ReadNoise);
    PutText(EfficiencyBox, part.QuantumEfficiency);
    PutChecked(ColourBox, part.Colour);
    PutEditText(SkyBox, part.SkyBrightness);
    PutIndex(FilterBox, std::max(Job::IndexOf(Job::FilterNames, part.Filter), 0));
    PutText(WidthBox, part.NarrowbandWidth);
    PutText(ObstructionBox, part.Obstruction);
    PutText(RiseBox, part.ReadNoiseRise);
    PutText(SignalToNoiseBox, part.SignalToNoise);
    PutText(YourSubExposureBox, part.SubExposure);
    PutChecked(EmissionBox, part.EmissionNebula);

    const std::optional<TypicalCamera> typical = TypicalFor(m_preset);
    const auto take = [&typical](std::optional<bool> said, bool differs) {
        return Setting{said.value_or(!typical || differs), !said};
    };
    m_readNoise = take(part.ReadNoiseByUser, typical && ReadNoiseBox->text() != ReadNoiseText(typical->ReadNoise));
    m_efficiency = take(part.QuantumEfficiencyByUser,
                        typical && EfficiencyBox->text() != EfficiencyText(typical->QuantumEfficiencyPercent));
    m_colour = take(part.ColourByUser, typical && ColourBox->isChecked() != typical->Colour);
    m_emissionSet = part.EmissionNebulaByUser;
    Guarded([this] {
        FollowTypicalFigures();
        FollowTarget();
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
    m_readNoise = {true, false};
    ReadNoiseTypical->hide();
}

void TDigitalCameraForm::EfficiencyBoxEdited()
{
    m_efficiency = {true, false};
    EfficiencyTypical->hide();
}

void TDigitalCameraForm::ColourBoxClick()
{
    m_colour = {true, false};
    ColourTypical->hide();
    ShowFiltersForColour();
    Recalculate();
}

void TDigitalCameraForm::EmissionBoxClick()
{
    m_emissionSet = true;
    EmissionTypical->hide();
    Recalculate();
}

void TDigitalCameraForm::CloseButtonClick()
{
    close();
}

void TDigitalCameraForm::FollowTypicalFigures()
{
    const std::optional<TypicalCamera> typical = TypicalFor(m_preset);
    // The user's own sensor and film bring no figures: the boxes keep what they hold.
    ReadNoiseTypical->setVisible(typical && !m_readNoise.ByUser);
    EfficiencyTypical->setVisible(typical && !m_efficiency.ByUser);
    ColourTypical->setVisible(typical && !m_colour.ByUser);
    if (!typical)
        return;
    const QSignalBlocker quietNoise(ReadNoiseBox);
    const QSignalBlocker quietEfficiency(EfficiencyBox);
    if (!m_readNoise.ByUser)
        ReadNoiseBox->setText(ReadNoiseText(typical->ReadNoise));
    if (!m_efficiency.ByUser)
        EfficiencyBox->setText(EfficiencyText(typical->QuantumEfficiencyPercent));
    if (!m_colour.ByUser)
        ColourBox->setChecked(typical->Colour);
}

void TDigitalCameraForm::FollowTarget()
{
    EmissionTypical->setVisible(!m_emissionSet);
    if (!m_emissionSet)
        EmissionBox->setChecked(m_emissionTarget);
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
    BrightnessLabel->setText(Text(BrightnessText(m_brightness, m_calculatorError)));
    JobLabel->setText(Text(JobText(m_job)));
    SensorLabel->setText(Text(SensorText(m_sensor, m_preset)));

    const auto filter = static_cast<std::size_t>(FilterBox->currentIndex());
    const bool narrowband = filter == NarrowbandFilter;
    // The width and the emission box matter behind a narrowband filter only.
    WidthBox->setEnabled(narrowband);
    EmissionBox->setEnabled(narrowband);
    NarrowbandNote->setText(narrowband && ColourBox->isChecked() ? QString::fromUtf8(NarrowbandOnColourNote) : QString());
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
    const std::optional<double> ownFrame =
        ReadBox(CameraBox::OwnSubExposure, YourSubExposureBox->text(), YourSubExposureMessage, YourSubExposureBox);
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

    CameraTexts texts{NoFigure, NoFigure, NoFigure, NoFigure, NoFigure};
    if (why.isEmpty()) {
        // The brightness of a recalculation that has since stopped at an error is no longer
        // the calculator's.
        const std::optional<double> brightness = m_calculatorError.empty() ? m_brightness : std::nullopt;
        const CameraSetup setup{m_job.ApertureMm, m_job.EffectiveFocalLengthMm, m_sensor->PixelMicrons, *obstruction,
                                ColourBox->isChecked(), *efficiency, *width, narrowband, *sky, brightness, readNoise,
                                rise, wanted, EmissionBox->isChecked(), ownFrame};
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
    // An empty box of the user's own sub-exposure asks for no line; anything else in it gets one.
    YourTotalLabel->setText(YourSubExposureBox->text().trimmed().isEmpty() ? QString()
                            : ownFrame                                     ? Text(texts.OwnTotal)
                                                                           : QString::fromUtf8(NoFigure));
}
