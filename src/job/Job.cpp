#include "job/Job.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

namespace Job {

namespace {

//! A name quoted in a message is cut short, so that a file of one long name cannot fill the
//! screen with a message box.
constexpr qsizetype LongestQuotedName = 60;

//! The shortest length an optical job holds, in mm, either way: a length too small to be a
//! lens's (1e-308) only overflows the report. A negative length is kept, since the camera-lens
//! window completes a job from a negative focal length or f-ratio as typed.
constexpr double ShortestLength = 0.001;

//! Characters as a reader counts them: a character outside the Basic Multilingual Plane, two
//! UTF-16 units, is one.
qsizetype Characters(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count)
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    return count;
}

QString Sentence(const char* name)
{
    QString text = QString::fromUtf8(name);
    text[0] = text[0].toUpper();
    return text;
}

//! The lists a name a job holds is one of: the job file's own, or the program's tables as the
//! vocabulary gives them.
enum class Names
{
    Preset,
    Unit,
    Configuration,
    Sensor,
    Target,
    Filter
};

bool Knows(const Vocabulary& known, Names names, const QString& name)
{
    switch (names) {
    case Names::Preset:
        return name.isEmpty() || known.TelescopePresets.contains(name); // none picked
    case Names::Unit:
        return IndexOf(UnitNames, name) >= 0;
    case Names::Configuration:
        return IndexOf(ConfigurationNames, name) >= 0;
    case Names::Sensor:
        return known.Sensors.contains(name);
    case Names::Target:
        return known.KnownTarget && known.KnownTarget(name);
    case Names::Filter:
        return IndexOf(FilterNames, name) >= 0;
    }
    return false;
}

//! Every value a job holds, once: its key in the file, its name as the user knows it, and its
//! rule. Writing, reading and the length check all walk this one list, so that a value cannot
//! be written under one key and read under another.
template <typename Visitor, typename D>
void Walk(Visitor& v, D& job)
{
    auto& e = job.ExposureCalculator;
    v.Group("exposureCalculator", "the exposure calculator", [&] {
        v.Text("brightness", "the exposure calculator's brightness box", e.Brightness);
        v.Text("filmSpeed", "the exposure calculator's film speed box", e.FilmSpeed);
        v.Text("reciprocity", "the exposure calculator's reciprocity box", e.Reciprocity);
        v.Text("filterFactor", "the exposure calculator's filter factor box", e.FilterFactor);
        v.Text("fRatio", "the exposure calculator's f/ratio box", e.FRatio);
    });
    auto& t = job.TelescopeWindow;
    v.Group("telescope", "the telescope window", [&] {
        v.Choice("preset", "the telescope preset", t.Preset, Names::Preset);
        v.Text("aperture", "the telescope window's aperture box", t.Aperture);
        v.Choice("apertureUnit", "the telescope window's aperture unit", t.ApertureUnit, Names::Unit);
        v.Text("focalLength", "the telescope window's focal length box", t.FocalLength);
        v.Choice("focalLengthUnit", "the telescope window's focal length unit", t.FocalLengthUnit, Names::Unit);
    });
    v.Choice("configuration", "the optical configuration", job.Configuration, Names::Configuration);
    auto& c = job.ConfigurationWindows;
    v.Group("configurationWindows", "the configuration windows", [&] {
        v.Text("cameraLensFocalLength", "the camera lens window's focal length box", c.CameraLensFocalLength);
        v.Text("cameraLensFRatio", "the camera lens window's f-ratio box", c.CameraLensFRatio);
        v.Text("teleconverterMagnification", "the teleconverter window's magnification box", c.TeleconverterMagnification);
        v.Text("compressionMagnification", "the compressor window's magnification box", c.CompressionMagnification);
        v.Text("afocalCameraLens", "the afocal window's camera lens box", c.AfocalCameraLens);
        v.Text("afocalEyepiece", "the afocal window's eyepiece box", c.AfocalEyepiece);
        v.Text("barlowFocalLength", "the Barlow window's focal length box", c.BarlowFocalLength);
        v.Text("barlowDistance", "the Barlow window's distance box", c.BarlowDistance);
        v.Text("eyepieceFocalLength", "the eyepiece projection window's focal length box", c.EyepieceFocalLength);
        v.Text("eyepieceDistance", "the eyepiece projection window's distance box", c.EyepieceDistance);
    });
    auto& o = job.OpticalJob;
    v.Group("opticalJob", "the optical job", [&] {
        v.Number("apertureMm", "the optical job's aperture", o.ApertureMm);
        v.Number("telescopeFocalLengthMm", "the optical job's telescope focal length", o.TelescopeFocalLengthMm);
        v.Number("effectiveFocalLengthMm", "the optical job's effective focal length", o.EffectiveFocalLengthMm);
        v.Text("configurationText", "the optical job's configuration text", o.ConfigurationText);
        v.Text("telescopeLine", "the optical job's telescope line", o.TelescopeLine);
    });
    auto& f = job.FieldWindow;
    v.Group("fieldWindow", "the field window", [&] {
        v.Choice("sensor", "the field window's sensor", f.Sensor, Names::Sensor);
        v.Text("pixelsAcross", "the field window's pixels across box", f.PixelsAcross);
        v.Text("pixelsDown", "the field window's pixels down box", f.PixelsDown);
        v.Text("pixelSize", "the field window's pixel size box", f.PixelSize);
        v.Choice("target", "the field window's target", f.Target, Names::Target);
        v.Whole("cameraAngle", "the field window's camera angle", f.CameraAngle, 0, 359);
        v.Whole("overlap", "the field window's overlap", f.Overlap, 0, 50);
        v.Text("declination", "the field window's declination box", f.Declination);
    });
    auto& n = job.TonightWindow;
    v.Group("tonight", "the Tonight window", [&] {
        v.Text("latitude", "the Tonight window's latitude box", n.Latitude);
        v.Text("longitude", "the Tonight window's longitude box", n.Longitude);
        v.Text("zone", "the Tonight window's time zone box", n.Zone);
        v.Choice("target", "the Tonight window's target", n.Target, Names::Target);
        v.Whole("lowestAltitude", "the Tonight window's lowest altitude", n.LowestAltitude, 0, 80);
    });
    auto& d = job.DigitalCamera;
    v.Group("digitalCamera", "the Digital Camera window", [&] {
        v.Text("readNoise", "the Digital Camera window's read noise box", d.ReadNoise);
        v.Text("quantumEfficiency", "the Digital Camera window's quantum efficiency box", d.QuantumEfficiency);
        v.Flag("colour", "the Digital Camera window's colour sensor box", d.Colour);
        v.Text("skyBrightness", "the Digital Camera window's sky brightness box", d.SkyBrightness);
        v.Choice("filter", "the Digital Camera window's filter", d.Filter, Names::Filter);
        v.Text("narrowbandWidth", "the Digital Camera window's narrowband width box", d.NarrowbandWidth);
        v.Text("obstruction", "the Digital Camera window's obstruction box", d.Obstruction);
        v.Text("readNoiseRise", "the Digital Camera window's read noise rise box", d.ReadNoiseRise);
        v.Text("signalToNoise", "the Digital Camera window's signal-to-noise box", d.SignalToNoise);
        v.Flag("readNoiseByUser", "whether the user set the Digital Camera window's read noise", d.ReadNoiseByUser);
        v.Flag("quantumEfficiencyByUser", "whether the user set the Digital Camera window's quantum efficiency",
               d.QuantumEfficiencyByUser);
        v.Flag("colourByUser", "whether the user set the Digital Camera window's colour sensor box", d.ColourByUser);
        v.Flag("emissionNebula", "the Digital Camera window's emission nebula box", d.EmissionNebula);
        v.Flag("emissionNebulaByUser", "whether the user set the Digital Camera window's emission nebula box",
               d.EmissionNebulaByUser);
        v.Text("subExposure", "the Digital Camera window's sub-exposure box", d.SubExposure);
    });
}

class Writer
{
public:
    QJsonObject Object;

