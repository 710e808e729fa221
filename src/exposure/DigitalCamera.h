#pragma once

#include "field/SensorField.h"
#include "optics/OpticalJob.h"
#include "sky/TargetFinder.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

//! What a camera of a sensor preset typically brings: whether it sees colour through a Bayer
//! mask, its read noise and its quantum efficiency. Manufacturers and reviewers quote ranges;
//! these are middle figures, for the user to replace with their own camera's.
struct TypicalCamera
{
    bool Colour = true;
    double ReadNoise = 0;                //!< electrons
    double QuantumEfficiencyPercent = 0; //!< at the peak of the sensor's response
};

//! The typical figures of each entry of SensorPresets, by the same index; none for the film frame.
inline constexpr std::array<std::optional<TypicalCamera>, SensorPresets.size()> TypicalCameras{{
    std::nullopt,              // 35-mm film
    TypicalCamera{true, 3.0, 50},  // full-frame camera
    TypicalCamera{true, 2.5, 50},  // APS-C camera
    TypicalCamera{true, 2.5, 50},  // APS-C camera, 1.6x crop
    TypicalCamera{true, 3.0, 50},  // Four Thirds camera
    TypicalCamera{false, 1.5, 80}, // cooled astronomy camera
    TypicalCamera{false, 1.5, 80}, // square astronomy camera
    TypicalCamera{true, 1.0, 80},  // planetary camera
}};

//! What the boxes hold before a sensor brings figures of its own: an everyday camera's.
inline constexpr TypicalCamera StartingCamera = *TypicalCameras[1];

//! The filters offered, in the order of the list. A colour sensor has its own red, green and
//! blue filters on its pixels, so those three are for a monochrome sensor only, and a colour
//! sensor without a filter sees the same band as luminance. The narrowband filter is known by
//! its width alone: whichever line it passes, the pixels that take it take it whole, so the
//! figures are the same for every line; only which pixels those are differs.
struct CameraFilter
{
    const char* Name;
    const char* NameOnColour; //!< what the entry reads on a colour sensor
    double WidthNm;           //!< 0 for narrowband: the width comes from its own box
    bool MonochromeOnly;
};

inline constexpr std::array<CameraFilter, 5> CameraFilters{{
    {"luminance, 400\u2013700 nm", "none, 400\u2013700 nm", 300, false},
    {"red, 100 nm", "red, 100 nm", 100, true},
    {"green, 100 nm", "green, 100 nm", 100, true},
    {"blue, 100 nm", "blue, 100 nm", 100, true},
    {"narrowband", "narrowband", 0, false},
}};
inline constexpr std::size_t NarrowbandFilter = 4;

//! What the window says behind a narrowband filter on a colour sensor, whose Bayer mask lets
//! the line through to the pixels of its own colour only.
inline constexpr const char* NarrowbandOnColourNote =
    "On a colour sensor only the pixels of the line's colour take it: the red ones, one in four, for "
    "hydrogen-alpha and sulphur; the green ones, two in four, for oxygen III. The rates above are theirs.";

//! Whether the showpiece of catalogue entry `entry` ("NGC1976") shines in the lines that
//! narrowband filters pass: an emission, planetary or supernova-remnant nebula, or the
//! Horsehead, seen against the glowing IC 434.
bool EmissionNebula(std::string_view entry);
//! The same for a target of the field window (none: the Moon and Jupiter): a showpiece by the
//! rule above; any other object of the catalogue by its type (sky/Catalogue.h,
//! IsEmissionNebula); a point typed as coordinates never.
bool EmissionTarget(const std::optional<SkyTarget>& target);

//! The sky as a sky-quality meter reads it at each class of the Bortle scale, for the sky box's
//! list: the number first, so the box reads it like a number of the user's own.
inline constexpr std::array<const char*, 8> SkyQualityPresets{
    "21.8  Bortle 1, excellent dark site",
    "21.6  Bortle 2, typical truly dark site",
    "21.4  Bortle 3, rural sky",
    "20.8  Bortle 4, rural/suburban transition",
    "19.8  Bortle 5, suburban sky",
    "18.6  Bortle 6, bright suburban sky",
    "18.0  Bortle 7, suburban/urban transition",
    "17.5  Bortle 8 and 9, city sky",
};

//! What the boxes of the window hold at first.
inline constexpr const char* SkyInitialText = "21.0";
inline constexpr const char* NarrowbandInitialText = "7";
inline constexpr const char* ObstructionInitialText = "0";
inline constexpr const char* RiseInitialText = "5";
inline constexpr const char* SignalToNoiseInitialText = "10";

//! The boxes of the window that hold one number.
enum class CameraBox {
    ReadNoise,         //!< electrons, 0 to 50; "e", "e-" or "e⁻" may follow
    QuantumEfficiency, //!< percent, 1 to 100; "%" may follow
    SkyBrightness,     //!< magnitudes per square arcsecond, 10 to 25: the leading number of the text
    NarrowbandWidth,   //!< nm, 3 to 30; "nm" may follow
    Obstruction,       //!< percent of the aperture's diameter, 0 to 80; "%" may follow
    ReadNoiseRise,     //!< percent the read noise may add to the sky's noise, 1 to 25; "%" may follow
    SignalToNoise,     //!< 1 to 1000
    OwnSubExposure,    //!< seconds, 0.001 to 3600; "s" may follow; empty: none, and no refusal
};

