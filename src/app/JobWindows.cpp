#include "app/JobWindows.h"

#include "app/TStartForm.h"
#include "exposure/DigitalCamera.h"
#include "exposure/TDigitalCameraForm.h"
#include "exposure/TForm1.h"
#include "optics/OpticalJob.h"
#include "optics/TOpticAfocalForm.h"
#include "optics/TOpticBarlowForm.h"
#include "optics/TOpticCamLensForm.h"
#include "optics/TOpticCompForm.h"
#include "optics/TOpticEypcForm.h"
#include "optics/TOpticForm1.h"
#include "optics/TOpticForm2.h"
#include "optics/TOpticReportForm.h"
#include "optics/TOpticTeleForm.h"
#include "optics/TSensorFieldForm.h"
#include "optics/Telescope.h"
#include "sky/Showpieces.h"
#include "sky/TTonightForm.h"
#include "ui/ErrorReport.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramWindows.h"
#include "ui/SafeSave.h"
#include "ui/SaveDialogs.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSignalBlocker>

#include <array>
#include <optional>

JobFileError::JobFileError(const QString& path, const QString& reason)
    : std::runtime_error(QStringLiteral("Could not open the job \"%1\": %2").arg(QDir::toNativeSeparators(path), reason).toStdString())
{
}

namespace {

//! The name a job was last opened or saved under, offered again.
QString& LastJobName()
{
    static QString name;
    return name;
}

} // namespace