    void Group(const char* key, const char*, const std::function<void()>& values)
    {
        QJsonObject group;
        std::swap(group, Object);
        values();
        std::swap(group, Object);
        Object.insert(QLatin1String(key), group);
    }
    void Text(const char* key, const char*, const QString& text) { Object.insert(QLatin1String(key), text); }
    void Choice(const char* key, const char*, const QString& name, Names) { Object.insert(QLatin1String(key), name); }
    void Whole(const char* key, const char*, int value, int, int) { Object.insert(QLatin1String(key), value); }
    void Number(const char* key, const char*, double value) { Object.insert(QLatin1String(key), value); }
    void Flag(const char* key, const char*, bool value) { Object.insert(QLatin1String(key), value); }
    //! A flag a job may leave unsaid is written only where it says something.
    void Flag(const char* key, const char* name, const std::optional<bool>& value)
    {
        if (value)
            Flag(key, name, *value);
    }
};

//! Reads into a job that starts as the vocabulary's Initial, so that a key left out keeps its
//! value there; stops at the first refusal.
class Reader
{
public:
    Reader(QJsonObject root, const Vocabulary& known)
        : m_object(std::move(root))
        , m_known(known)
    {
    }

    QString Refusal;

    void Group(const char* key, const char* name, const std::function<void()>& values)
    {
        const QJsonValue value = Value(key);
        if (value.isUndefined())
            return;
        if (!value.isObject()) {
            Refuse(Sentence(name) + QStringLiteral(" in the file is not a group of values."));
            return;
        }
        QJsonObject group = value.toObject();
        std::swap(group, m_object);
        values();
        std::swap(group, m_object);
    }

