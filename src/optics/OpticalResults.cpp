#include "optics/OpticalResults.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalJob.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// 35-mm film: the frame and its central circle, in mm.
constexpr double FrameHeight = 24;
constexpr double FrameWidth = 36;
constexpr double CentralCircle = 20;

constexpr long double ArcSecondsPerRadian = 206265;
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

std::string AngleText(double radians)
{
    return DegreesText(Narrow(Divide(static_cast<long double>(radians) * 180, std::numbers::pi_v<long double>)));
}

std::string SubtendedAngleText(double f, double s)
{
    const long double ratio = Divide(s, 2 * static_cast<long double>(f));
    return AngleText(Narrow(2 * std::atan(ratio)));
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
    rows.FieldOfView = SubtendedAngleText(efl, FrameHeight) + " x " + SubtendedAngleText(efl, FrameWidth);
    rows.FieldOfView20 = SubtendedAngleText(efl, CentralCircle);

    const auto jupiter = [efl](long double arcSeconds) {
        return FormatFixed(15, 2, Narrow(Divide(efl * arcSeconds, ArcSecondsPerRadian)));
    };
    const std::string jupiterRange = jupiter(JupiterSmallest) + " to " + jupiter(JupiterLargest) + " mm";
    rows.JupiterImageSize = jupiterRange;
    std::string moon = FormatFixed(15, 1, Narrow(Divide(efl, MoonDivisor))) + " mm";
    if (efl > MoonTooBigAbove)
        moon += " (too big for 35-mm film)";
    rows.MoonImageSize = moon;
    if (!(efl >= JupiterTooSmallBelow))
        rows.JupiterImageSize = "Excessively small";
}
