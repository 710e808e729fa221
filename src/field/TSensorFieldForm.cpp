#include "field/TSensorFieldForm.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "field/Framing.h"
#include "optics/OpticalResults.h"
#include "sky/Catalogue.h"
#include "sky/TargetChooser.h"
#include "sky/TargetNames.h"
#include "ui/ErrorReport.h"
#include "ui/ErrorText.h"
#include "ui/QuietBoxes.h"
#include "ui/SaveDialogs.h"
#include "ui/WindowRules.h"

#include <QSpinBox>

#include <exception>
#include <initializer_list>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

//! A number as the sensor boxes show it: the preset's value with no needless zeros.
QString BoxText(double value)
{
    return QString::number(value, 'g', 10);
}

} // namespace

TSensorFieldForm::TSensorFieldForm(QWidget* parent)
    : QWidget(parent)
{
    setFont(PixelFont(11));
    setupUi(this);
    // The showpieces are read here, when the window is first made, never at start-up. The
    // chooser makes the box editable before the window frame names its edit part.
    m_chooser = new TargetChooser(TargetBox, TargetMessage);
    m_chooser->SetChanged([this] { TargetBoxChange(); });
    SetupWindowFrame(this, {960, 720});
    SetBackground(this, Silver);

    for (const SensorPreset& preset : SensorPresets)
        SensorBox->addItem(QString::fromUtf8(preset.Name));
    SensorBox->addItem(QString::fromUtf8(OwnSensorName));

    const QList<QLabel*> values{FrameLabel, FieldLabel, ArcminutesLabel, ScaleLabel, DawesLabel, SamplingLabel,
                                MoonLabel, MoonPixelsLabel, JupiterLabel, JupiterPixelsLabel, FitsLabel,
                                TargetImageLabel, TargetPixelsLabel, ExtentLabel, TargetFitsLabel, MosaicLabel, CameraLabel,
                                SurfaceBrightnessLabel, NpfLabel, FiveHundredLabel, TrailLabel};
    const QList<QLabel*> captions{FrameCaption, FieldCaption, ArcminutesCaption, ScaleCaption, DawesCaption, SamplingCaption,
                                  MoonCaption, MoonPixelsCaption, JupiterCaption, JupiterPixelsCaption, FitsCaption,
                                  TargetImageCaption, TargetPixelsCaption, ExtentCaption, TargetFitsCaption, MosaicCaption,
                                  CameraCaption, SurfaceBrightnessCaption, NpfCaption, FiveHundredCaption, TrailCaption};
    // A screen reader reads each figure with its caption.
    for (qsizetype i = 0; i < values.size(); ++i) {
        values[i]->setFont(PixelFont(11, true));
        values[i]->setAccessibleDescription(captions[i]->text());
    }
    // The untracked figures' captions lean on the heading above them; a screen reader hears it whole.
    TrackingHeading->setFont(PixelFont(11, true));
    NpfLabel->setAccessibleDescription(QStringLiteral("Longest exposure before the stars trail, by the NPF rule"));
    FiveHundredLabel->setAccessibleDescription(QStringLiteral("Longest exposure before the stars trail, by the 500 rule"));
    TrailLabel->setAccessibleDescription(QStringLiteral("Trail of the exposure the exposure calculator suggests"));
    for (QPushButton* button : {UseBrightnessButton, TonightButton, DigitalCameraButton, SaveButton, CloseButton})
        button->setFont(PixelFont(11, true));
    Picture->setAccessibleName(QStringLiteral("Picture of the field on the sensor"));
    // What the angle means, where the user meets it and where a screen reader reads it.
    const QString angleMeaning = QStringLiteral("Position angle of the frame's up direction, from north through east: "
                                                "0\u00B0 = north up, east left");
    for (QWidget* widget : std::initializer_list<QWidget*>{AngleCaption, AngleBox}) {
        widget->setToolTip(angleMeaning);
        widget->setAccessibleDescription(angleMeaning);
    }

    ConnectHandler(SensorBox, &QComboBox::currentIndexChanged, this, &TSensorFieldForm::SensorBoxChange);
    for (QLineEdit* box : {PixelsAcrossBox, PixelsDownBox, PixelSizeBox})
        ConnectHandler(box, &QLineEdit::textChanged, this, &TSensorFieldForm::SensorBoxesEdited);
    ConnectHandler(DeclinationBox, &QLineEdit::textChanged, this, &TSensorFieldForm::DeclinationBoxChange);
    for (QSpinBox* box : {AngleBox, OverlapBox})
        ConnectHandler(box, &QSpinBox::valueChanged, this, &TSensorFieldForm::FramingChange);
    ConnectHandler(UseBrightnessButton, &QPushButton::clicked, this, &TSensorFieldForm::UseBrightnessButtonClick);
    ConnectHandler(TonightButton, &QPushButton::clicked, this, &TSensorFieldForm::TonightButtonClick);
    ConnectHandler(DigitalCameraButton, &QPushButton::clicked, this, &TSensorFieldForm::DigitalCameraButtonClick);
    ConnectHandler(SaveButton, &QPushButton::clicked, this, &TSensorFieldForm::SaveButtonClick);
    ConnectHandler(CloseButton, &QPushButton::clicked, this, &TSensorFieldForm::CloseButtonClick);

    ShowSurfaceBrightness(); // the Moon and Jupiter, the first entry
    SensorBoxChange(); // the film frame, the first entry
    SensorBox->setFocus();
}

