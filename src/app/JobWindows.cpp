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
#include "field/TSensorFieldForm.h"
#include "optics/Telescope.h"
#include "sky/Showpieces.h"
#include "sky/TTonightForm.h"
#include "ui/ErrorReport.h"
#include "ui/ProgramWindows.h"
#include "ui/SafeSave.h"
#include "ui/SaveDialogs.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QScopeGuard>
#include <QSignalBlocker>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

//! The windows that complete an optical job of each configuration, in the same order.
std::array<QWidget*, 7> ConfigurationWindows()
{
    const ProgramWindows& w = Windows();
    return {w.OpticCamLensForm, w.OpticForm1,      w.OpticAfocalForm, w.OpticCompForm,
            w.OpticTeleForm,    w.OpticBarlowForm, w.OpticEypcForm};
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
    const CameraUserSettings set = camera->UserSettings();
    return {camera->ReadNoiseBox->text(),
            camera->EfficiencyBox->text(),
            camera->ColourBox->isChecked(),
            camera->SkyBox->currentText(),
            QString::fromLatin1(FilterNames.at(static_cast<std::size_t>(std::max(camera->FilterBox->currentIndex(), 0)))),
            camera->WidthBox->text(),
            camera->ObstructionBox->text(),
            camera->RiseBox->text(),
            camera->SignalToNoiseBox->text(),
            set.ReadNoise,
            set.QuantumEfficiency,
            set.Colour,
            camera->EmissionBox->isChecked(),
            set.Emission,
            camera->YourSubExposureBox->text()};
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
    // A field window put back has told nothing: the camera learns its sensor and target
    // first, so that what follows them follows the job's.
    ShowSensorToTheCamera();
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
    Put(camera->YourSubExposureBox, part.SubExposure);
    {
        const QSignalBlocker quiet(camera->EmissionBox);
        camera->EmissionBox->setChecked(part.EmissionNebula);
    }
    camera->TakeRestoredInputs({part.ReadNoiseByUser, part.QuantumEfficiencyByUser, part.ColourByUser, part.EmissionNebulaByUser});
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
    if (w.DigitalCameraForm) {
        job.DigitalCamera = CameraPart(w.DigitalCameraForm);
    } else if (WaitingCamera) {
        job.DigitalCamera = *WaitingCamera;
    } else {
        // A window never made has had nothing set: its figures follow the sensor when opened.
        Job::Camera& camera = job.DigitalCamera;
        camera.ReadNoiseByUser = camera.QuantumEfficiencyByUser = camera.ColourByUser = false;
    }
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

    // The optical job as the wizard last completed it, or none, as in a fresh program. The way
    // back from the report (and the report's camera-lens wording with it) is the window of the
    // job's own configuration, never the one of a job completed earlier in this run.
    const Job::Optics& optics = job.OpticalJob;
    OpticalJob.Reset();
    if (optics != Job::Optics{}) {
        OpticalJob.TelescopeFocalLengthMm = optics.TelescopeFocalLengthMm;
        OpticalJob.EffectiveFocalLengthMm = optics.EffectiveFocalLengthMm;
        OpticalJob.ApertureMm = optics.ApertureMm;
        OpticalJob.ConfigurationText = optics.ConfigurationText.toStdString();
        OpticalJob.TelescopeLine = optics.TelescopeLine.toStdString();
        const std::array<QWidget*, 7> completing = ConfigurationWindows();
        for (std::size_t i = 0; i < completing.size(); ++i)
            if (job.Configuration == QLatin1String(Job::ConfigurationNames[i]))
                OpticalJob.ReturnWindow = completing[i];
    }

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
                         preset, EmissionNebula(WaitingField->Target.toStdString())};
}

namespace {

//! Why a path that is there is no file to read, in plain words.
QString NotAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file.");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a pipe, not a file; only files are opened.");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file; only files are opened.");
    return QStringLiteral("it is a device, not a file; only files are opened.");
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

//! The whole of the job file named by `native`, the path's own bytes. Only a regular file is
//! read: the path is opened without waiting, so that a pipe nobody writes to cannot hold the
//! program at the open, and what was opened, not the name beforehand, decides.
QByteArray ReadJobBytes(const QByteArray& native, const QString& shown)
{
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw JobFileError(shown, error == ENOENT ? QStringLiteral("there is no such file.")
                                                  : QStringLiteral("the file cannot be read: %1.").arg(SystemReason(error)));
    }
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        throw JobFileError(shown, QStringLiteral("the file cannot be read: %1.").arg(SystemReason(errno)));
    if (!S_ISREG(status.st_mode))
        throw JobFileError(shown, NotAFile(status.st_mode));
    if (status.st_size > Job::LargestFile)
        throw JobFileError(shown, QStringLiteral("the file is larger than 1 MiB."));
    // A file still growing is read only as far as a job can reach.
    QByteArray bytes(Job::LargestFile + 1, Qt::Uninitialized);
    qsizetype size = 0;
    while (size < bytes.size()) {
        const ssize_t read = ::read(fd, bytes.data() + size, static_cast<std::size_t>(bytes.size() - size));
        if (read == 0)
            break;
        if (read < 0) {
            if (errno == EINTR)
                continue;
            throw JobFileError(shown, QStringLiteral("the file cannot be read: %1.").arg(SystemReason(errno)));
        }
        size += read;
    }
    bytes.truncate(size);
    return bytes;
}

} // namespace

void OpenJobFile(const QString& path)
{
    OpenJobPath(QFile::encodeName(path));
}

void OpenJobPath(const QByteArray& native)
{
    // A name that is not valid text is shown with the replacement character, and still opened.
    const QString shown = QFile::decodeName(native);
    const std::variant<Job::Data, QString> read = Job::Read(ReadJobBytes(native, shown));
    if (const QString* problem = std::get_if<QString>(&read))
        throw JobFileError(shown, *problem);
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
    // "m31.v2" is saved as "m31.v2.orvalis": the question is about that file, never "m31.v2".
    SaveDialogs::AskToSaveCompleted(from, QStringLiteral("Save Job"), suggested, JobFilter, QStringLiteral("orvalis"),
                                    &Job::WithSuffix, [](const QString& path) {
                                        JobWindows::SaveJobFile(path);
                                        LastJobName() = QFileInfo(path).fileName();
                                        ShowJobName(path);
                                    });
}

void OpenJobAtStart(const QByteArray& native)
{
    Guarded([&native] {
        JobWindows::OpenJobPath(native);
        const QString path = QFile::decodeName(native);
        LastJobName() = QFileInfo(path).fileName();
        ShowJobName(path);
        // "Save Job..." then offers the job's own folder, as after "Open Job...".
        SaveDialogs::RememberFolderOf(path);
    });
}
