#include "optics/Configurations.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalJob.h"

#include <cmath>
#include <optional>

namespace {

// How a window checks its quantities: a zero check turns an unreadable box into 0 and refuses
// exactly 0; a read check refuses an unreadable box. In a read-check window the quantity that
// ends up as a divisor must not be 0 either: the report needs a finite effective focal length.
enum class Check { Zero, Read };

struct Quantities
{
    double a = 0; // the first box read
    double b = 0; // the second, where there is one
};

// m from the quantities; the divisions are done in extended precision and rounded once.
using Magnification = double (*)(const Quantities&);
// The configuration's own lines, after the telescope's name.
using Description = std::string (*)(const Quantities&);

struct ConfigurationRule
{
    ConfigurationKind Kind;
    int Boxes;
    Check Style;
    const char* Message;
    Magnification Factor;
    Description Text;
    // For a read check: the quantity that must not be 0 (the divisor of m), 0 for a, 1 for b.
    int Divisor;
};

std::string FF(int width, int decimals, double value)
{
    return FormatFixed(width, decimals, value);
}

const ConfigurationRule Rules[] = {
    {ConfigurationKind::Teleconverter, 1, Check::Zero,
     "You must give the magnification of the teleconverter, which is typically 1.4, 2, or 3, before proceeding.",
     [](const Quantities& q) { return q.a; },
     [](const Quantities& q) {
         return "Negative projection with" + std::string(CrLf) + "x" + FF(15, 1, q.a) + " teleconverter";
     },
     -1},
    {ConfigurationKind::Compression, 1, Check::Zero,
     "You must give the compression ratio, which is usually 0.63, before proceeding.",
     [](const Quantities& q) { return q.a; },
     [](const Quantities& q) { return "Compression x" + FF(15, 2, q.a); },
     -1},
    // Eyepiece e first, then the camera lens L: m = L / e.
    {ConfigurationKind::Afocal, 2, Check::Read,
     "You must give the focal lengths of the camera lens and eyepiece before proceeding.",
     [](const Quantities& q) { return Narrow(Divide(q.b, q.a)); },
     [](const Quantities& q) {
         return "Afocal with" + std::string(CrLf) + FF(15, 0, q.b) + "-mm lens, " + FF(15, 0, q.a) + "-mm eyepiece";
     },
     0},
    // Only the sizes count: the focal length always shows as negative, the distance as positive.
    {ConfigurationKind::BarlowLens, 2, Check::Read,
     "You must give the focal length of the Barlow lens and its distance from the film before proceeding.",
     [](const Quantities& q) {
         const long double f = std::fabs(static_cast<long double>(q.a));
         return Narrow(Divide(f + std::fabs(static_cast<long double>(q.b)), f));
     },
     [](const Quantities& q) {
         return "Neg. projection with Barlow lens," + std::string(CrLf) + "f.l." + FF(15, 1, -std::fabs(q.a)) + ", "
                + FF(15, 1, std::fabs(q.b)) + " mm from film";
     },
     0},
    // Eyepiece e, then distance d: m = (d - e) / e with both as typed; the text shows e as typed.
    {ConfigurationKind::EyepieceProjection, 2, Check::Read,
     "You must give the focal length of the eyepiece and its distance from the film before proceeding.",
     [](const Quantities& q) { return Narrow(Divide(static_cast<long double>(q.b) - q.a, q.a)); },
     [](const Quantities& q) {
         return "Projection with " + FF(15, 1, q.a) + "-mm eyepiece" + std::string(CrLf) + FF(15, 1, std::fabs(q.b))
                + " mm from film";
     },
     0},
    // Handled on its own below: it supplies its focal length and aperture itself.
    {ConfigurationKind::CameraLens, 2, Check::Zero,
     "You must give the focal length and f-ratio of the camera lens before proceeding.", nullptr, nullptr, -1},
};

const ConfigurationRule& RuleOf(ConfigurationKind kind)
{
    for (const ConfigurationRule& rule : Rules)
        if (rule.Kind == kind)
            return rule;
    return Rules[0]; // every kind has a row
}

std::optional<double> Read(const std::vector<std::string>& texts, std::size_t index)
{
    try {
        return ParseLeadingNumber(index < texts.size() ? texts[index] : std::string());
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

// The camera lens: its focal length goes into the job the moment it is read, and the f-ratio
// is checked afterwards. A focal length of 0 is refused before it is stored: it would give an
// aperture of 0, which the report cannot divide by.
bool CompleteCameraLens(const std::vector<std::string>& texts, TOpticalJob& job)
{
    const std::optional<double> focalLength = Read(texts, 0);
    if (!focalLength || *focalLength == 0)
        return false;
    job.TelescopeFocalLengthMm = *focalLength;
    const double fRatio = Read(texts, 1).value_or(0);
    if (fRatio == 0)
        return false;
    const double aperture = Narrow(Divide(job.TelescopeFocalLengthMm, fRatio));
    job.EffectiveFocalLengthMm = job.TelescopeFocalLengthMm;
    job.ApertureMm = aperture;
    job.ConfigurationText = "Camera lens alone" + std::string(CrLf) + FF(15, 1, job.TelescopeFocalLengthMm) + " mm  f/"
                            + FF(15, 1, fRatio);
    return true;
}

} // namespace

const char* RefusalMessage(ConfigurationKind kind)
{
    return RuleOf(kind).Message;
}

bool CompleteOpticalJob(ConfigurationKind kind, const std::vector<std::string>& boxTexts, TOpticalJob& job)
{
    if (kind == ConfigurationKind::CameraLens)
        return CompleteCameraLens(boxTexts, job);

    const ConfigurationRule& rule = RuleOf(kind);
    Quantities q;
    double* values[] = {&q.a, &q.b};
    for (int i = 0; i < rule.Boxes; ++i) {
        const std::optional<double> value = Read(boxTexts, static_cast<std::size_t>(i));
        if (!value && rule.Style == Check::Read)
            return false;
        *values[i] = value.value_or(0);
    }
    if (rule.Style == Check::Zero && q.a == 0)
        return false;
    if (rule.Divisor >= 0 && *values[rule.Divisor] == 0)
        return false;

    // Everything is computed before anything is written, so an error leaves the job as it was.
    const double m = rule.Factor(q);
    const double effective = Narrow(static_cast<long double>(m) * job.TelescopeFocalLengthMm);
    std::string text = job.TelescopeLine + rule.Text(q);
    job.EffectiveFocalLengthMm = effective;
    job.ConfigurationText = std::move(text);
    return true;
}
