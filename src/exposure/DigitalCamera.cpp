#include "exposure/DigitalCamera.h"

#include "numeric/Arithmetic.h"
#include "numeric/BoxReading.h"
#include "numeric/Durations.h"
#include "numeric/NumberText.h"

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
//! Bayer mask. Behind a narrowband filter the pixels of the line's colour take the whole line
//! and the others nothing: the sky that sets their sub-exposure is the undivided one.
constexpr long double ColourShare = 3;
//! The band an emission nebula's light is measured in, all of which its line carries.
constexpr long double LuminanceWidthNm = CameraFilters[0].WidthNm;
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
constexpr std::array<std::string_view, 1> SecondUnits{"s"};

//! The showpieces, by catalogue entry, whose light is in the lines of ionised gas: the
//! emission nebulae M8, M20, M42, California, Carina, Heart and Rosette, the planetary nebulae
//! M27, M57 and Helix, the supernova remnant M1, and the Horsehead, a dark cloud that is
//! photographed against the glow of IC 434.
constexpr std::array<std::string_view, 12> EmissionEntries{"NGC1952", "NGC6523", "NGC6514", "NGC6853",
                                                           "NGC1976", "NGC6720", "NGC1499", "NGC3372",
                                                           "IC1805",  "NGC7293", "NGC2237", "B033"};

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
    case CameraBox::OwnSubExposure:
        return {0.001, 3600, SecondUnits, "A number of seconds from 0.001 to 3600.", "2.5"};
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

//! The whole number nearest a value not below zero, halves going up on the decimal value as
//! SignificantFigures takes them: a value within a relative 1e-12 of a half is the half, so
//! that 9180 s, whose quotient by 360 s lands a hair beside 25.5 in binary, is 26 tenths.
long long NearestWhole(long double value)
{
    if (value < 1)
        return value >= 0.5L ? 1 : 0;
    const int digits = static_cast<int>(std::floor(std::log10(value))) + 1;
    return std::stoll(SignificantFigures(Narrow(value), digits));
}

//! "frames of 300 s", with the frames counted unless the total is too long to say.
std::string FramesText(long double total, long double frame, const std::string& frameText)
{
    if (total > LongestWorthSaying)
        return "frames of " + frameText + ", over 100 hours in all";
    const long long frames = FramesFor(total, frame);
    return std::to_string(frames) + (frames == 1 ? " frame of " : " frames of ") + frameText + ", "
           + TotalTimeText(Narrow(frames * frame)) + " in all";
}

//! How much the read noise R adds to the sky's noise P in frames of `frame` seconds:
//! √(1 + R² / (P t)) - 1.
std::string ReadNoiseShareText(long double readVariance, long double sky, long double frame)
{
    if (readVariance == 0)
        return "read noise adds nothing";
    const long double percent = Checked(100 * (std::sqrt(1 + Divide(readVariance, sky * frame)) - 1));
    if (percent < 0.1L)
        return "read noise adds under 0.1%";
    // Two figures at most, without needless zeros: "2%", "0.3%", "15%".
    return "read noise adds " + TrimmedFixed(2, ParseLeadingNumber(SignificantFigures(Narrow(percent), 2))) + "%";
}

} // namespace

std::optional<double> ReadCameraBox(CameraBox box, const std::string& text, std::string& refusal)
{
    const BoxRule rule = RuleOf(box);
    if (box == CameraBox::OwnSubExposure && text.find_first_not_of(' ') == std::string::npos) {
        refusal.clear(); // the box may stay empty: no frames of the user's own are counted
        return std::nullopt;
    }
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
    // written "1 min", never "60 s".
    if (seconds > LongestWorthSaying)
        return "over 100 hours";
    const long long wholeSeconds = NearestWhole(seconds);
    if (wholeSeconds == 0)
        return "under 1 s"; // a total never reads as nothing
    if (wholeSeconds < SecondsPerMinute)
        return std::to_string(wholeSeconds) + " s";
    const long long minutes = NearestWhole(Divide(seconds, SecondsPerMinute));
    if (minutes < 2 * SecondsPerMinute)
        return std::to_string(minutes) + " min";
    const long long tenths = NearestWhole(Divide(seconds, SecondsPerHour / 10));
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " hours";
}

std::string TotalCaptionText(std::optional<double> signalToNoise)
{
    if (!signalToNoise)
        return "Total for the signal-to-noise wanted:";
    return "Total for signal-to-noise " + TrimmedFixed(2, *signalToNoise) + ":";
}