namespace JobWindows {

namespace {

//! The parts of an opened job that wait for their window to be made.
std::optional<Job::Field> WaitingField;
std::optional<Job::Tonight> WaitingTonight;
std::optional<Job::Camera> WaitingCamera;

//! The unit names of a job, in the order of the telescope window's unit radio groups.
constexpr std::array<const char*, 3> UnitNames{"in", "cm", "mm"};
//! The filter names of a job, in the order of the camera's filter list.
constexpr std::array<const char*, 5> FilterNames{"luminance", "red", "green", "blue", "narrowband"};
static_assert(FilterNames.size() == CameraFilters.size());

template <std::size_t N>
int IndexOf(const std::array<const char*, N>& names, const QString& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return static_cast<int>(i);
    return -1;
}

//! The configuration windows' radio buttons, in the order of Job::ConfigurationNames.
std::array<QRadioButton*, 7> ConfigurationButtons()
{
    const TOpticForm2* choice = Windows().OpticForm2;
    return {choice->CamLensButton,     choice->PrimeFocusButton,    choice->AfocalButton, choice->CompressionButton,
            choice->NegProjTeleButton, choice->NegProjBarlowButton, choice->EyepieceProjButton};
}

//! A target's place in the field and Tonight lists: 0 for the Moon and Jupiter, then the
//! showpieces in the catalogue's order.
int TargetIndex(const QString& target)
{
    const std::vector<Showpiece>& showpieces = Showpieces();
    for (std::size_t i = 0; i < showpieces.size(); ++i)
        if (target == QString::fromStdString(showpieces[i].Entry))
            return static_cast<int>(i) + 1;
    return 0;
}

QString TargetName(int index)
{
    return index > 0 ? QString::fromStdString(Showpieces().at(static_cast<std::size_t>(index - 1)).Entry)
                     : QString::fromLatin1(Job::MoonAndJupiter);
}

Job::Field FieldPart(const TSensorFieldForm* field)
{
    return {field->SensorBox->currentText(),  field->PixelsAcrossBox->text(), field->PixelsDownBox->text(),
            field->PixelSizeBox->text(),      TargetName(field->TargetBox->currentIndex()),
            field->AngleBox->value(),         field->OverlapBox->value(),
            field->DeclinationBox->text()};
}

Job::Tonight TonightPart(const TTonightForm* tonight)
{
    return {tonight->LatitudeBox->text(), tonight->LongitudeBox->text(), tonight->ZoneBox->currentText(),
            TargetName(tonight->TargetBox->currentIndex()), tonight->LowestBox->value()};
}

Job::Camera CameraPart(const TDigitalCameraForm* camera)
{
    return {camera->ReadNoiseBox->text(),
            camera->EfficiencyBox->text(),
            camera->ColourBox->isChecked(),
            camera->SkyBox->currentText(),
            QString::fromLatin1(FilterNames.at(static_cast<std::size_t>(std::max(camera->FilterBox->currentIndex(), 0)))),
            camera->WidthBox->text(),
            camera->ObstructionBox->text(),
            camera->RiseBox->text(),
            camera->SignalToNoiseBox->text()};
}

//! Sets a text box as a job has it, its change handler blocked.
void Put(QLineEdit* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    box->setText(text);
}

void PutEditText(QComboBox* box, const QString& text)
{
    const QSignalBlocker quiet(box);
    box->setEditText(text);
    if (box->lineEdit())
        box->lineEdit()->setCursorPosition(0); // the number first, as after a pick
}

void PutIndex(QComboBox* box, int index)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

void PutField(TSensorFieldForm* field, const Job::Field& part)
{
    PutIndex(field->SensorBox, field->SensorBox->findText(part.Sensor));
    Put(field->PixelsAcrossBox, part.PixelsAcross);
    Put(field->PixelsDownBox, part.PixelsDown);
    Put(field->PixelSizeBox, part.PixelSize);
    PutIndex(field->TargetBox, TargetIndex(part.Target));
    for (const auto& [box, value] : {std::pair{field->AngleBox, part.CameraAngle}, std::pair{field->OverlapBox, part.Overlap}}) {
        const QSignalBlocker quiet(box);
        box->setValue(value);
    }
    Put(field->DeclinationBox, part.Declination);
    // A preset fills the three boxes as they were saved, and sets which of them take typing;
    // the user's own sensor keeps them. Then everything is computed afresh.
    Guarded([field] { field->SensorBoxChange(); });
}

void PutTonight(TTonightForm* tonight, const Job::Tonight& part)
{
    // An empty place or zone is the opening machine's own: what the window holds stays.
    if (!part.Latitude.isEmpty() || !part.Longitude.isEmpty()) {
        Put(tonight->LatitudeBox, part.Latitude);
        Put(tonight->LongitudeBox, part.Longitude);
    }
    if (!part.Zone.isEmpty())
        PutEditText(tonight->ZoneBox, part.Zone);
    PutIndex(tonight->TargetBox, TargetIndex(part.Target));
    {
        const QSignalBlocker quiet(tonight->LowestBox);
        tonight->LowestBox->setValue(part.LowestAltitude);
    }
    Guarded([tonight] { tonight->LowestBoxChange(); });
}

void PutCamera(TDigitalCameraForm* camera, const Job::Camera& part)
{
    Put(camera->ReadNoiseBox, part.ReadNoise);
    Put(camera->EfficiencyBox, part.QuantumEfficiency);
    {
        const QSignalBlocker quiet(camera->ColourBox);
        camera->ColourBox->setChecked(part.Colour);
    }
    PutEditText(camera->SkyBox, part.SkyBrightness);
    PutIndex(camera->FilterBox, std::max(IndexOf(FilterNames, part.Filter), 0));
    Put(camera->WidthBox, part.NarrowbandWidth);
    Put(camera->ObstructionBox, part.Obstruction);
    Put(camera->RiseBox, part.ReadNoiseRise);
    Put(camera->SignalToNoiseBox, part.SignalToNoise);
    camera->TakeRestoredInputs();
}

} // namespace

Job::Data CurrentJob()
{
    const ProgramWindows& w = Windows();
    Job::Data job = Job::Initial();

    TForm1* calculator = w.Form1;
    job.ExposureCalculator = {calculator->BrightnessBox->currentText(), calculator->SpeedBox->currentText(),
                              calculator->ReciprocityBox->currentText(), calculator->FilterFactorBox->currentText(),
                              calculator->FRatioBox->currentText()};

    const TOpticForm1* telescope = w.OpticForm1;
    const QList<QListWidgetItem*> picked = telescope->ListBox1->selectedItems();
    job.TelescopeWindow = {picked.isEmpty() ? QString() : picked.first()->text(),
                           telescope->ApertureEditBox->text(),
                           QString::fromLatin1(UnitNames.at(static_cast<std::size_t>(telescope->ApertureTextUnitIndex()))),
                           telescope->FocalEditBox->text(),
                           QString::fromLatin1(UnitNames.at(static_cast<std::size_t>(telescope->FocalTextUnitIndex())))};

    const std::array<QRadioButton*, 7> buttons = ConfigurationButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            job.Configuration = QString::fromLatin1(Job::ConfigurationNames[i]);
    job.ConfigurationWindows = {w.OpticCamLensForm->CamLensEdit->text(),  w.OpticCamLensForm->CamFEdit->text(),
                                w.OpticTeleForm->MagnificationEdit->text(), w.OpticCompForm->MagnificationEdit->text(),
                                w.OpticAfocalForm->CamLensEdit->text(),   w.OpticAfocalForm->EypcEdit->text(),
                                w.OpticBarlowForm->BarlowFLEdit->text(),  w.OpticBarlowForm->BarlowDistanceEdit->text(),
                                w.OpticEypcForm->EypcFLEdit->text(),      w.OpticEypcForm->EypcDistanceEdit->text()};
    job.OpticalJob = {OpticalJob.TelescopeFocalLengthMm, OpticalJob.EffectiveFocalLengthMm, OpticalJob.ApertureMm,
                      QString::fromStdString(OpticalJob.ConfigurationText), QString::fromStdString(OpticalJob.TelescopeLine)};

    if (w.SensorFieldForm)
        job.FieldWindow = FieldPart(w.SensorFieldForm);
    else if (WaitingField)
        job.FieldWindow = *WaitingField;
    if (w.TonightForm)
        job.TonightWindow = TonightPart(w.TonightForm);
    else if (WaitingTonight)
        job.TonightWindow = *WaitingTonight;
    if (w.DigitalCameraForm)
        job.DigitalCamera = CameraPart(w.DigitalCameraForm);
    else if (WaitingCamera)
        job.DigitalCamera = *WaitingCamera;
    return job;
}

void ApplyJob(const Job::Data& job)
{
    const ProgramWindows& w = Windows();

    // The wizard: the telescope's preset, boxes and the units their texts are written in (the
    // unit buttons quiet, so that none converts the box beside it), the configuration chosen
    // and the configuration windows' boxes.
    TOpticForm1* telescope = w.OpticForm1;
    {
        const QSignalBlocker quiet(telescope->ListBox1);
        telescope->ListBox1->clearSelection();
        const QList<QListWidgetItem*> found = telescope->ListBox1->findItems(job.TelescopeWindow.Preset, Qt::MatchExactly);
        if (!job.TelescopeWindow.Preset.isEmpty() && !found.isEmpty()) {
            telescope->ListBox1->setCurrentItem(found.first());
            found.first()->setSelected(true);
        }
    }
    telescope->RestoreTelescopeBoxes(job.TelescopeWindow.Aperture, std::max(IndexOf(UnitNames, job.TelescopeWindow.ApertureUnit), 0),
                                     job.TelescopeWindow.FocalLength,
                                     std::max(IndexOf(UnitNames, job.TelescopeWindow.FocalLengthUnit), 0));

    const std::array<QRadioButton*, 7> buttons = ConfigurationButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (job.Configuration == QLatin1String(Job::ConfigurationNames[i])) {
            const QSignalBlocker quiet(buttons[i]);
            buttons[i]->setChecked(true);
        }
    const Job::Configurations& c = job.ConfigurationWindows;
    const std::pair<QLineEdit*, QString> boxes[] = {
        {w.OpticCamLensForm->CamLensEdit, c.CameraLensFocalLength}, {w.OpticCamLensForm->CamFEdit, c.CameraLensFRatio},
        {w.OpticTeleForm->MagnificationEdit, c.TeleconverterMagnification},
        {w.OpticCompForm->MagnificationEdit, c.CompressionMagnification},
        {w.OpticAfocalForm->CamLensEdit, c.AfocalCameraLens},        {w.OpticAfocalForm->EypcEdit, c.AfocalEyepiece},
        {w.OpticBarlowForm->BarlowFLEdit, c.BarlowFocalLength},      {w.OpticBarlowForm->BarlowDistanceEdit, c.BarlowDistance},
        {w.OpticEypcForm->EypcFLEdit, c.EyepieceFocalLength},        {w.OpticEypcForm->EypcDistanceEdit, c.EyepieceDistance}};
    for (const auto& [box, text] : boxes)
        Put(box, text);

    // The optical job as the wizard last completed it.
    const Job::Optics& optics = job.OpticalJob;
    OpticalJob.TelescopeFocalLengthMm = optics.TelescopeFocalLengthMm;
    OpticalJob.EffectiveFocalLengthMm = optics.EffectiveFocalLengthMm;
    OpticalJob.ApertureMm = optics.ApertureMm;
    OpticalJob.ConfigurationText = optics.ConfigurationText.toStdString();
    OpticalJob.TelescopeLine = optics.TelescopeLine.toStdString();

    // The windows made on demand, or their parts kept until they are made.
    WaitingField = job.FieldWindow;
    WaitingTonight = job.TonightWindow;
    WaitingCamera = job.DigitalCamera;
    // The field window, once restored, tells the camera its sensor; until it is made, the
    // camera takes the sensor that waits for it.
    if (w.SensorFieldForm)
        RestoreInto(w.SensorFieldForm);
    else
        ShowSensorToTheCamera();
    if (w.TonightForm)
        RestoreInto(w.TonightForm);
    if (w.DigitalCameraForm)
        RestoreInto(w.DigitalCameraForm);

    // The exposure calculator last, then everything computed afresh: its caption (which hands
    // its suggestion on), and the report with the job put back, which keeps the f/ratio box's
    // text as the job has it.
    TForm1* calculator = w.Form1;
    const Job::Exposure& e = job.ExposureCalculator;
    for (const auto& [box, text] : {std::pair{calculator->BrightnessBox, e.Brightness}, std::pair{calculator->SpeedBox, e.FilmSpeed},
                                    std::pair{calculator->ReciprocityBox, e.Reciprocity},
                                    std::pair{calculator->FilterFactorBox, e.FilterFactor}, std::pair{calculator->FRatioBox, e.FRatio}})
        PutEditText(box, text);
    Guarded([calculator] { calculator->Recalculate(); });
    Guarded([report = w.OpticReportForm] { report->TakeRestoredJob(); });
}

void RestoreInto(TSensorFieldForm* field)
{
    if (const std::optional<Job::Field> part = std::exchange(WaitingField, std::nullopt))
        PutField(field, *part);
}

void RestoreInto(TTonightForm* tonight)
{
    if (const std::optional<Job::Tonight> part = std::exchange(WaitingTonight, std::nullopt))
        PutTonight(tonight, *part);
}

void RestoreInto(TDigitalCameraForm* camera)
{
    if (const std::optional<Job::Camera> part = std::exchange(WaitingCamera, std::nullopt))
        PutCamera(camera, *part);
}

std::optional<WaitingSensor> WaitingFieldSensor()
{
    if (!WaitingField)
        return std::nullopt;
    int preset = -1;
    for (std::size_t i = 0; i < SensorPresets.size(); ++i)
        if (WaitingField->Sensor == QString::fromUtf8(SensorPresets[i].Name))
            preset = static_cast<int>(i);
    std::string refusal;
    return WaitingSensor{ChosenSensor(preset, WaitingField->PixelsAcross.toStdString(), WaitingField->PixelsDown.toStdString(),
                                      WaitingField->PixelSize.toStdString(), refusal),
                         preset};
}

void OpenJobFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw JobFileError(path, file.exists() ? QStringLiteral("the file cannot be read.") : QStringLiteral("there is no such file."));
    if (file.size() > Job::LargestFile)
        throw JobFileError(path, QStringLiteral("the file is larger than 1 MiB."));
    const QByteArray bytes = file.read(Job::LargestFile + 1);
    if (file.error() != QFileDevice::NoError)
        throw JobFileError(path, QStringLiteral("the file cannot be read."));
    const std::variant<Job::Data, QString> read = Job::Read(bytes);
    if (const QString* problem = std::get_if<QString>(&read))
        throw JobFileError(path, *problem);
    ApplyJob(std::get<Job::Data>(read));
}

