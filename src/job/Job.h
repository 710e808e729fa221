#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

//! A job: everything the user typed and picked in the program's windows, as a job file keeps
//! it. Lists are kept by stable names, never by their positions, so that a later version may
//! add entries; text boxes are kept as they stand and read again as if typed.
namespace Job {

//! The file's own name in its "format" key, and the version of the format this program reads
//! and writes.
inline constexpr const char* FormatName = "orvalis-calculator-job";
inline constexpr int FormatVersion = 1;
//! The suffix a job file's name ends in.
inline constexpr const char* Suffix = ".orvalis";
//! The longest box text a job holds, in characters (not UTF-16 units), and the largest file
//! read.
inline constexpr int LongestText = 1000;
inline constexpr qint64 LargestFile = 1024 * 1024;

//! The exposure calculator's five boxes.
struct Exposure
{
    QString Brightness;
    QString FilmSpeed;
    QString Reciprocity;
    QString FilterFactor;
    QString FRatio;
    bool operator==(const Exposure&) const = default;
};

//! The telescope window: its preset by the list's text (empty where none is picked), its two
//! boxes and the units they are written in: "in", "cm" or "mm".
struct Telescope
{
    QString Preset;
    QString Aperture;
    QString ApertureUnit;
    QString FocalLength;
    QString FocalLengthUnit;
    bool operator==(const Telescope&) const = default;
};

//! The boxes of the six configuration windows, as they stand.
struct Configurations
{
    QString CameraLensFocalLength; //!< camera lens alone
    QString CameraLensFRatio;
    QString TeleconverterMagnification;
    QString CompressionMagnification;
    QString AfocalCameraLens;
    QString AfocalEyepiece;
    QString BarlowFocalLength;
    QString BarlowDistance;
    QString EyepieceFocalLength;
    QString EyepieceDistance;
    bool operator==(const Configurations&) const = default;
};

//! The optical job the wizard last completed, as it stands (the wizard computes a job only on
//! "Next >>", so it is kept, not recomputed from the boxes). Lengths in mm, each at least
//! 0.001; all three 0, with empty texts, where the wizard has completed no job.
struct Optics
{
    double TelescopeFocalLengthMm = 0;
    double EffectiveFocalLengthMm = 0;
    double ApertureMm = 0;
    QString ConfigurationText;
    QString TelescopeLine;
    bool operator==(const Optics&) const = default;
};

//! The field window: its sensor by the list's text (a preset's name, or "Your own sensor"
//! with the three boxes), its target by catalogue entry ("NGC0224"; "moon-jupiter" for the Moon
//! and Jupiter), camera angle (0 to 359), overlap (0 to 50) and declination box.
struct Field
{
    QString Sensor;
    QString PixelsAcross;
    QString PixelsDown;
    QString PixelSize;
    QString Target;
    int CameraAngle = 0;
    int Overlap = 0;
    QString Declination;
    bool operator==(const Field&) const = default;
};

//! The Tonight window: its place boxes, its time zone (empty: the opening machine's own),
//! target as in the field window, and lowest altitude (0 to 80). Never its date: a job opened
//! another day plans that day.
struct Tonight
{
    QString Latitude;
    QString Longitude;
    QString Zone;
    QString Target;
    int LowestAltitude = 0;
    bool operator==(const Tonight&) const = default;
};

//! The Digital Camera window's inputs; the filter by name: "luminance", "red", "green", "blue"
//! or "narrowband". The read noise, quantum efficiency and colour follow the field window's
//! sensor and the emission box its target until the user sets them: the job keeps which the
//! user set. A file written before jobs kept that says nothing of the first three (none), and
//! the window judges them by their figures, as it did then.
struct Camera
{
    QString ReadNoise;
    QString QuantumEfficiency;
    bool Colour = false;
    QString SkyBrightness;
    QString Filter;
    QString NarrowbandWidth;
    QString Obstruction;
    QString ReadNoiseRise;
    QString SignalToNoise;
    std::optional<bool> ReadNoiseByUser;
    std::optional<bool> QuantumEfficiencyByUser;
    std::optional<bool> ColourByUser;
    bool EmissionNebula = false;
    bool EmissionNebulaByUser = false;
    QString SubExposure; //!< the user's own sub-exposure box
    bool operator==(const Camera&) const = default;
};

//! The configuration chosen in the wizard, by name.
inline constexpr const char* ConfigurationNames[] = {"camera-lens", "prime-focus", "afocal", "compression",
                                                      "teleconverter", "barlow", "eyepiece-projection"};

struct Data
{
    Exposure ExposureCalculator;
    Telescope TelescopeWindow;
    QString Configuration;
    Configurations ConfigurationWindows;
    Optics OpticalJob;
    Field FieldWindow;
    Tonight TonightWindow;
    Camera DigitalCamera;
    bool operator==(const Data&) const = default;
};

//! The job of a program as it starts: every window's inputs as its form and the program's
//! tables set them, Tonight's place and zone empty (the machine that opens a job fills its
//! own), the configuration the wizard offers first.
Data Initial();

//! The stable name of the Moon and Jupiter where a target is named by catalogue entry.
inline constexpr const char* MoonAndJupiter = "moon-jupiter";

//! The job as a file holds it: JSON, UTF-8, indented, keys in the order QJsonDocument writes
//! them (alphabetical), with "format" and "version" and one object per window.
QByteArray Write(const Data& job);

//! Reads a job file's bytes whole and checks every value before anything is used: not JSON
//! (with the line of the fault), not a job, a newer version, a value of the wrong type, a
//! name the program does not know (preset, configuration, sensor, target, unit, filter), a
//! number outside what its control allows, a text over LongestText characters. Returns the
//! job, or the first problem in plain words. Keys it does not know are ignored; a key left
//! out keeps its value in Initial().
std::variant<Data, QString> Read(const QByteArray& bytes);

//! The first box whose text is too long to be kept, named as the user knows it ("the
//! exposure calculator's brightness box"), or empty; so that no job is written that the
//! program would not open.
QString OverlongBox(const Data& job);

//! A file name with the job suffix, unless it ends in it already in any case: "m31.v2" is
//! "m31.v2.orvalis", "M31.ORVALIS" stays.
QString WithSuffix(const QString& path);

} // namespace Job
