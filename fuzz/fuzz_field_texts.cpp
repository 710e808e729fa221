// The field window's rules on arbitrary input: its boxes' readers on arbitrary texts, and the
// figures of an arbitrary job on an arbitrary sensor, a showpiece at any camera angle and
// overlap, and the untracked figures at any declination and suggested exposure. Only the
// program's own errors escape; a box either reads a number in its range or says why not;
// seconds are written with two significant figures, never in exponent notation.

#include "FuzzChecks.h"

#include "field/Framing.h"
#include "field/Tracking.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <regex>

namespace {

const std::regex Seconds("[0-9]+(\\.[0-9]+)? s");

void CheckBoxes(FuzzedDataProvider& data)
{
    const std::string across = data.ConsumeRandomLengthString(24);
    const std::string down = data.ConsumeRandomLengthString(24);
    const std::string microns = data.ConsumeRandomLengthString(24);
    std::string refusal;
    const std::optional<Sensor> sensor = ReadSensor(across, down, microns, refusal);
    Expect(sensor.has_value() == refusal.empty(), "a sensor, or a refusal that says why", refusal);
    if (sensor)
        Expect(sensor->PixelsAcross >= 1 && sensor->PixelsAcross <= 100000 && sensor->PixelsDown >= 1
                   && sensor->PixelsDown <= 100000 && sensor->PixelMicrons >= 0.5 && sensor->PixelMicrons <= 50,
               "a sensor within the boxes' limits", across + "|" + down + "|" + microns);

    const std::string text = data.ConsumeRandomLengthString(24);
    refusal.clear();
    const std::optional<double> declination = ReadDeclination(text, refusal);
    Expect(declination.has_value() == refusal.empty(), "a declination, or a refusal", text);
    if (declination)
        Expect(*declination >= -90 && *declination <= 90, "a declination from -90 to 90", text);
}

void CheckFigures(FuzzedDataProvider& data)
{
    const double efl = data.ConsumeFloatingPoint<double>();
    const double aperture = data.ConsumeFloatingPoint<double>();
    Sensor sensor = SensorPresets.at(data.ConsumeIntegralInRange<std::size_t>(0, SensorPresets.size() - 1)).Model;
    if (data.ConsumeBool())
        sensor = {false, static_cast<double>(data.ConsumeIntegralInRange(1, 100000)),
                  static_cast<double>(data.ConsumeIntegralInRange(1, 100000)), data.ConsumeFloatingPointInRange(0.5, 50.0)};
    const Showpiece& target = Showpieces().at(data.ConsumeIntegralInRange<std::size_t>(0, Showpieces().size() - 1));
    const int angle = data.ConsumeIntegralInRange(0, 359);
    const int overlap = data.ConsumeIntegralInRange(0, 50);
    const double declination = data.ConsumeFloatingPointInRange(-90.0, 90.0);
    const bool computed = data.ConsumeBool();
    const double seconds = data.ConsumeFloatingPoint<double>();
    // As the exposure calculator hands it on: the seconds beside the words it shows for them.
    const TrailExposure exposure{computed, seconds, data.ConsumeFloatingPoint<double>(), ExposureText(seconds)};
    // The window computes only for a job above zero, as it says otherwise.
    if (!(efl > 0 && aperture > 0))
        return;

    SensorFieldFigures figures;
    if (!OnlyOwnErrors([&] { figures = ComputeSensorField(efl, aperture, sensor); }))
        return;
    OnlyOwnErrors([&] { MoonMosaic(figures.Sizes.MoonMm, figures.Sizes.FrameWidthMm, figures.Sizes.FrameHeightMm, overlap); });
    TargetFraming framing;
    if (OnlyOwnErrors([&] { framing = FrameTarget(efl, sensor, target, angle, overlap); })) {
        const TargetSizes& s = framing.Sizes;
        Expect(s.Columns >= 1 && s.Rows >= 1 && std::isfinite(s.Columns) && std::isfinite(s.Rows), "a mosaic of at least 1 x 1",
               framing.Texts.Mosaic);
        Expect(!framing.Fits || (s.Columns == 1 && s.Rows == 1), "a target that fits takes one panel", framing.Texts.Mosaic);
    }
    TrackingTexts tracking;
    OnlyOwnErrors([&] { tracking = ComputeTracking(efl, aperture, sensor, declination, exposure); });
}

void CheckSeconds(double seconds)
{
    std::string text;
    if (!OnlyOwnErrors([&] { text = SignificantSeconds(seconds); }))
        return;
    Expect(std::regex_match(text, Seconds), "seconds in plain digits", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    CheckBoxes(data);
    CheckSeconds(data.ConsumeFloatingPoint<double>());
    CheckFigures(data);
    return 0;
}
