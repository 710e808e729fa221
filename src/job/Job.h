#pragma once

#include "job/JobParts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

//! A job: everything the user typed and picked in the program's windows, as a job file keeps
//! it, one part for each window that keeps one (job/JobParts.h).
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

//! What a job's names are checked against, and what a key left out of a file stands for: the
//! program's own tables, which the program hands in, so that the job file knows no window.
struct Vocabulary
{
    //! The telescope window's presets by the list's texts; a job may also pick none.
    QStringList TelescopePresets;
    //! The field window's sensors by the list's texts, the user's own among them.
    QStringList Sensors;
    //! Whether a target name is one the program knows: the Moon and Jupiter, an entry of the
    //! catalogue that has an object behind it, or a point's coordinates.
    std::function<bool(const QString&)> KnownTarget;
    //! The job of a program as it starts: every window's inputs as its form and the program's
    //! tables set them, Tonight's place and zone empty (the machine that opens a job fills its
    //! own), the configuration the wizard offers first.
    Data Initial;
};

//! The job as a file holds it: JSON, UTF-8, indented, keys in the order QJsonDocument writes
//! them (alphabetical), with "format" and "version" and one object per window.
QByteArray Write(const Data& job);

//! Reads a job file's bytes whole and checks every value before anything is used: not JSON
//! (with the line of the fault), not a job, a newer version, a value of the wrong type, a
//! name the program does not know (preset, configuration, sensor, target, unit, filter), a
//! number outside what its control allows, a text over LongestText characters. Returns the
//! job, or the first problem in plain words. Keys it does not know are ignored; a key left
//! out keeps its value in the vocabulary's Initial.
std::variant<Data, QString> Read(const QByteArray& bytes, const Vocabulary& known);

//! The first box whose text is too long to be kept, named as the user knows it ("the
//! exposure calculator's brightness box"), or empty; so that no job is written that the
//! program would not open.
QString OverlongBox(const Data& job);

//! A file name with the job suffix, unless it ends in it already in any case: "m31.v2" is
//! "m31.v2.orvalis", "M31.ORVALIS" stays.
QString WithSuffix(const QString& path);

} // namespace Job