    void Text(const char* key, const char* name, QString& text)
    {
        if (const std::optional<QString> read = ReadText(key, name))
            text = *read;
    }

    void Choice(const char* key, const char* name, QString& choice, Names names)
    {
        const std::optional<QString> read = ReadText(key, name);
        if (!read)
            return;
        if (!Knows(m_known, names, *read)) {
            const QString quoted = read->size() > LongestQuotedName ? read->left(LongestQuotedName) + QStringLiteral("...") : *read;
            Refuse(Sentence(name) + QStringLiteral(" \"") + quoted + QStringLiteral("\" is not one this program knows."));
            return;
        }
        choice = *read;
    }

    void Whole(const char* key, const char* name, int& whole, int lowest, int highest)
    {
        const QJsonValue value = Value(key);
        if (value.isUndefined())
            return;
        const double number = value.toDouble();
        if (!value.isDouble() || number != std::trunc(number)) {
            Refuse(Sentence(name) + QStringLiteral(" is not a whole number."));
            return;
        }
        if (number < lowest || number > highest) {
            Refuse(Sentence(name) + QStringLiteral(" is %1; it must be from %2 to %3.").arg(number).arg(lowest).arg(highest));
            return;
        }
        whole = static_cast<int>(number);
    }

    void Number(const char* key, const char* name, double& number)
    {
        const QJsonValue value = Value(key);
        if (value.isUndefined())
            return;
        // Qt's reader refuses a number beyond the double range; the check keeps that promise
        // here rather than trusting it.
        if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            Refuse(Sentence(name) + QStringLiteral(" is not a number."));
            return;
        }
        // 0 where no optical job was completed; whether all of them are is checked as a whole.
        const double read = value.toDouble();
        if (read != 0 && !(std::abs(read) >= ShortestLength)) {
            Refuse(Sentence(name) + QStringLiteral(" is %1 mm; it must be at least %2 mm.").arg(read).arg(ShortestLength));
            return;
        }
        number = read;
    }

    void Flag(const char* key, const char* name, bool& flag)
    {
        const QJsonValue value = Value(key);
        if (value.isUndefined())
            return;
        if (!value.isBool()) {
            Refuse(Sentence(name) + QStringLiteral(" is not true or false."));
            return;
        }
        flag = value.toBool();
    }

    //! A flag left out stays unsaid, as in the vocabulary's Initial.
    void Flag(const char* key, const char* name, std::optional<bool>& flag)
    {
        if (Value(key).isUndefined())
            return;
        bool read = false;
        Flag(key, name, read);
        if (Refusal.isEmpty())
            flag = read;
    }

private:
    QJsonObject m_object;
    const Vocabulary& m_known;

    //! Nothing more is read once a value is refused: the first problem is the one said.
    QJsonValue Value(const char* key) const
    {
        return Refusal.isEmpty() ? m_object.value(QLatin1String(key)) : QJsonValue(QJsonValue::Undefined);
    }

