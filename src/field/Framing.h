#pragma once

#include "sky/Showpieces.h"
#include "sky/TargetFinder.h"
#include "field/SensorField.h"

#include <optional>
#include <string>

//! How many panels of `side` mm, each overlapping the next by the fraction `overlap` (0 to
//! 0.5), cover `extent` mm: the smallest whole n >= 1 with n * side - (n - 1) * overlap * side
//! >= extent, where an extent equal to the cover within a relative 1e-9 needs no further panel.
//! A count beyond the double range is an overflow.
double PanelsToCover(double extent, double side, double overlap);

//! "a mosaic of 3 x 2 panels at 20% overlap": columns across the frame's width, then rows.
std::string MosaicText(double columns, double rows, int overlapPercent);

//! The camera angle, 0 to 179 degrees, that lays an elongated target's major axis along the
//! frame's longer side: (PA - 90) mod 180 on a frame at least as wide as high, PA mod 180 on
//! a higher one. None for a round target or one whose orientation is not catalogued.
std::optional<int> SuggestedCameraAngle(const Showpiece& target, double frameWidthMm, double frameHeightMm);

//! What the picture draws of a catalogue target, in mm and degrees.
struct TargetSizes
{
    double MajorMm = 0;     //!< the ellipse as drawn and fitted: a circle of the major axis
    double MinorMm = 0;     //!< where the orientation is not catalogued
    double TiltDegrees = 0; //!< the major axis, counter-clockwise from the frame's up direction
    double AcrossMm = 0;    //!< its extent across the frame's width
    double DownMm = 0;      //!< and across its height
    double Columns = 1;     //!< the mosaic that takes it; 1 x 1 where it fits the frame
    double Rows = 1;
    double Overlap = 0;     //!< between panels, as a fraction
    int CameraAngle = 0;    //!< the frame's up direction, degrees from north through east
    std::string Label;      //!< its short name, for a mark too small to see
    //! No size to draw: a mark at the frame's centre, the same at any scale, and its label.
    bool Marked = false;

    bool operator==(const TargetSizes&) const = default;
};

//! What the target rows say that need a size where the catalogue gives none: for an object
//! without axes, and for a point typed as coordinates.
inline constexpr const char* NoSizeText = "The catalogue gives no size for it.";

//! What the field window writes of a catalogue target.
struct TargetTexts
{
    std::string Image;  //!< major x minor axis of its image, mm
    std::string Pixels; //!< its major axis in pixels; "—" on film
    std::string Across; //!< its extents across the frame's width and height at the camera angle
    std::string Fits;   //!< whether it fits, and how much of the frame it fills
    std::string Mosaic; //!< the mosaic it takes, or that none is needed
    std::string Camera; //!< how to turn the camera, or why the angle does not matter
};

struct TargetFraming
{
    TargetTexts Texts;
    TargetSizes Sizes;
    bool Fits = true;
};

//! A catalogue target framed at effective focal length `efl` (mm, above zero) on `sensor`,
//! the camera turned to `cameraAngle` degrees, a mosaic's panels overlapping by
//! `overlapPercent`. Arithmetic errors are thrown as everywhere in the program.
TargetFraming FrameTarget(double efl, const Sensor& sensor, const Showpiece& target, int cameraAngle, int overlapPercent);

//! The shape FrameTarget frames of a target: a showpiece's own record, which keeps its own sizes
//! and list text; else one built from the catalogue's figures: its major axis, its minor axis
//! or the major again where it gives none, its position angle where it gives one, its list text
//! as the name. None for a point, and for an object the catalogue gives no major axis for.
//! Reads the showpieces.
std::optional<Showpiece> FramedShape(const SkyTarget& target);

//! A target without a size, marked at the frame's centre and labelled `label`: the rows that
//! need a size (its image, whether it fits, the mosaic) say NoSizeText, the others "—".
TargetFraming MarkTarget(const std::string& label, int cameraAngle, int overlapPercent);

//! Any target framed: FrameTarget with its FramedShape where it has one, else MarkTarget with
//! its short name (a point's whole list text, which is its only name).
TargetFraming FrameSkyTarget(double efl, const Sensor& sensor, const SkyTarget& target, int cameraAngle, int overlapPercent);

//! The Moon's own mosaic line, for an image of `moonMm` on a frame of the given sides: what
//! FrameTarget writes as Mosaic, for a round target of that size.
std::string MoonMosaic(double moonMm, double frameWidthMm, double frameHeightMm, int overlapPercent);