void SaveJobFile(const QString& path)
{
    const Job::Data job = CurrentJob();
    if (const QString box = Job::OverlongBox(job); !box.isEmpty())
        throw SaveError(path, QStringLiteral("%1 holds more than %2 characters, more than a job keeps.").arg(box).arg(Job::LongestText));
    const QByteArray bytes = Job::Write(job);
    SaveSafely(path, [&bytes](QIODevice& file) { return file.write(bytes) == bytes.size(); });
}

void Forget()
{
    LastJobName().clear();
    WaitingField.reset();
    WaitingTonight.reset();
    WaitingCamera.reset();
}

} // namespace JobWindows

namespace {

const QString JobFilter = QStringLiteral("Orvalis Calculator jobs (*.orvalis)");

//! The start window's title names the job last opened or saved under a name.
void ShowJobName(const QString& path)
{
    Windows().StartForm->setWindowTitle(QStringLiteral("Orvalis Calculator - %1").arg(QFileInfo(path).fileName()));
}

} // namespace

void AskToOpenJob(QWidget* from)
{
    SaveDialogs::AskToOpen(from, QStringLiteral("Open Job"), JobFilter, [](const QString& path) {
        JobWindows::OpenJobFile(path);
        LastJobName() = QFileInfo(path).fileName();
        ShowJobName(path);
    });
}

void AskToSaveJob(QWidget* from)
{
    const QString suggested = LastJobName().isEmpty() ? QStringLiteral("Job") + QLatin1String(Job::Suffix) : LastJobName();
    SaveDialogs::AskToSave(from, QStringLiteral("Save Job"), suggested, JobFilter, QStringLiteral("orvalis"),
                           [](const QString& chosen) {
                               // The dialog asked before replacing the name it was given; a
                               // name the suffix was added to is asked about here.
                               const QString path = Job::WithSuffix(chosen);
                               if (path != chosen && QFileInfo::exists(path)
                                   && MessageBoxes::Show({QStringLiteral("Save Job"),
                                                          QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                                              .arg(QFileInfo(path).fileName()),
                                                          MessageBoxes::Buttons::OkCancel})
                                          == MessageBoxes::Answer::Cancel)
                                   return;
                               JobWindows::SaveJobFile(path);
                               LastJobName() = QFileInfo(path).fileName();
                               ShowJobName(path);
                           });
}

void OpenJobAtStart(const QString& path)
{
    Guarded([&path] {
        JobWindows::OpenJobFile(path);
        LastJobName() = QFileInfo(path).fileName();
        ShowJobName(path);
    });
}
