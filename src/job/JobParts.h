#pragma once

#include <QString>

#include <cstddef>
#include <optional>

//! The parts of a job, one for each window that keeps one: each window writes its own part and
//! takes it back itself, so that nothing else reaches into its boxes. Lists are kept by stable
//! names, never by their positions, so that a later version may add entries; text boxes are
//! kept as they stand and read again as if typed.
namespace Job {

//! The exposure calculator's five boxes.
struct Exposure
{
    QString Brightness;
    QString FilmSpeed;
    QString Reciprocity;
    QString FilterFactor;
    QString FRatio;
    bool operator==(const Exposure&) const = default;
};

//! The telescope window: its preset by the list's text (empty where none is picked), its two
//! boxes and the units they are written in: "in", "cm" or "mm".
struct Telescope
{
    QString Preset;
    QString Aperture;
    QString ApertureUnit;
    QString FocalLength;
    QString FocalLengthUnit;
    bool operator==(const Telescope&) const = default;
};

//! The boxes of the six configuration windows, as they stand.
struct Configurations
{
    QString CameraLensFocalLength; //!< camera lens alone
    QString CameraLensFRatio;
    QString TeleconverterMagnification;
    QString CompressionMagnification;
    QString AfocalCameraLens;
    QString AfocalEyepiece;
    QString BarlowFocalLength;
    QString BarlowDistance;
    QString EyepieceFocalLength;
    QString EyepieceDistance;
    bool operator==(const Configurations&) const = default;
};

//! The optical job the wizard last completed, as it stands (the wizard computes a job only on
//! "Next >>", so it is kept, not recomputed from the boxes). Lengths in mm, each at least
//! 0.001 either way; all three 0, with empty texts, where the wizard has completed no job.
struct Optics
{
    double TelescopeFocalLengthMm = 0;
    double EffectiveFocalLengthMm = 0;
    double ApertureMm = 0;
    QString ConfigurationText;
    QString TelescopeLine;
    bool operator==(const Optics&) const = default;
};

//! The field window: its sensor by the list's text (a preset's name, or "Your own sensor"
//! with the three boxes), its target by catalogue entry ("NGC0224", "B033"; "moon-jupiter" for
//! the Moon and Jupiter) or a point by its coordinates ("RA 5.5881389h, Dec -5.3911111°"), camera angle (0 to 359), overlap (0 to 50) and declination box.
struct Field
{
    QString Sensor;
    QString PixelsAcross;
    QString PixelsDown;
    QString PixelSize;
    QString Target;
    int CameraAngle = 0;
    int Overlap = 0;
    QString Declination;
    bool operator==(const Field&) const = default;
};

//! The Tonight window: its place boxes, its time zone (empty: the opening machine's own),
//! target as in the field window, and lowest altitude (0 to 80). Never its date: a job opened
//! another day plans that day.
struct Tonight
{
    QString Latitude;
    QString Longitude;
    QString Zone;
    QString Target;
    int LowestAltitude = 0;
    bool operator==(const Tonight&) const = default;
};

//! The Digital Camera window's inputs; the filter by name: "luminance", "red", "green", "blue"
//! or "narrowband". The read noise, quantum efficiency and colour follow the field window's
//! sensor and the emission box its target until the user sets them: the job keeps which the
//! user set. A file written before jobs kept that says nothing of the first three (none), and
//! the window judges them by their figures, as it did then.
struct Camera
{
    QString ReadNoise;
    QString QuantumEfficiency;
    bool Colour = false;
    QString SkyBrightness;
    QString Filter;
    QString NarrowbandWidth;
    QString Obstruction;
    QString ReadNoiseRise;
    QString SignalToNoise;
    std::optional<bool> ReadNoiseByUser;
    std::optional<bool> QuantumEfficiencyByUser;
    std::optional<bool> ColourByUser;
    bool EmissionNebula = false;
    bool EmissionNebulaByUser = false;
    QString SubExposure; //!< the user's own sub-exposure box
    bool operator==(const Camera&) const = default;
};

//! The configuration chosen in the wizard, by name, in the order of the choice's buttons.
inline constexpr const char* ConfigurationNames[] = {"camera-lens", "prime-focus", "afocal", "compression",
                                                      "teleconverter", "barlow", "eyepiece-projection"};

//! The units of the telescope window's boxes, in the order of its unit buttons.
inline constexpr const char* UnitNames[] = {"in", "cm", "mm"};

//! The Digital Camera window's filters by name, in the order of its filter list: the list's
//! own texts carry their widths and change with the sensor, so a file keeps these instead.
inline constexpr const char* FilterNames[] = {"luminance", "red", "green", "blue", "narrowband"};

//! The stable name of the Moon and Jupiter where a target is named by catalogue entry.
inline constexpr const char* MoonAndJupiter = "moon-jupiter";

//! The place of `name` among `names`, or -1 where it is none of them.
template <std::size_t N>
int IndexOf(const char* const (&names)[N], const QString& name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return static_cast<int>(i);
    return -1;
}

} // namespace Job
