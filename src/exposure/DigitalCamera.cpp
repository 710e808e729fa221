#include "exposure/DigitalCamera.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/Tracking.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <string_view>

namespace {

//! Photons per second, square centimetre and ångström from a star of magnitude 0 in V.
constexpr long double ZeroPointPhotons = 1000;
constexpr long double AngstromsPerNm = 10;
constexpr long double ArcsecondsPerRadianThousandth = 206.265L; // µm over mm: 206265 / 1000
//! A colour sensor's pixel sees about a third of a broad band through its own filter of the
//! Bayer mask; behind a narrowband filter one pixel in four (the red ones, as behind
//! hydrogen-alpha) takes the whole line and the others nothing, so the mean pixel takes a
//! quarter of it.
constexpr long double ColourShare = 3;
constexpr long double NarrowbandColourShare = 4;
//! Below a millisecond no camera exposes: the read noise is then buried at any length.
constexpr long double ShortestWorthSaying = 0.001L;
constexpr double SecondsPerMinute = 60;
constexpr double SecondsPerHour = 3600;
constexpr double LongestWorthSaying = 100 * SecondsPerHour;
//! A sum of frames this close to the total reaches it: the quotient of two rounded figures
//! lands an ulp beside a whole number as often as on it.
constexpr long double FrameTolerance = 1e-9L;

constexpr std::array<std::string_view, 3> ElectronUnits{"e\u207B", "e-", "e"};
constexpr std::array<std::string_view, 1> PercentUnits{"%"};
constexpr std::array<std::string_view, 1> NanometreUnits{"nm"};

//! How each box is read: its range, the unit that may follow its number, what a refusal says
//! and the number a decimal comma is shown written with a point.
struct BoxRule
{
    double Low;
    double High;
    std::span<const std::string_view> Units;
    const char* Refusal;
    const char* Example;
};

BoxRule RuleOf(CameraBox box)
{
    switch (box) {
    case CameraBox::ReadNoise:
        return {0, 50, ElectronUnits, "A number of electrons from 0 to 50.", "2.5"};
    case CameraBox::QuantumEfficiency:
        return {1, 100, PercentUnits, "A percentage from 1 to 100.", "62.5"};
    case CameraBox::SkyBrightness:
        return {10, 25, {}, "A number from 10 to 25 mag per square arcsecond.", "21.3"};
    case CameraBox::NarrowbandWidth:
        return {3, 30, NanometreUnits, "A width from 3 to 30 nm.", "6.5"};
    case CameraBox::Obstruction:
        return {0, 80, PercentUnits, "A percentage from 0 to 80.", "33.5"};
    case CameraBox::ReadNoiseRise:
        return {1, 25, PercentUnits, "A percentage from 1 to 25.", "2.5"};
    case CameraBox::SignalToNoise:
        break;
    }
    return {1, 1000, {}, "A number from 1 to 1000.", "12.5"};
}

//! The sky box holds a list item or a number of the user's own: its first word is read.
std::optional<double> LeadingNumber(const std::string& text)
{
    try {
        return ParseLeadingNumber(text);
    } catch (const ConversionError&) {
        return std::nullopt;
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

std::string RateText(long double rate)
{
    return SignificantFigures(Narrow(rate), 3) + " e\u207B per pixel per second";
}

//! The electrons per pixel and second from a surface of `brightness` magnitudes per square
//! arcsecond, where magnitude 0 gives `collecting`.
long double ElectronRate(double brightness, long double collecting)
{
    return Checked(collecting * Power(10, -0.4 * brightness));
}

std::string NoFigureBecause(const std::string& reason)
{
    return std::string(NoFigure) + " (" + reason + ")";
}

} // namespace

std::optional<double> ReadCameraBox(CameraBox box, const std::string& text, std::string& refusal)
{
    const BoxRule rule = RuleOf(box);
    const std::optional<double> number = box == CameraBox::SkyBrightness ? LeadingNumber(text) : ReadBoxNumber(text, rule.Units);
    if (number && *number >= rule.Low && *number <= rule.High)
        return number;
    refusal = HasDecimalComma(text) ? std::string("Write it with a decimal point, e.g. ") + rule.Example + "." : rule.Refusal;
    return std::nullopt;
}

long long FramesFor(long double total, long double frame)
{
    const long double needed = total * (1 - FrameTolerance);
    long double frames = std::max(std::ceil(Checked(Divide(needed, frame))), 1.0L);
    // The quotient may land an ulp beside a whole number either way; the products decide.
    if (frames > 1 && (frames - 1) * frame >= needed)
        --frames;
    else if (frames * frame < needed)
        ++frames;
    return static_cast<long long>(frames);
}

std::string TotalTimeText(double seconds)
{
    // Each unit is used while its figure, as written, stays below the next unit: 59.5 s is
    // written "1 min", never "60 s". Halves go away from zero, as FormatFixed rounds.
    if (seconds > LongestWorthSaying)
        return "over 100 hours";
    const std::string wholeSeconds = FormatFixed(15, 0, seconds);
    if (wholeSeconds == "0")
        return "under 1 s"; // a total never reads as nothing
    if (ParseLeadingNumber(wholeSeconds) < SecondsPerMinute)
        return wholeSeconds + " s";
    const std::string minutes = FormatFixed(15, 0, Narrow(Divide(seconds, SecondsPerMinute)));
    if (ParseLeadingNumber(minutes) < 2 * SecondsPerMinute)
        return minutes + " min";
    return FormatFixed(15, 1, Narrow(Divide(seconds, SecondsPerHour))) + " hours";
}

std::string TotalCaptionText(std::optional<double> signalToNoise)
{
    if (!signalToNoise)
        return "Total for the signal-to-noise wanted:";
    return "Total for signal-to-noise " + TrimmedFixed(2, *signalToNoise) + ":";
}

CameraTexts ComputeCamera(const CameraSetup& setup)
{
    CameraTexts texts{NoFigure, NoFigure, NoFigure, NoFigure};
    const long double diameterCm = setup.ApertureMm / 20.0L;
    const long double obstruction = setup.ObstructionPercent / 100.0L;
    const long double area = Checked(std::numbers::pi_v<long double> * diameterCm * diameterCm * (1 - obstruction * obstruction));
    const long double pixelSide = Checked(Divide(ArcsecondsPerRadianThousandth * setup.PixelMicrons, setup.FocalLengthMm));
    const long double share = !setup.Colour ? 1 : setup.Narrowband ? NarrowbandColourShare : ColourShare;
    // Everything but the surface's own brightness: what magnitude 0 per square arcsecond gives.
    const long double collecting = Checked(Divide(ZeroPointPhotons * setup.FilterWidthNm * AngstromsPerNm * area * pixelSide
                                                      * pixelSide * setup.QuantumEfficiencyPercent / 100,
                                                  share));
    const long double sky = ElectronRate(setup.SkyBrightness, collecting);
    texts.Sky = RateText(sky);

    // The shortest sub-exposure: none where the read noise is negligible, and no frame text
    // where it is too long to say.
    std::optional<long double> shortest;
    std::string frameText;
    const bool readNoiseKnown = setup.ReadNoise && setup.ReadNoiseRisePercent;
    if (readNoiseKnown) {
        const long double rise = *setup.ReadNoiseRisePercent / 100.0L;
        const long double factor = Divide(1, (1 + rise) * (1 + rise) - 1);
        const long double readVariance = static_cast<long double>(*setup.ReadNoise) * *setup.ReadNoise;
        if (readVariance > 0)
            shortest = Checked(Divide(factor * readVariance, sky));
        if (!shortest || *shortest < ShortestWorthSaying) {
            shortest.reset();
            texts.SubExposure = "no limit: read noise is negligible at any length";
        } else if (*shortest > LongestWorthSaying) {
            texts.SubExposure = "over 100 hours: the sky is too faint to bury the read noise";
        } else {
            frameText = SignificantSeconds(Narrow(*shortest));
            texts.SubExposure = frameText + ": read noise then adds " + TrimmedFixed(2, *setup.ReadNoiseRisePercent) + "%";
        }
    }

    if (!setup.ObjectBrightness) {
        texts.Object = NoFigureBecause("no brightness from the exposure calculator");
        return texts;
    }
    // The object's brightness comes unchecked from the exposure calculator: an absurd one costs
    // its own rows, never the sky's.
    try {
        const long double object = ElectronRate(*setup.ObjectBrightness, collecting);
        if (!(object > 0)) {
            texts.Object = NoFigureBecause("too faint to compute");
            return texts;
        }
        texts.Object = RateText(object);
        if (!readNoiseKnown || !setup.SignalToNoise)
            return texts;
        const long double wanted = *setup.SignalToNoise;
        const long double squaredSignal = Checked(object * object);
        if (!shortest) {
            const long double total = Checked(Divide(wanted * wanted * (object + sky), squaredSignal));
            texts.Total = TotalTimeText(Narrow(total)) + " in all, in frames of any length";
        } else if (frameText.empty()) {
            texts.Total = "over 100 hours in all";
        } else {
            // The frames are as long as the figure shown, since that is what the user sets.
            const long double frame = ParseLeadingNumber(frameText);
            const long double readVariance = static_cast<long double>(*setup.ReadNoise) * *setup.ReadNoise;
            const long double total = Checked(Divide(wanted * wanted * (object + sky + readVariance / frame), squaredSignal));
            if (total > LongestWorthSaying) {
                texts.Total = "frames of " + frameText + ", over 100 hours in all";
            } else {
                const long long frames = FramesFor(total, frame);
                texts.Total = std::to_string(frames) + (frames == 1 ? " frame of " : " frames of ") + frameText + ", "
                              + TotalTimeText(Narrow(frames * frame)) + " in all";
            }
        }
    } catch (const ArithmeticError& error) {
        texts.Object = NoFigureBecause(error.what());
        texts.Total = NoFigure;
    }
    return texts;
}

std::string BrightnessText(std::optional<double> brightness)
{
    if (!brightness)
        return std::string(NoFigure) + " (the exposure calculator's brightness box holds no number)";
    std::string text = TrimmedFixed(2, *brightness);
    if (text.find_first_of(".E") == std::string::npos)
        text += ".0"; // magnitudes are written with a decimal
    return text + " mag per square arcsecond";
}

std::string JobText(const FieldJob& job)
{
    if (!job.Error.empty())
        return std::string(NoFigure) + " (the results stopped at an error: " + job.Error + ")";
    if (job.ApertureMm == 0 && job.EffectiveFocalLengthMm == 0)
        return "Run the optical calculations first.";
    if (!(job.ApertureMm > 0) || !(job.EffectiveFocalLengthMm > 0))
        return std::string(NoFigure) + " (the aperture or the focal length is zero or negative)";
    return "D = " + TrimmedFixed(1, job.ApertureMm) + " mm, f = " + TrimmedFixed(1, job.EffectiveFocalLengthMm) + " mm";
}

std::string SensorText(const std::optional<Sensor>& sensor, int preset)
{
    const bool isPreset = preset >= 0 && static_cast<std::size_t>(preset) < SensorPresets.size();
    if ((isPreset && SensorPresets[static_cast<std::size_t>(preset)].Model.Film) || (sensor && sensor->Film))
        return "For digital sensors: pick one in the field window.";
    if (!sensor)
        return std::string(NoFigure) + " (the field window's sensor is not complete)";
    const std::string name = isPreset ? SensorPresets[static_cast<std::size_t>(preset)].Name : OwnSensorName;
    return name + ", pixels of " + TrimmedFixed(2, sensor->PixelMicrons) + " \u00B5m";
}
