#include "optics/SensorField.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"

#include <algorithm>
#include <cmath>

namespace {

//! The Dawes limit: 116 arc-seconds divided by the aperture in mm.
constexpr long double DawesArcSecondMm = 116;

//! What a figure that needs pixels reads for film.
constexpr const char* NoPixels = "\u2014";

double Millimetres(double pixels, double microns)
{
    return Narrow(pixels * static_cast<long double>(microns) / 1000);
}

//! Reads one box: a number from `low` to `high`, a whole one where `whole` is set.
bool ReadBox(const std::string& text, double low, double high, bool whole, double& value)
{
    try {
        value = ParseLeadingNumber(text);
    } catch (const ConversionError&) {
        return false;
    } catch (const OverflowError&) {
        return false; // far out of range: refused like any other
    }
    return value >= low && value <= high && (!whole || value == std::floor(value));
}

//! How well the pixels sample the telescope's resolving power (not the seeing).
const char* SamplingReading(double pixelsAcrossLimit)
{
    if (pixelsAcrossLimit < 1)
        return "coarse";
    if (pixelsAcrossLimit < 2)
        return "under-sampled";
    if (pixelsAcrossLimit <= 3)
        return "well matched";
    return "over-sampled";
}

std::string Arcminutes(double degrees)
{
    return FormatFixed(15, 1, Narrow(degrees * 60.0L)) + "'";
}

} // namespace

double Sensor::WidthMm() const
{
    return Film ? FilmFrameWidthMm : Millimetres(PixelsAcross, PixelMicrons);
}

double Sensor::HeightMm() const
{
    return Film ? FilmFrameHeightMm : Millimetres(PixelsDown, PixelMicrons);
}

std::optional<Sensor> ReadSensor(const std::string& pixelsAcross, const std::string& pixelsDown,
                                 const std::string& pixelMicrons, std::string& refusal)
{
    Sensor sensor{false, 0, 0, 0};
    if (!ReadBox(pixelsAcross, 1, 100000, true, sensor.PixelsAcross))
        refusal = "Pixels across must be a whole number from 1 to 100,000.";
    else if (!ReadBox(pixelsDown, 1, 100000, true, sensor.PixelsDown))
        refusal = "Pixels down must be a whole number from 1 to 100,000.";
    else if (!ReadBox(pixelMicrons, 0.5, 50, false, sensor.PixelMicrons))
        refusal = "The pixel size must be a number from 0.5 to 50 \u00B5m.";
    else
        return sensor;
    return std::nullopt;
}

std::string FrameText(const Sensor& sensor)
{
    return FormatFixed(15, 2, sensor.WidthMm()) + " x " + FormatFixed(15, 2, sensor.HeightMm()) + " mm";
}

SensorFieldFigures ComputeSensorField(double efl, double aperture, const Sensor& sensor)
{
    const double width = sensor.WidthMm();
    const double height = sensor.HeightMm();
    const double diagonal = Narrow(std::hypot(static_cast<long double>(width), static_cast<long double>(height)));

    SensorFieldFigures figures;
    SensorFieldTexts& texts = figures.Texts;
    texts.Frame = FrameText(sensor);
    // As the report writes angles: across the height first, then across the width.
    const double acrossHeight = SubtendedDegrees(efl, height);
    const double acrossWidth = SubtendedDegrees(efl, width);
    const double acrossDiagonal = SubtendedDegrees(efl, diagonal);
    texts.Field = DegreesText(acrossHeight) + " x " + DegreesText(acrossWidth) + ", diagonal " + DegreesText(acrossDiagonal);
    texts.FieldArcminutes = Arcminutes(acrossHeight) + " x " + Arcminutes(acrossWidth) + ", diagonal " + Arcminutes(acrossDiagonal);

    const double dawes = Narrow(Divide(DawesArcSecondMm, aperture));
    texts.ResolvingPower = FormatFixed(15, 2, dawes) + " arcsec";

    const double moon = MoonImageMm(efl);
    const double jupiterSmallest = JupiterImageMm(efl, false);
    const double jupiterLargest = JupiterImageMm(efl, true);
    texts.Moon = FormatFixed(15, 1, moon) + " mm";
    texts.Jupiter = FormatFixed(15, 2, jupiterSmallest) + " to " + FormatFixed(15, 2, jupiterLargest) + " mm";

    bool moonFits = true;
    if (sensor.Film) {
        // The report's own rule, so that the two windows never disagree.
        moonFits = !MoonTooBigForFilm(efl);
        texts.MoonFits = moonFits ? "Yes" : "No, too big for 35-mm film";
        texts.ImageScale = texts.Sampling = texts.MoonPixels = texts.JupiterPixels = NoPixels;
    } else {
        const double shorterSide = std::min(width, height);
        moonFits = moon <= shorterSide;
        const std::string difference = FormatFixed(15, 1, Narrow(std::abs(static_cast<long double>(shorterSide) - moon)));
        texts.MoonFits = moonFits ? "Yes, " + difference + " mm to spare" : "No, " + difference + " mm too large";

        const long double pixelMm = sensor.PixelMicrons / 1000.0L;
        const double scale = Narrow(Divide(ArcSecondsPerRadian * pixelMm, efl));
        texts.ImageScale = FormatFixed(15, 2, scale) + " arcsec per pixel";
        const double sampling = Narrow(Divide(dawes, scale));
        texts.Sampling = FormatFixed(15, 1, sampling) + ", " + SamplingReading(sampling);
        texts.MoonPixels = FormatFixed(15, 0, Narrow(Divide(moon, pixelMm)));
        texts.JupiterPixels = FormatFixed(15, 1, Narrow(Divide(jupiterSmallest, pixelMm))) + " to "
                              + FormatFixed(15, 1, Narrow(Divide(jupiterLargest, pixelMm)));
    }
    figures.Sizes = {sensor.Film, width, height, moon, jupiterLargest, moonFits};
    return figures;
}