//! Reads one box as the field window reads its boxes: one number with blanks around it and
//! optionally its unit (the sky box: the first word of its text, so that a list item reads as
//! its number). Returns it, or in `refusal` a sentence short enough to stand beside the box;
//! an optional box left empty gives none with no refusal.
std::optional<double> ReadCameraBox(CameraBox box, const std::string& text, std::string& refusal);

//! Everything the camera's figures are computed from. The optional figures are those only
//! some rows need: where one is missing, those rows read "—" and the others are still given.
struct CameraSetup
{
    double ApertureMm = 0;
    double FocalLengthMm = 0; //!< the effective focal length
    double PixelMicrons = 0;
    double ObstructionPercent = 0; //!< of the aperture's diameter
    bool Colour = false;
    double QuantumEfficiencyPercent = 0;
    double FilterWidthNm = 0;
    bool Narrowband = false;
    double SkyBrightness = 0; //!< magnitudes per square arcsecond
    std::optional<double> ObjectBrightness; //!< the object's surface brightness m''
    std::optional<double> ReadNoise;        //!< electrons
    std::optional<double> ReadNoiseRisePercent;
    std::optional<double> SignalToNoise;
    //! Whether the object's light is in the line a narrowband filter passes, as an emission
    //! nebula's is: behind one it then keeps all of it, where a galaxy's is cut with the sky's.
    bool EmissionNebula = false;
    std::optional<double> OwnSubExposure; //!< seconds: the frames the user means to take
};

//! The object's brightness taken, in magnitudes per square arcsecond: the exposure calculator
//! refuses anything brighter, and nothing fainter is ever photographed. Beyond, the object's
//! rows read "—" rather than a rate dozens of digits long.
inline constexpr double BrightestObject = -20;
inline constexpr double FaintestObject = 35;

//! The window's four figures as text.
struct CameraTexts
{
    std::string Sky;         //!< "1.25 e⁻ per pixel per second"
    std::string Object;      //!< the same for the object
    std::string SubExposure; //!< "18 s: read noise then adds 5%"
    std::string Total;       //!< "42 frames of 18 s, 13 min in all"
    //! "3 frames of 300 s, 15 min in all; read noise adds 0.3%" for the user's own
    //! sub-exposure; empty where none is given
    std::string OwnTotal;
};

//! The figures of a setup. Photons arrive at F₀ = 1000 s⁻¹ cm⁻² Å⁻¹ from magnitude 0 (the V
//! zero point of Bessell, Castelli & Plez 1998, 3.63e-9 erg s⁻¹ cm⁻² Å⁻¹ at 550 nm, rounded as
//! capture tools round it) over the filter's width, on the collecting area π (D/20)² (1 - o²)
//! cm² and on a pixel of (206.265 p / f)² square arcseconds, times the quantum efficiency; a
//! colour sensor's pixel takes a third of it through a broad band, and behind a narrowband
//! filter the pixels that take the line take it whole: the rates are theirs. An emission
//! nebula behind a narrowband filter keeps the luminance band's photons, all in its line.
//! The shortest sub-exposure t = C R² / P with C = 1 / ((1 + a)² - 1) lets the read noise R add
//! the fraction a to the sky's noise; the total T = N² (S + P + R² / t) / S² gives the
//! signal-to-noise ratio N per pixel, taken in whole frames of t as shown, and likewise in
//! frames of the user's own length L, whose read noise adds √(1 + R² / (P L)) - 1. Arithmetic
//! errors are thrown as everywhere in the program.
CameraTexts ComputeCamera(const CameraSetup& setup);

//! The smallest number of frames of `frame` seconds whose sum reaches `total` seconds, a sum
//! within a relative 1e-9 of it counting as reaching it, so that a quotient an ulp above a
//! whole number does not cost a frame. At least one.
long long FramesFor(long double total, long double frame);

//! A total time: whole seconds below 59.5 s ("under 1 s" below half a second), whole minutes
//! below 119.5 min, then hours with one decimal up to 100 hours, "over 100 hours" beyond;
//! halves away from zero on the decimal value, as SignificantFigures takes them.
std::string TotalTimeText(double seconds);

//! The caption of the total's row, following the signal-to-noise box.
std::string TotalCaptionText(std::optional<double> signalToNoise);

//! The top rows: what the window takes from the other windows, as it shows it. The brightness
//! reads "—" while the exposure calculator's last recalculation stopped at `calculatorError`.
std::string BrightnessText(std::optional<double> brightness, const std::string& calculatorError);
std::string JobText(const ReportedJob& job);
//! `preset` indexes SensorPresets; -1 is the user's own sensor.
std::string SensorText(const std::optional<Sensor>& sensor, int preset);