CameraTexts ComputeCamera(const CameraSetup& setup)
{
    CameraTexts texts{NoFigure, NoFigure, NoFigure, NoFigure, setup.OwnSubExposure ? NoFigure : ""};
    const long double diameterCm = setup.ApertureMm / 20.0L;
    const long double obstruction = setup.ObstructionPercent / 100.0L;
    const long double area = Checked(std::numbers::pi_v<long double> * diameterCm * diameterCm * (1 - obstruction * obstruction));
    const long double pixelSide = Checked(Divide(ArcsecondsPerRadianThousandth * setup.PixelMicrons, setup.FocalLengthMm));
    const long double share = setup.Colour && !setup.Narrowband ? ColourShare : 1;
    // Everything but the surface's own brightness and the band: what magnitude 0 per square
    // arcsecond gives in each nanometre.
    const long double perNanometre = Checked(Divide(ZeroPointPhotons * AngstromsPerNm * area * pixelSide * pixelSide
                                                        * setup.QuantumEfficiencyPercent / 100,
                                                    share));
    const long double collecting = Checked(perNanometre * setup.FilterWidthNm);
    const bool lineOnly = setup.Narrowband && setup.EmissionNebula;
    const long double objectCollecting = lineOnly ? Checked(perNanometre * LuminanceWidthNm) : collecting;
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
    // its own rows, never the sky's, with the arithmetic error it raises or else a few words.
    try {
        const long double object = ElectronRate(*setup.ObjectBrightness, objectCollecting);
        if (*setup.ObjectBrightness > FaintestObject) {
            texts.Object = NoFigureBecause("too faint to compute");
            return texts;
        }
        if (*setup.ObjectBrightness < BrightestObject) {
            texts.Object = NoFigureBecause("too bright to compute");
            return texts;
        }
        // Behind the filter the object gives no more than its whole light, all in the line.
        texts.Object = RateText(object) + (lineOnly ? ", the most the line can give" : "");
        if (!readNoiseKnown || !setup.SignalToNoise)
            return texts;
        const long double wanted = *setup.SignalToNoise;
        const long double squaredSignal = Checked(object * object);
        const long double readVariance = static_cast<long double>(*setup.ReadNoise) * *setup.ReadNoise;
        // The total in frames of `frame` seconds, each adding the read noise once.
        const auto totalIn = [&](long double frame) {
            return Checked(Divide(wanted * wanted * (object + sky + Divide(readVariance, frame)), squaredSignal));
        };
        if (!shortest) {
            const long double total = Checked(Divide(wanted * wanted * (object + sky), squaredSignal));
            texts.Total = TotalTimeText(Narrow(total)) + " in all, in frames of any length";
        } else if (frameText.empty()) {
            texts.Total = "over 100 hours in all";
        } else {
            // The frames are as long as the figure shown, since that is what the user sets.
            const long double frame = ParseLeadingNumber(frameText);
            texts.Total = FramesText(totalIn(frame), frame, frameText);
        }
        if (setup.OwnSubExposure) {
            const long double own = *setup.OwnSubExposure;
            texts.OwnTotal = FramesText(totalIn(own), own, TrimmedFixed(6, *setup.OwnSubExposure) + " s") + "; "
                             + ReadNoiseShareText(readVariance, sky, own);
        }
    } catch (const ArithmeticError& error) {
        texts.Object = NoFigureBecause(error.what());
        texts.Total = NoFigure;
        if (setup.OwnSubExposure)
            texts.OwnTotal = NoFigure;
    }
    return texts;
}

std::string BrightnessText(std::optional<double> brightness, const std::string& calculatorError)
{
    if (!calculatorError.empty())
        return std::string(NoFigure) + " (the exposure calculator stopped at an error: " + calculatorError + ")";
    if (!brightness)
        return std::string(NoFigure) + " (the exposure calculator's brightness box holds no number)";
    std::string text = TrimmedFixed(2, *brightness);
    if (text.find_first_of(".E") == std::string::npos)
        text += ".0"; // magnitudes are written with a decimal
    return text + " mag per square arcsecond";
}

std::string JobText(const ReportedJob& job)
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

bool EmissionNebula(std::string_view entry)
{
    return std::find(EmissionEntries.begin(), EmissionEntries.end(), entry) != EmissionEntries.end();
}

bool EmissionTarget(const std::optional<SkyTarget>& target)
{
    if (!target || !target->Object)
        return false;
    if (ShowpieceOf(target))
        return EmissionNebula(target->Object->Entry());
    return IsEmissionNebula(*target->Object);
}