    void Refuse(const QString& refusal)
    {
        if (Refusal.isEmpty())
            Refusal = refusal;
    }

    std::optional<QString> ReadText(const char* key, const char* name)
    {
        const QJsonValue value = Value(key);
        if (value.isUndefined())
            return std::nullopt;
        if (!value.isString()) {
            Refuse(Sentence(name) + QStringLiteral(" is not a text."));
            return std::nullopt;
        }
        QString text = value.toString();
        if (Characters(text) > LongestText) {
            Refuse(Sentence(name) + QStringLiteral(" is longer than %1 characters.").arg(LongestText));
            return std::nullopt;
        }
        return text;
    }
};

//! The first text the reader would refuse as too long; names are never that long.
class LengthCheck
{
public:
    QString Overlong;

    void Group(const char*, const char*, const std::function<void()>& values) { values(); }
    void Text(const char*, const char* name, const QString& text)
    {
        if (Overlong.isEmpty() && Characters(text) > LongestText)
            Overlong = QString::fromUtf8(name);
    }
    void Choice(const char* key, const char* name, const QString& text, Names) { Text(key, name, text); }
    void Whole(const char*, const char*, int, int, int) {}
    void Number(const char*, const char*, double) {}
    void Flag(const char*, const char*, bool) {}
    void Flag(const char*, const char*, const std::optional<bool>&) {}
};

//! The 1-based line of a byte offset, as an editor counts lines.
qsizetype LineOf(const QByteArray& bytes, int offset)
{
    const qsizetype end = std::clamp<qsizetype>(offset, 0, bytes.size());
    return std::count(bytes.begin(), bytes.begin() + end, '\n') + 1;
}

} // namespace

QByteArray Write(const Data& job)
{
    Writer writer;
    writer.Object.insert(QLatin1String("format"), QLatin1String(FormatName));
    writer.Object.insert(QLatin1String("version"), FormatVersion);
    Walk(writer, job);
    return QJsonDocument(writer.Object).toJson(QJsonDocument::Indented);
}

std::variant<Data, QString> Read(const QByteArray& bytes, const Vocabulary& known)
{
    if (bytes.size() > LargestFile)
        return QStringLiteral("The file is larger than 1 MiB.");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("Not a job file: %1 at line %2.").arg(error.errorString()).arg(LineOf(bytes, error.offset));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QLatin1String("format")) != QJsonValue(QLatin1String(FormatName)))
        return QStringLiteral("Not an Orvalis Calculator job file.");

    const QJsonValue versionValue = root.value(QLatin1String("version"));
    const double version = versionValue.toDouble();
    if (!versionValue.isDouble() || version != std::trunc(version))
        return QStringLiteral("The job file's version is not a whole number.");
    if (version > FormatVersion)
        return QStringLiteral("This job was saved by a newer Orvalis Calculator (format %1); this one reads format %2.")
            .arg(version)
            .arg(FormatVersion);
    if (version < FormatVersion)
        return QStringLiteral("The job file's version %1 is not one this program knows.").arg(version);

    Data job = known.Initial;
    Reader reader(root, known);
    Walk(reader, job);
    if (!reader.Refusal.isEmpty())
        return reader.Refusal;
    // A job saved before the wizard completed one holds none: every length 0. A completed job
    // has all three.
    Optics& optics = job.OpticalJob;
    if (optics.ApertureMm == 0 && optics.TelescopeFocalLengthMm == 0 && optics.EffectiveFocalLengthMm == 0) {
        optics = Optics{};
        return job;
    }
    for (const auto& [name, length] : {std::pair{"the optical job's aperture", optics.ApertureMm},
                                       std::pair{"the optical job's telescope focal length", optics.TelescopeFocalLengthMm},
                                       std::pair{"the optical job's effective focal length", optics.EffectiveFocalLengthMm}})
        if (length == 0)
            return Sentence(name) + QStringLiteral(" is 0 mm; it must be at least %1 mm.").arg(ShortestLength);
    return job;
}

QString OverlongBox(const Data& job)
{
    LengthCheck check;
    Walk(check, job);
    return check.Overlong;
}

QString WithSuffix(const QString& path)
{
    const QString suffix = QLatin1String(Suffix);
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

} // namespace Job
