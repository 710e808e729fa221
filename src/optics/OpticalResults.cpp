#include "optics/OpticalResults.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalJob.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr long double JupiterSmallest = 31; // arc-seconds
constexpr long double JupiterLargest = 51;
constexpr long double MoonDivisor = 110; // the Moon spans about 1/110 radian
constexpr double MoonTooBigAbove = 2300; // mm of effective focal length
constexpr double JupiterTooSmallBelow = 800;

std::string Millimetres(double mm)
{
    return WholeMillimetreText(mm) + " mm";
}

} // namespace

std::string DegreesText(double degrees)
{
    const int decimals = degrees > 30 ? 0 : degrees > 3 ? 1 : 2;
    return FormatFixed(15, decimals, degrees) + DegreeSign;
}

namespace {

double Degrees(double radians)
{
    return Narrow(Divide(static_cast<long double>(radians) * 180, std::numbers::pi_v<long double>));
}

} // namespace

std::string AngleText(double radians)
{
    return DegreesText(Degrees(radians));
}

double SubtendedDegrees(double f, double s)
{
    const long double ratio = Divide(s, 2 * static_cast<long double>(f));
    return Degrees(Narrow(2 * std::atan(ratio)));
}

std::string SubtendedAngleText(double f, double s)
{
    return DegreesText(SubtendedDegrees(f, s));
}

std::string WholeMillimetreText(double mm)
{
    const double whole = RoundHalfEven(mm);
    // 2^63 is exactly representable; every double below it (and from -2^63 on) fits an int64.
    constexpr double Limit = 9223372036854775808.0;
    if (!(whole >= -Limit && whole < Limit))
        throw InvalidOperationError();
    return std::to_string(static_cast<std::int64_t>(whole));
}

double MoonImageMm(double efl)
{
    return Narrow(Divide(efl, MoonDivisor));
}

bool MoonTooBigForFilm(double efl)
{
    return efl > MoonTooBigAbove;
}

bool JupiterTooSmall(double efl)
{
    return !(efl >= JupiterTooSmallBelow);
}

double JupiterImageMm(double efl, bool largest)
{
    return Narrow(Divide(efl * (largest ? JupiterLargest : JupiterSmallest), ArcSecondsPerRadian));
}

void ComputeOpticalResults(const TOpticalJob& job, OpticalResultTexts& rows)
{
    const double efl = job.EffectiveFocalLengthMm;
    rows.Aperture = Millimetres(job.ApertureMm);
    rows.FocalLength = Millimetres(job.TelescopeFocalLengthMm);
    rows.Configuration = job.ConfigurationText;
    rows.EffectiveFocalLength = Millimetres(efl);

    const std::string r = FormatFixed(15, 1, Narrow(Divide(efl, job.ApertureMm)));
    rows.FRatio = "f/" + r;
    rows.FRatioNumber = r;

    // Across the frame's height first, then across its width.
    rows.FieldOfView = SubtendedAngleText(efl, FilmFrameHeightMm) + " x " + SubtendedAngleText(efl, FilmFrameWidthMm);
    rows.FieldOfView20 = SubtendedAngleText(efl, CentralCircleMm);

    const std::string jupiterRange = FormatFixed(15, 2, JupiterImageMm(efl, false)) + " to "
                                     + FormatFixed(15, 2, JupiterImageMm(efl, true)) + " mm";
    rows.JupiterImageSize = jupiterRange;
    std::string moon = FormatFixed(15, 1, MoonImageMm(efl)) + " mm";
    if (MoonTooBigForFilm(efl))
        moon += " (too big for 35-mm film)";
    rows.MoonImageSize = moon;
    if (JupiterTooSmall(efl))
        rows.JupiterImageSize = JupiterTooSmallText;
}
