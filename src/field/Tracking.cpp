#include "field/Tracking.h"

#include "numeric/Arithmetic.h"
#include "numeric/BoxReading.h"
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
constexpr const char* OverFourHours = "over 4 hours";
//! The exposure calculator's words for times beyond its shutter speeds and its hours.
constexpr const char* ExcessivelyShort = "Excessively short";
constexpr const char* ExcessivelyLong = "Excessively long";

constexpr std::array<std::string_view, 2> DegreeUnits{"\u00B0", "deg"};

long double Cosine(double degrees)
{
    return std::cos(degrees * std::numbers::pi_v<long double> / 180);
}

//! A row of its own: an arithmetic error of one figure is said in its row and costs the
//! others nothing.
template <typename Compute>
std::string Row(Compute compute)
{
    try {
        return compute();
    } catch (const ArithmeticError& error) {
        return std::string(NoFigure) + " (" + error.what() + ")";
    }
}

//! The longest untracked exposure by the rule the window judges by: the NPF rule on a digital
//! sensor, the 500 rule on film (which knows nothing of pixels).
struct Limit
{
    long double Seconds = 0;
    std::string Text;
    const char* Rule = "";
};

long double FiveHundredSeconds(long double f, const Sensor& sensor)
{
    // The 500 rule scales with the crop factor against the 36 x 24 mm frame, exactly 1 for
    // any frame of that size; it knows nothing of declination or pixels.
    const long double crop = Divide(std::hypot(static_cast<long double>(FilmFrameWidthMm), static_cast<long double>(FilmFrameHeightMm)),
                                    std::hypot(static_cast<long double>(sensor.WidthMm()), static_cast<long double>(sensor.HeightMm())));
    return Checked(Divide(FiveHundred, crop * f));
}

long double NpfSeconds(long double f, double fRatio, const Sensor& sensor, long double cosine)
{
    return Checked(Divide(NpfFRatio * fRatio + NpfFocalLength * f + NpfPixel * sensor.PixelMicrons, f * cosine));
}

//! Whether the exposure stays within the limit, each side taken as the seconds its text states,
//! equal within; where either side is beyond what its text can state, their seconds are
//! compared.
bool Within(double seconds, const ExposureWords& words, const Limit& limit)
{
    if (words.Number == ExcessivelyShort)
        return true;
    if (words.Number == ExcessivelyLong || limit.Text == OverFourHours)
        return seconds <= limit.Seconds;
    return words.Seconds <= SignificantSecondsValue(Narrow(limit.Seconds));
}

//! Whether the exposure calculator's f/ratio belongs to another set-up: it differs from the
//! job's f/ratio as the report hands it over (one decimal) and by more than 1% from the exact
//! one. The 1% carries a margin of 1e-9 so that exactly 1% is never flagged by a binary digit.
bool AnotherSetUp(double exposureFRatio, double fRatio)
{
    if (exposureFRatio == ParseLeadingNumber(FormatFixed(15, 1, fRatio)))
        return false;
    return std::abs(static_cast<long double>(exposureFRatio) - fRatio) > 0.01L * exposureFRatio * (1 + 1e-9L);
}

} // namespace

std::string UntrackedLimitText(double seconds)
{
    return seconds > LongestWorthSaying ? OverFourHours : SignificantSeconds(seconds);
}

std::string FRatioText(double fRatio)
{
    return "f/" + TrimmedFixed(2, fRatio); // "10.50" is f/10.5
}

