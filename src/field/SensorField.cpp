#include "field/SensorField.h"

#include "numeric/Arithmetic.h"
#include "numeric/BoxReading.h"
#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <string_view>

namespace {

//! The Dawes limit: 116 arc-seconds divided by the aperture in mm.
constexpr long double DawesArcSecondMm = 116;

double Millimetres(double pixels, double microns)
{
    return Narrow(pixels * static_cast<long double>(microns) / 1000);
}

//! The units a box may name after its number: pixels, and micrometres with the micro sign,
//! the Greek mu or a plain "u".
constexpr std::array<std::string_view, 1> PixelUnits{"px"};
constexpr std::array<std::string_view, 3> MicronUnits{"\u00B5m", "\u03BCm", "um"};
using Units = std::span<const std::string_view>;

//! Reads one box: a single number from `low` to `high`, a whole one where `whole` is set,
//! optionally followed by one of `units`.
bool ReadBox(std::string_view text, Units units, double low, double high, bool whole, double& value)
{
    const std::optional<double> number = ReadBoxNumber(text, units);
    if (!number)
        return false;
    value = *number;
    return value >= low && value <= high && (!whole || value == std::floor(value));
}

//! How well the pixels sample the telescope's resolving power (not the seeing), read from the
//! ratio as the window shows it, so that one shown value always has one reading.
const char* SamplingReading(double shownRatio)
{
    if (shownRatio < 1)
        return "coarse";
    if (shownRatio < 2)
        return "under-sampled";
    if (shownRatio <= 3)
        return "well matched";
    return "over-sampled";
}

//! A margin or an overflow in mm with two decimals; an overflow too small to show reads as
//! below a hundredth, so that a Moon that does not fit never reads "0.00 mm too large".
std::string MoonMargin(double shorterSide, double moon)
{
    const double difference = Narrow(std::abs(static_cast<long double>(shorterSide) - moon));
    const std::string shown = FormatFixed(15, 2, difference);
    if (FitsWithin(moon, shorterSide))
        return "Yes, " + shown + " mm to spare";
    return shown == "0.00" ? "No, less than 0.01 mm too large" : "No, " + shown + " mm too large";
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
    // Each box holds one number and nothing else, so that "6 248" is never read as 6 pixels;
    // the message says how to write what was meant. The limits are written without
    // separators too, as the boxes want them.
    const auto pixelRefusal = [](const char* box, std::string_view text) {
        return std::string(box) + " must be a whole number from 1 to 100000"
               + (HasThousandsSeparator(WithoutUnit(text, PixelUnits)) ? ": write it without separators, e.g. 6248." : ".");
    };
    Sensor sensor{false, 0, 0, 0};
    if (!ReadBox(pixelsAcross, PixelUnits, 1, 100000, true, sensor.PixelsAcross))
        refusal = pixelRefusal("Pixels across", pixelsAcross);
    else if (!ReadBox(pixelsDown, PixelUnits, 1, 100000, true, sensor.PixelsDown))
        refusal = pixelRefusal("Pixels down", pixelsDown);
    else if (!ReadBox(pixelMicrons, MicronUnits, 0.5, 50, false, sensor.PixelMicrons))
        refusal = std::string("The pixel size must be a number from 0.5 to 50 \u00B5m")
                  + (HasDecimalComma(pixelMicrons) ? ": write it with a decimal point, e.g. 3.76." : ".");
    else
        return sensor;
    return std::nullopt;
}

std::optional<Sensor> ChosenSensor(int preset, const std::string& pixelsAcross, const std::string& pixelsDown,
                                   const std::string& pixelMicrons, std::string& refusal)
{
    const auto index = static_cast<std::size_t>(preset);
    if (preset >= 0 && index < SensorPresets.size() && SensorPresets[index].Model.Film)
        return SensorPresets[index].Model;
    return ReadSensor(pixelsAcross, pixelsDown, pixelMicrons, refusal);
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
    if (JupiterTooSmall(efl)) {
        // The report's words, with sizes in thousandths so that they never read "0.01 to 0.01".
        texts.Jupiter = FormatFixed(15, 3, jupiterSmallest) + " to " + FormatFixed(15, 3, jupiterLargest) + " mm ("
                        + JupiterTooSmallText + ")";
    } else {
        texts.Jupiter = FormatFixed(15, 2, jupiterSmallest) + " to " + FormatFixed(15, 2, jupiterLargest) + " mm";
    }

    // The geometry, for film as for a digital sensor: the Moon's image against the frame's
    // shorter side, by the rule every target is fitted by, equal fits. (The results report
    // keeps its rule of thumb for film, which leaves room to frame the Moon; this window
    // answers whether it fits.)
    const double shorterSide = std::min(width, height);
    const bool moonFits = FitsWithin(moon, shorterSide);
    texts.MoonFits = MoonMargin(shorterSide, moon);

    if (sensor.Film) {
        texts.ImageScale = texts.Sampling = texts.MoonPixels = texts.JupiterPixels = NoFigure;
    } else {
        const long double pixelMm = sensor.PixelMicrons / 1000.0L;
        const double scale = Narrow(Divide(ArcSecondsPerRadian * pixelMm, efl));
        texts.ImageScale = FormatFixed(15, 2, scale) + " arcsec per pixel";
        const std::string sampling = FormatFixed(15, 1, Narrow(Divide(dawes, scale)));
        texts.Sampling = sampling + ", " + SamplingReading(ParseLeadingNumber(sampling));
        texts.MoonPixels = FormatFixed(15, 0, Narrow(Divide(moon, pixelMm)));
        texts.JupiterPixels = FormatFixed(15, 1, Narrow(Divide(jupiterSmallest, pixelMm))) + " to "
                              + FormatFixed(15, 1, Narrow(Divide(jupiterLargest, pixelMm)));
    }
    figures.Sizes = {sensor.Film, width, height, moon, jupiterLargest, moonFits};
    return figures;
}
