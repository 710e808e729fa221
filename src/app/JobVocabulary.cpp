#include "app/JobVocabulary.h"

#include "exposure/DigitalCamera.h"
#include "exposure/ExposurePresets.h"
#include "field/SensorField.h"
#include "numeric/NumberText.h"
#include "optics/Telescope.h"
#include "sky/TargetNames.h"

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

Job::Data Initial()
{
    Job::Data job;
    job.ExposureCalculator = {Text(BrightnessInitialText), Text(SpeedInitialText), Text(ReciprocityInitialText),
                              Text(FilterFactorInitialText), Text(FRatioInitialText)};
    // TOpticForm1.ui: no preset picked, both boxes hold "?" and both unit groups start on mm.
    job.TelescopeWindow = {QString(), QStringLiteral("?"), QStringLiteral("mm"), QStringLiteral("?"), QStringLiteral("mm")};
    // TOpticForm2.ui: "Camera lens alone" is checked at first.
    job.Configuration = QString::fromUtf8(Job::ConfigurationNames[0]);
    // The boxes as TOpticCamLensForm.ui, TOpticTeleForm.ui, TOpticCompForm.ui, TOpticAfocalForm.ui,
    // TOpticBarlowForm.ui and TOpticEypcForm.ui start them.
    job.ConfigurationWindows = {QStringLiteral("50"),  QStringLiteral("1.8"), QStringLiteral("2"),   QStringLiteral("0.63"),
                                QStringLiteral("50"),  QStringLiteral("18"),  QStringLiteral("-75"), QStringLiteral("120"),
                                QStringLiteral("18"),  QStringLiteral("120")};
    job.FieldWindow.Sensor = QString::fromUtf8(SensorPresets[0].Name);
    job.FieldWindow.Target = QString::fromUtf8(Job::MoonAndJupiter);
    // TSensorFieldForm.ui: the overlap box starts at 20 %, the declination box at "0".
    job.FieldWindow.Overlap = 20;
    job.FieldWindow.Declination = QStringLiteral("0");
    job.TonightWindow.Target = QString::fromUtf8(Job::MoonAndJupiter);
    job.TonightWindow.LowestAltitude = 30; // TTonightForm.ui's LowestBox
    Job::Camera& camera = job.DigitalCamera;
    // As the window writes the starting camera's figures into its boxes.
    camera.ReadNoise = Text(FormatFixed(15, 1, StartingCamera.ReadNoise));
    camera.QuantumEfficiency = Text(FormatFixed(15, 0, StartingCamera.QuantumEfficiencyPercent));
    camera.Colour = StartingCamera.Colour;
    camera.SkyBrightness = QString::fromUtf8(SkyInitialText);
    camera.Filter = QString::fromUtf8(Job::FilterNames[0]);
    camera.NarrowbandWidth = QString::fromUtf8(NarrowbandInitialText);
    camera.Obstruction = QString::fromUtf8(ObstructionInitialText);
    camera.ReadNoiseRise = QString::fromUtf8(RiseInitialText);
    camera.SignalToNoise = QString::fromUtf8(SignalToNoiseInitialText);
    // Which figures the user set is left unsaid, as in a file written before jobs kept it, so
    // that such a file opens as it did; a program that never made the window says it
    // (JobWindows::CurrentJob). The emission box starts unticked and following the target.
    return job;
}

Job::Vocabulary Build()
{
    Job::Vocabulary known;
    for (const TelescopePreset& preset : TelescopeTable)
        known.TelescopePresets << QString::fromUtf8(preset.Name);
    for (const SensorPreset& preset : SensorPresets)
        known.Sensors << QString::fromUtf8(preset.Name);
    known.Sensors << QString::fromUtf8(OwnSensorName);
    // The catalogue is read only when a job names one of its objects.
    known.KnownTarget = [](const QString& name) { return TargetNamed(name).Known; };
    known.Initial = Initial();
    return known;
}

} // namespace

const Job::Vocabulary& JobVocabulary()
{
    static const Job::Vocabulary known = Build();
    return known;
}
