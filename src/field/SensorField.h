#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

//! A camera's sensor, or the 35-mm film frame. A digital sensor is given by its pixels and
//! their size; its width and height follow.
struct Sensor
{
    bool Film = true;
    double PixelsAcross = 0;
    double PixelsDown = 0;
    double PixelMicrons = 0; //!< the pixel pitch, in micrometres

    double WidthMm() const;
    double HeightMm() const;
};

struct SensorPreset
{
    const char* Name;
    Sensor Model;
};

//! The sensors offered, the film frame first.
inline constexpr std::array<SensorPreset, 8> SensorPresets{{
    {"35-mm film frame (36 x 24 mm)", {true, 0, 0, 0}},
    {"Full-frame camera, 24 MP", {false, 6000, 4000, 6.0}},
    {"APS-C camera, 24 MP", {false, 6000, 4000, 3.9}},
    {"APS-C camera (1.6x crop), 24 MP", {false, 6000, 4000, 3.72}},
    {"Four Thirds camera, 20 MP", {false, 5184, 3888, 3.3}},
    {"Cooled astronomy camera, APS-C, 26 MP", {false, 6248, 4176, 3.76}},
    {"Astronomy camera, square, 9 MP", {false, 3008, 3008, 3.76}},
    {"Planetary camera, 2 MP", {false, 1920, 1080, 2.9}},
}};

//! Lengths this close count as equal: an extent that fills a side exactly, with the rounding
//! of its tangent and sine, still fits.
inline constexpr long double FitTolerance = 1e-9L;

//! Whether an image `extent` mm long fits a side `side` mm long: equal fits, within the
//! tolerance. The Moon's row, its mosaic and every target's fit use this one rule.
inline bool FitsWithin(long double extent, long double side)
{
    return extent <= side * (1 + FitTolerance);
}

//! What a figure of the field window reads where it cannot be given: one needing pixels on
//! film, or any figure of a job that cannot be drawn.
inline constexpr const char* NoFigure = "\u2014";

//! What the sensor list reads once the user has typed a sensor of their own.
inline constexpr const char* OwnSensorName = "Your own sensor";

//! Reads a digital sensor from the texts of its three boxes. Each box holds one number, blanks
//! around it allowed, optionally followed by its unit ("px"; "µm" or "um"). Returns the
//! sensor, or in `refusal` a plain sentence on the first box that holds anything else or a
//! number out of range (a whole number of pixels from 1 to 100000; a pixel size from 0.5 to
//! 50 micrometres), saying how to write it where a separator or a decimal comma was typed.
std::optional<Sensor> ReadSensor(const std::string& pixelsAcross, const std::string& pixelsDown,
                                 const std::string& pixelMicrons, std::string& refusal);

//! The sensor the field window's list and boxes give: the film frame where the list's entry
//! `preset` is film, else the three boxes read as ReadSensor reads them (a digital preset fills
//! them, the user's own sensor is typed into them).
std::optional<Sensor> ChosenSensor(int preset, const std::string& pixelsAcross, const std::string& pixelsDown,
                                   const std::string& pixelMicrons, std::string& refusal);

//! What the field window shows of one job on one sensor, as text. Pixel figures read "—"
//! for film.
struct SensorFieldTexts
{
    std::string Frame;            //!< "23.49 x 15.70 mm"
    std::string Field;            //!< across the height, across the width, and the diagonal
    std::string FieldArcminutes;  //!< the same three in arcminutes
    std::string ImageScale;       //!< arcseconds per pixel
    std::string ResolvingPower;   //!< the Dawes limit of the aperture
    std::string Sampling;         //!< pixels across the Dawes limit, and what that means for it
    std::string Moon;             //!< the Moon's image in mm
    std::string MoonPixels;
    std::string Jupiter;          //!< Jupiter's image in mm, smallest to largest, and the report's word where it is too small
    std::string JupiterPixels;
    std::string MoonFits;         //!< whether the Moon's image fits the frame's shorter side, and by how much
};

//! The sizes the picture is drawn from, in mm.
struct SensorFieldSizes
{
    bool Film = true;
    double FrameWidthMm = 0;
    double FrameHeightMm = 0;
    double MoonMm = 0;
    double JupiterLargestMm = 0;
    bool MoonFits = true;

    bool operator==(const SensorFieldSizes&) const = default;
};

struct SensorFieldFigures
{
    SensorFieldTexts Texts;
    SensorFieldSizes Sizes;
};

//! The frame of a sensor alone, as the figures write it.
std::string FrameText(const Sensor& sensor);

//! The figures of the job with effective focal length `efl` and aperture `aperture` (mm, both
//! above zero) on `sensor`. Arithmetic errors are thrown as everywhere in the program.
SensorFieldFigures ComputeSensorField(double efl, double aperture, const Sensor& sensor);