void TSensorFieldForm::ShowJob(const ReportedJob& job)
{
    m_job = job;
    Guarded([this] { Recalculate(); });
}

void TSensorFieldForm::SensorBoxChange()
{
    const auto index = static_cast<std::size_t>(SensorBox->currentIndex());
    if (index >= SensorPresets.size()) {
        // "Your own sensor": the boxes keep what they hold, for the user to change.
        for (QLineEdit* box : {PixelsAcrossBox, PixelsDownBox, PixelSizeBox})
            box->setEnabled(true);
        Recalculate();
        return;
    }
    const Sensor& sensor = SensorPresets[index].Model;
    m_filling = true;
    PixelsAcrossBox->setText(sensor.Film ? QString() : BoxText(sensor.PixelsAcross));
    PixelsDownBox->setText(sensor.Film ? QString() : BoxText(sensor.PixelsDown));
    PixelSizeBox->setText(sensor.Film ? QString() : BoxText(sensor.PixelMicrons));
    m_filling = false;
    for (QLineEdit* box : {PixelsAcrossBox, PixelsDownBox, PixelSizeBox})
        box->setEnabled(!sensor.Film);
    Recalculate();
}

void TSensorFieldForm::SensorBoxesEdited()
{
    if (m_filling)
        return;
    const int own = static_cast<int>(SensorPresets.size());
    if (SensorBox->currentIndex() != own) {
        const QSignalBlocker quiet(SensorBox); // the boxes keep what the user typed
        SensorBox->setCurrentIndex(own);
    }
    Recalculate();
}

void TSensorFieldForm::ShowExposure(const TrailExposure& exposure)
{
    m_exposure = exposure;
    Guarded([this] {
        try {
            Recalculate();
        } catch (const ArithmeticError&) {
            // The job's own error, reported when the job came and said in the window since:
            // each keystroke in the exposure calculator does not report it again.
        }
    });
}

std::optional<SkyTarget> TSensorFieldForm::CurrentTarget() const
{
    return m_chooser->Target();
}

void TSensorFieldForm::ShowTarget(const std::optional<SkyTarget>& target)
{
    if (TargetChooser::Same(target, m_chooser->Target()))
        return;
    m_chooser->SetTarget(target);
    TakeDeclination();
    ShowSurfaceBrightness();
    Guarded([this] { Recalculate(); });
}