TrackingTexts ComputeTracking(double efl, double aperture, const Sensor& sensor, std::optional<double> declination,
                              const TrailExposure& exposure)
{
    TrackingTexts texts;
    const long double f = efl;
    const double fRatio = Narrow(Divide(f, aperture));

    texts.FiveHundred = Row([&] {
        const std::string limit = UntrackedLimitText(Narrow(FiveHundredSeconds(f, sensor)));
        return sensor.Film ? limit : limit + ", the older rule: use the NPF figure for a digital sensor";
    });

    // At the celestial pole the stars stand still; cos 90° is not exactly 0 in floating point,
    // so the pole is taken as written.
    const bool pole = declination && std::abs(*declination) == 90;
    const long double cosine = pole || !declination ? 0 : Cosine(*declination);
    if (sensor.Film)
        texts.Npf = std::string(NoFigure) + " (digital sensors only)";
    else if (!declination)
        texts.Npf = NoFigure;
    else if (pole)
        texts.Npf = "no limit at the celestial pole";
    else
        texts.Npf = Row([&] { return UntrackedLimitText(Narrow(NpfSeconds(f, fRatio, sensor, cosine))); });

    if (!declination) {
        texts.Trail = NoFigure;
        return texts;
    }
    if (!exposure.Computed) {
        texts.Trail = std::string(NoFigure) + " (the exposure calculator has not suggested an exposure yet)";
        return texts;
    }
    if (!(exposure.Seconds > 0)) {
        texts.Trail = std::string(NoFigure) + " (the exposure calculator shows no exposure: \"???\")";
        return texts;
    }
    texts.Trail = Row([&] {
        const long double trail = Checked(SiderealArcsecondsPerSecond * exposure.Seconds * cosine); // arcseconds
        // Once a star crosses more than the frame's diagonal its trail has no length worth
        // giving; on film a quarter of the sky would also turn the tangent round.
        std::string length = "a star's trail is longer than the frame";
        if (sensor.Film) {
            const long double diagonal = std::hypot(static_cast<long double>(FilmFrameWidthMm), static_cast<long double>(FilmFrameHeightMm));
            if (trail < ArcSecondsPerRadian * std::numbers::pi_v<long double> / 2) {
                const long double mm = Checked(f * std::tan(trail / ArcSecondsPerRadian));
                if (mm <= diagonal)
                    length = "a star moves " + FormatFixed(15, 2, Narrow(mm)) + " mm";
            }
        } else {
            const long double scale = Divide(ArcSecondsPerRadian * sensor.PixelMicrons / 1000, f); // arcseconds per pixel
            const long double pixels = Divide(trail, scale);
            if (pixels <= std::hypot(static_cast<long double>(sensor.PixelsAcross), static_cast<long double>(sensor.PixelsDown)))
                length = "a star moves " + FormatFixed(15, 1, Narrow(pixels)) + " pixels";
        }

        Limit limit;
        limit.Rule = sensor.Film ? "the 500-rule limit" : "the NPF limit";
        limit.Seconds = pole ? 0 : sensor.Film ? FiveHundredSeconds(f, sensor) : NpfSeconds(f, fRatio, sensor, cosine);
        // A limit beyond four hours is not narrowed to a double: however long, it is compared
        // by its seconds.
        limit.Text = pole ? std::string()
                     : limit.Seconds > LongestWorthSaying ? OverFourHours
                                                          : UntrackedLimitText(Narrow(limit.Seconds));
        const ExposureWords& words = exposure.Shown;
        const std::string verdict = pole || Within(exposure.Seconds, words, limit)
                                        ? std::string("within ") + limit.Rule + ": stars stay round"
                                        : std::string("longer than ") + limit.Rule
                                              + ": the stars trail; use a tracking mount or a shorter exposure";
        std::string line = ExposureWordsText(words) + " at " + FRatioText(exposure.FRatio) + ": " + length + "; " + verdict;
        if (AnotherSetUp(exposure.FRatio, fRatio))
            line += " (computed for another set-up: this one is " + FRatioText(fRatio) + ")";
        return line;
    });
    return texts;
}

std::optional<double> ReadDeclination(const std::string& text, std::string& refusal)
{
    // A minus sign as typography writes it (U+2212) is a minus.
    constexpr std::string_view TypographicMinus = "\u2212";
    std::string typed;
    for (std::size_t at = 0; at < text.size();) {
        const bool minus = std::string_view(text).substr(at).starts_with(TypographicMinus);
        typed += minus ? '-' : text[at];
        at += minus ? TypographicMinus.size() : 1;
    }
    const std::optional<double> degrees = ReadBoxNumber(typed, DegreeUnits);
    if (degrees && *degrees >= -90 && *degrees <= 90)
        return degrees;
    // Short enough to stand beside the box.
    refusal = HasDecimalComma(text) ? "Write it with a decimal point, e.g. 41.27." : "A number of degrees from -90 to 90.";
    return std::nullopt;
}
