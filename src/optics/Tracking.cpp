#include "optics/Tracking.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

//! The sky turns 15.041 arcseconds per second of time: 360 degrees in a sidereal day.
constexpr long double SiderealArcsecondsPerSecond = 15.041L;
//! The NPF rule's terms, for round stars (k = 1).
constexpr long double NpfFRatio = 16.9L;
constexpr long double NpfFocalLength = 0.10L;
constexpr long double NpfPixel = 13.7L;
constexpr long double FiveHundred = 500;
//! Beyond this the limit no longer matters: no one exposes longer untracked.
constexpr double LongestWorthSaying = 4 * 3600.0;
//! The verdict: a trail up to this long, as written, stays sharp.
constexpr double SharpPixels = 1.0;
constexpr double SharpFilmMm = 0.03;


constexpr std::array<std::string_view, 2> DegreeUnits{"\u00B0", "deg"};

long double Cosine(double degrees)
{
    return std::cos(degrees * std::numbers::pi_v<long double> / 180);
}

std::string LimitText(long double seconds)
{
    return seconds > LongestWorthSaying ? "over 4 hours" : SignificantSeconds(Narrow(seconds));
}

//! Whether a figure as written is at most `limit`.
bool ShownAtMost(const std::string& shown, double limit)
{
    return ParseLeadingNumber(shown) <= limit;
}

} // namespace

std::string SignificantSeconds(double seconds)
{
    if (!(seconds > 0) || !std::isfinite(seconds))
        throw InvalidOperationError();
    // The power of ten of the first significant digit, corrected once where rounding carries
    // into the next power (9.96 is "10", not "10.0").
    int power = static_cast<int>(std::floor(std::log10(seconds)));
    for (int pass = 0; pass < 2; ++pass) {
        std::string text;
        if (power >= 1) {
            // Two digits, then zeros: 1234 is "1200". The digits are rounded from the value
            // scaled down, so that no digit beyond the second counts.
            const long double scale = std::pow(10.0L, power - 1);
            text = FormatFixed(15, 0, Narrow(seconds / scale)) + std::string(static_cast<std::size_t>(power - 1), '0');
        } else {
            text = FormatFixed(15, 1 - power, seconds);
        }
        if (ParseLeadingNumber(text) < std::pow(10.0, power + 1))
            return text + " s";
        ++power;
    }
    return FormatFixed(15, 0, seconds) + " s"; // not reached: a carry happens once at most
}

std::string FRatioText(double fRatio)
{
    std::string text = FormatFixed(15, 2, fRatio);
    if (text.find('E') == std::string::npos) { // "10.50" is f/10.5; an exponent keeps its digits
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return "f/" + text;
}

TrackingTexts ComputeTracking(double efl, double aperture, const Sensor& sensor, std::optional<double> declination,
                              const TrailExposure& exposure)
{
    TrackingTexts texts;
    const long double f = efl;
    const double fRatio = Narrow(Divide(f, aperture));

    // The 500 rule scales with the crop factor against the 36 x 24 mm frame, exactly 1 for
    // any frame of that size; it knows nothing of declination or pixels.
    const long double crop = Divide(std::hypot(static_cast<long double>(FilmFrameWidthMm), static_cast<long double>(FilmFrameHeightMm)),
                                    std::hypot(static_cast<long double>(sensor.WidthMm()), static_cast<long double>(sensor.HeightMm())));
    const std::string fiveHundred = LimitText(Checked(Divide(FiveHundred, crop * f)));
    texts.FiveHundred = sensor.Film ? fiveHundred : fiveHundred + ", the older rule: use the NPF figure for a digital sensor";

    if (!declination) {
        texts.Npf = texts.Trail = NoFigure;
        return texts;
    }
    // At the celestial pole the stars stand still; cos 90° is not exactly 0 in floating point,
    // so the pole is taken as written.
    const bool pole = std::abs(*declination) == 90;
    const long double cosine = pole ? 0 : Cosine(*declination);
    if (sensor.Film) {
        texts.Npf = NoFigure;
    } else if (pole) {
        texts.Npf = "no limit at the celestial pole";
    } else {
        const long double npf = Divide(NpfFRatio * fRatio + NpfFocalLength * f + NpfPixel * sensor.PixelMicrons, f * cosine);
        texts.Npf = LimitText(Checked(npf));
    }

    if (!exposure.Computed) {
        texts.Trail = std::string(NoFigure) + " (the exposure calculator has not suggested an exposure yet)";
        return texts;
    }
    if (!(exposure.Seconds > 0)) {
        texts.Trail = std::string(NoFigure) + " (the exposure calculator shows no exposure: \"???\")";
        return texts;
    }
    const long double trail = Checked(SiderealArcsecondsPerSecond * exposure.Seconds * cosine); // arcseconds
    std::string length;
    bool sharp = false;
    if (sensor.Film && trail >= ArcSecondsPerRadian * std::numbers::pi_v<long double> / 2) {
        // A quarter of the sky or more: the tangent would turn round, and the star has long
        // left the frame.
        length = "out of the frame";
    } else if (sensor.Film) {
        length = FormatFixed(15, 2, Narrow(f * std::tan(trail / ArcSecondsPerRadian))) + " mm";
        sharp = ShownAtMost(length, SharpFilmMm);
    } else {
        const long double scale = Divide(ArcSecondsPerRadian * sensor.PixelMicrons / 1000, f); // arcseconds per pixel
        length = FormatFixed(15, 1, Narrow(Divide(trail, scale))) + " pixels";
        sharp = ShownAtMost(length, SharpPixels);
    }
    texts.Trail = LimitText(exposure.Seconds) + " at " + FRatioText(exposure.FRatio) + ": a star moves " + length
                  + (sharp ? ", stays sharp" : ", trails: needs a tracking mount or a shorter exposure");
    if (std::abs(exposure.FRatio - fRatio) > 0.01 * fRatio)
        texts.Trail += " (computed for another set-up: this one is " + FRatioText(fRatio) + ")";
    return texts;
}

std::optional<double> ReadDeclination(const std::string& text, std::string& refusal)
{
    const std::optional<double> degrees = ReadBoxNumber(text, DegreeUnits);
    if (degrees && *degrees >= -90 && *degrees <= 90)
        return degrees;
    // Short enough to stand beside the box.
    refusal = HasDecimalComma(text) ? "Write it with a decimal point, e.g. 41.27." : "A number of degrees from -90 to 90.";
    return std::nullopt;
}