void TSensorFieldForm::TargetBoxChange()
{
    TakeDeclination();
    ShowSurfaceBrightness();
    // The windows that follow are told first: an arithmetic error of the framing ends the
    // handler, and the target has changed all the same.
    if (m_targetChanged)
        m_targetChanged();
    Recalculate();
}

void TSensorFieldForm::TakeDeclination()
{
    // The target's declination, which the user may change afterwards.
    if (const std::optional<SkyTarget>& target = m_chooser->Target()) {
        const QSignalBlocker quiet(DeclinationBox);
        DeclinationBox->setText(Text(FormatFixed(15, 2, target->Position.Declination)));
    }
}

void TSensorFieldForm::ShowSurfaceBrightness()
{
    const std::optional<SkyTarget>& target = m_chooser->Target();
    const std::optional<SurfaceBrightness> brightness =
        target && target->Object ? VSurfaceBrightness(*target->Object) : std::nullopt;
    // The number handed on has the digits the row shows, by the same rounding.
    m_brightness = brightness ? Text(FormatFixed(0, 1, brightness->MagnitudesPerSquareArcsecond)) : QString();
    SurfaceBrightnessLabel->setText(Text(brightness ? SurfaceBrightnessText(*brightness) : NoFigure));
    UseBrightnessButton->setEnabled(brightness.has_value());
}

void TSensorFieldForm::UseBrightnessButtonClick()
{
    if (!m_brightness.isEmpty() && m_brightnessTaker)
        m_brightnessTaker(m_brightness);
}

void TSensorFieldForm::FramingChange()
{
    Recalculate();
}

void TSensorFieldForm::DeclinationBoxChange()
{
    Recalculate();
}

void TSensorFieldForm::Recalculate()
{
    // Everything is written afresh, so nothing of an earlier job or sensor stays on display.
    std::string refusal;
    const int preset = CurrentPreset();
    const std::optional<Sensor> sensor = ChosenSensor(preset, PixelsAcrossBox->text().toStdString(),
                                                      PixelsDownBox->text().toStdString(),
                                                      PixelSizeBox->text().toStdString(), refusal);
    const bool sensorChanged = preset != m_preset || sensor.has_value() != m_sensor.has_value()
                               || (sensor && (sensor->Film != m_sensor->Film || sensor->PixelsAcross != m_sensor->PixelsAcross
                                              || sensor->PixelsDown != m_sensor->PixelsDown
                                              || sensor->PixelMicrons != m_sensor->PixelMicrons))
                               || OverlapBox->value() != m_overlap;
    m_sensor = sensor;
    m_preset = preset;
    m_overlap = OverlapBox->value();
    if (sensorChanged && m_sensorChanged)
        m_sensorChanged();
    SensorMessage->setText(Text(refusal));
    for (QLineEdit* box : {PixelsAcrossBox, PixelsDownBox, PixelSizeBox})
        box->setAccessibleDescription(Text(refusal));

    QString why;
    if (!m_job.Error.empty())
        why = QStringLiteral("Nothing to draw: the results stopped at an error (%1).").arg(Text(m_job.Error));
    else if (!(m_job.EffectiveFocalLengthMm > 0))
        why = QStringLiteral("Nothing to draw: the effective focal length is zero or negative.");
    else if (!(m_job.ApertureMm > 0))
        why = QStringLiteral("Nothing to draw: the aperture is zero or negative.");
    else if (!sensor)
        why = QStringLiteral("Nothing to draw: the sensor is not complete.");

    const std::optional<SkyTarget>& target = m_chooser->Target();
    // The Moon and Jupiter are round and wander, and a target without a size is a mark: the
    // angle changes nothing for them.
    const bool framed = target && FramedShape(*target).has_value();
    AngleBox->setEnabled(framed);
    AngleCaption->setEnabled(framed);
    const int angle = AngleBox->value();
    const int overlap = OverlapBox->value();

    std::string declinationRefusal;
    const std::optional<double> declination = ReadDeclination(DeclinationBox->text().toStdString(), declinationRefusal);
    DeclinationMessage->setText(Text(declinationRefusal));
    DeclinationBox->setAccessibleDescription(Text(declinationRefusal));

    SensorFieldTexts texts;
    TargetTexts targetTexts;
    TrackingTexts trackingTexts;
    std::optional<SensorFieldSizes> sizes;
    std::optional<TargetSizes> targetSizes;
    std::exception_ptr failure;
    if (why.isEmpty()) {
        try {
            const SensorFieldFigures figures = ComputeSensorField(m_job.EffectiveFocalLengthMm, m_job.ApertureMm, *sensor);
            texts = figures.Texts;
            if (target) {
                const TargetFraming framing = FrameSkyTarget(m_job.EffectiveFocalLengthMm, *sensor, *target, angle, overlap);
                targetTexts = framing.Texts;
                targetSizes = framing.Sizes;
            } else {
                // The Moon's own mosaic, common at long focal lengths; the other target rows
                // belong to a catalogue target.
                targetTexts = {NoFigure, NoFigure, NoFigure, NoFigure,
                               MoonMosaic(figures.Sizes.MoonMm, figures.Sizes.FrameWidthMm, figures.Sizes.FrameHeightMm, overlap),
                               NoFigure};
            }
            sizes = figures.Sizes;
        } catch (const std::exception& error) {
            // Shown as nothing to draw, then reported as every arithmetic error is.
            why = QStringLiteral("Nothing to draw: %1.").arg(QString::fromStdString(ErrorClause(error.what())));
            failure = std::current_exception();
            targetSizes.reset();
        }
    }
    if (why.isEmpty()) {
        // The untracked figures follow every keystroke in the exposure calculator: an
        // arithmetic error of theirs (an absurd suggestion) is said in its own row, and costs
        // neither the picture nor an error box at each keystroke there.
        trackingTexts = ComputeTracking(m_job.EffectiveFocalLengthMm, m_job.ApertureMm, *sensor, declination, m_exposure);
        JobMessage->setText(QStringLiteral("Effective focal length %1 mm, aperture %2 mm.")
                                .arg(Text(WholeMillimetreText(m_job.EffectiveFocalLengthMm)),
                                     Text(WholeMillimetreText(m_job.ApertureMm))));
        QString description = QStringLiteral("Frame %1; ").arg(Text(texts.Frame));
        if (target && !framed)
            description += QStringLiteral("%1, marked at the frame's centre: the catalogue gives no size for it")
                               .arg(Text(target->ListText));
        else if (target)
            description += QStringLiteral("%1, %2, across the frame %3 at a camera angle of %4\u00B0; fits the frame: %5")
                               .arg(Text(target->ListText), Text(targetTexts.Image), Text(targetTexts.Across))
                               .arg(angle)
                               .arg(Text(targetTexts.Fits));
        else
            description += QStringLiteral("the Moon %1 across; fits the frame: %2").arg(Text(texts.Moon), Text(texts.MoonFits));
        if (targetTexts.Mosaic != NoFigure && targetTexts.Mosaic != NoSizeText && targetTexts.Mosaic != "Not needed")
            description += QStringLiteral("; it takes %1").arg(Text(targetTexts.Mosaic));
        Picture->setAccessibleDescription(description + QLatin1Char('.'));
    } else {
        for (std::string* text : {&texts.Field, &texts.FieldArcminutes, &texts.ImageScale, &texts.ResolvingPower,
                                  &texts.Sampling, &texts.Moon, &texts.MoonPixels, &texts.Jupiter, &texts.JupiterPixels,
                                  &texts.MoonFits, &targetTexts.Image, &targetTexts.Pixels, &targetTexts.Across,
                                  &targetTexts.Fits, &targetTexts.Mosaic, &targetTexts.Camera, &trackingTexts.Npf,
                                  &trackingTexts.FiveHundred, &trackingTexts.Trail})
            *text = NoFigure;
        texts.Frame = sensor ? FrameText(*sensor) : NoFigure;
        JobMessage->setText(why);
        Picture->setAccessibleDescription(why);
    }
    FrameLabel->setText(Text(texts.Frame));
    FieldLabel->setText(Text(texts.Field));
    ArcminutesLabel->setText(Text(texts.FieldArcminutes));
    ScaleLabel->setText(Text(texts.ImageScale));
    DawesLabel->setText(Text(texts.ResolvingPower));
    SamplingLabel->setText(Text(texts.Sampling));
    MoonLabel->setText(Text(texts.Moon));
    MoonPixelsLabel->setText(Text(texts.MoonPixels));
    JupiterLabel->setText(Text(texts.Jupiter));
    JupiterPixelsLabel->setText(Text(texts.JupiterPixels));
    FitsLabel->setText(Text(texts.MoonFits));
    TargetImageLabel->setText(Text(targetTexts.Image));
    TargetPixelsLabel->setText(Text(targetTexts.Pixels));
    ExtentLabel->setText(Text(targetTexts.Across));
    TargetFitsLabel->setText(Text(targetTexts.Fits));
    MosaicLabel->setText(Text(targetTexts.Mosaic));
    CameraLabel->setText(Text(targetTexts.Camera));
    NpfLabel->setText(Text(trackingTexts.Npf));
    FiveHundredLabel->setText(Text(trackingTexts.FiveHundred));
    TrailLabel->setText(Text(trackingTexts.Trail));
    Picture->SetSizes(sizes, targetSizes);
    SaveButton->setEnabled(sizes.has_value()); // nothing drawn, nothing to save
    if (failure)
        std::rethrow_exception(failure);
}

int TSensorFieldForm::CurrentPreset() const
{
    const int index = SensorBox->currentIndex();
    return index < static_cast<int>(SensorPresets.size()) ? index : -1;
}

Job::Field TSensorFieldForm::JobPart() const
{
    return {SensorBox->currentText(), PixelsAcrossBox->text(), PixelsDownBox->text(), PixelSizeBox->text(),
            TargetName(m_chooser->Target()), AngleBox->value(), OverlapBox->value(), DeclinationBox->text()};
}

void TSensorFieldForm::RestoreJobPart(const Job::Field& part)
{
    PutIndex(SensorBox, SensorBox->findText(part.Sensor));
    PutText(PixelsAcrossBox, part.PixelsAcross);
    PutText(PixelsDownBox, part.PixelsDown);
    PutText(PixelSizeBox, part.PixelSize);
    m_chooser->SetTarget(TargetNamed(part.Target).Target);
    ShowSurfaceBrightness();
    PutValue(AngleBox, part.CameraAngle);
    PutValue(OverlapBox, part.Overlap);
    PutText(DeclinationBox, part.Declination);
    Guarded([this] { SensorBoxChange(); });
}

std::pair<std::optional<Sensor>, int> TSensorFieldForm::SensorOf(const Job::Field& part)
{
    int preset = -1;
    for (std::size_t i = 0; i < SensorPresets.size(); ++i)
        if (part.Sensor == QString::fromUtf8(SensorPresets[i].Name))
            preset = static_cast<int>(i);
    std::string refusal;
    return {ChosenSensor(preset, part.PixelsAcross.toStdString(), part.PixelsDown.toStdString(), part.PixelSize.toStdString(), refusal),
            preset};
}

void TSensorFieldForm::TonightButtonClick()
{
    if (m_openTonight)
        m_openTonight(CurrentTarget());
}

void TSensorFieldForm::DigitalCameraButtonClick()
{
    if (m_openCamera)
        m_openCamera();
}

void TSensorFieldForm::SaveButtonClick()
{
    // At twice the size of the picture area.
    SaveDialogs::AskToSavePicture(this, QStringLiteral("Field on the Sensor.png"), [this] { return Picture->Image(2); });
}

void TSensorFieldForm::CloseButtonClick()
{
    close();
}
