#include "field/Framing.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"
#include "optics/OpticalResults.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

long double Radians(long double degrees)
{
    return degrees * std::numbers::pi_v<long double> / 180;
}

//! The image of an angle of `arcminutes` at focal length `efl`: 2 f tan(angle / 2), the same
//! exact rule as the field of view.
long double ImageMm(double efl, double arcminutes)
{
    return Checked(2 * static_cast<long double>(efl) * std::tan(Radians(arcminutes / 60.0L) / 2));
}

//! A length of the target rows, as the picture's labels write it: in hundredths of a mm, in
//! thousandths below a tenth, and never as zero.
std::string Mm(long double mm)
{
    if (mm < 0.0005L)
        return "less than 0.001";
    return FormatFixed(15, mm < 0.1L ? 3 : 2, Narrow(mm));
}

//! How much of the frame a target fills; a speck is "under 1%", never "0%".
std::string Percent(long double part, long double whole)
{
    const long double percent = Divide(part * 100, whole);
    return percent < 1 ? "under 1%" : FormatFixed(15, 0, Narrow(percent)) + "%";
}

//! The target's major axis in pixels; less than one is said so, never "0".
std::string Pixels(long double mm, double pixelMicrons)
{
    const long double pixels = Divide(mm * 1000, pixelMicrons);
    return pixels < 1 ? "less than 1" : FormatFixed(15, 0, Narrow(pixels));
}

//! The short name a mark too small to see is labelled with: the list text up to its first
//! comma or bracket ("M57", "Helix Nebula").
std::string ShortName(const std::string& name)
{
    const std::size_t end = name.find_first_of(",(");
    std::string shortName = name.substr(0, end);
    while (!shortName.empty() && shortName.back() == ' ')
        shortName.pop_back();
    return shortName;
}

//! Degrees reduced to 0 up to 360 (exclusive).
double Turned(double degrees)
{
    const double turned = std::fmod(degrees, 360.0);
    return turned < 0 ? turned + 360 : turned;
}

} // namespace

double PanelsToCover(double extent, double side, double overlap)
{
    // n (1 - o) side + o side >= extent, with the tolerance given to the extent.
    const long double step = (1 - static_cast<long double>(overlap)) * side;
    const long double needed = Divide(extent * (1 - FitTolerance) - overlap * static_cast<long double>(side), step);
    return Narrow(std::max(1.0L, std::ceil(Checked(needed))));
}

std::string MosaicText(double columns, double rows, int overlapPercent)
{
    return "a mosaic of " + FormatFixed(15, 0, columns) + " x " + FormatFixed(15, 0, rows) + " panels at "
           + std::to_string(overlapPercent) + "% overlap";
}

std::optional<int> SuggestedCameraAngle(const Showpiece& target, double frameWidthMm, double frameHeightMm)
{
    if (!target.Elongated() || !target.PositionAngle)
        return std::nullopt;
    const double along = frameWidthMm >= frameHeightMm ? *target.PositionAngle - 90 : *target.PositionAngle;
    return static_cast<int>(std::lround(Turned(along))) % 180;
}

TargetFraming FrameTarget(double efl, const Sensor& sensor, const Showpiece& target, int cameraAngle, int overlapPercent)
{
    const long double width = sensor.WidthMm();
    const long double height = sensor.HeightMm();
    const long double major = ImageMm(efl, target.MajorArcmin);
    const long double minor = ImageMm(efl, target.MinorArcmin);
    // Without a catalogued orientation the target is drawn and fitted as a circle of its major
    // axis: it then fits at any angle, and never falsely.
    const bool oriented = target.PositionAngle.has_value();
    const long double drawnMinor = oriented ? minor : major;
    const long double tilt = oriented ? *target.PositionAngle - cameraAngle : 0;

    // The turned ellipse's extents across the frame's width and its height, for semi-axes a, b
    // with the major axis at `tilt` from the frame's up direction.
    const long double a = major / 2;
    const long double b = drawnMinor / 2;
    const long double sine = std::sin(Radians(tilt));
    const long double cosine = std::cos(Radians(tilt));
    const long double across = Checked(2 * std::sqrt(a * a * sine * sine + b * b * cosine * cosine));
    const long double down = Checked(2 * std::sqrt(a * a * cosine * cosine + b * b * sine * sine));

    TargetFraming framing;
    framing.Fits = FitsWithin(across, width) && FitsWithin(down, height);
    TargetTexts& texts = framing.Texts;
    texts.Image = target.Elongated() ? Mm(major) + " x " + Mm(minor) + " mm" : Mm(major) + " mm across";
    texts.Pixels = sensor.Film ? NoFigure : Pixels(major, sensor.PixelMicrons);
    texts.Across = Mm(across) + " x " + Mm(down) + " mm";

    TargetSizes& sizes = framing.Sizes;
    sizes = {Narrow(major), Narrow(drawnMinor), Narrow(tilt), Narrow(across), Narrow(down), 1, 1,
             overlapPercent / 100.0, cameraAngle, ShortName(target.Name), false};
    if (framing.Fits) {
        texts.Fits = "Yes, it fills " + Percent(across, width) + " x " + Percent(down, height) + " of the frame";
        texts.Mosaic = "Not needed";
    } else {
        sizes.Columns = PanelsToCover(sizes.AcrossMm, Narrow(width), sizes.Overlap);
        sizes.Rows = PanelsToCover(sizes.DownMm, Narrow(height), sizes.Overlap);
        texts.Fits = "No";
        texts.Mosaic = MosaicText(sizes.Columns, sizes.Rows, overlapPercent);
        if (!oriented && target.Elongated()) {
            // Covered as a circle, since nobody knows which way it lies; the photographer who
            // finds out can lay its length along the frame's longer side, and may need fewer.
            const bool landscape = width >= height;
            const double columns = PanelsToCover(Narrow(landscape ? major : minor), Narrow(width), sizes.Overlap);
            const double rows = PanelsToCover(Narrow(landscape ? minor : major), Narrow(height), sizes.Overlap);
            if (columns * rows < sizes.Columns * sizes.Rows)
                texts.Mosaic += " (" + FormatFixed(15, 0, columns) + " x " + FormatFixed(15, 0, rows)
                                + " if its length lies along the longer side)";
        }
    }

    if (const std::optional<int> suggested = SuggestedCameraAngle(target, sensor.WidthMm(), sensor.HeightMm())) {
        const std::string angle = std::to_string(*suggested) + DegreeSign;
        texts.Camera = cameraAngle % 180 == *suggested ? "At " + std::to_string(cameraAngle) + DegreeSign
                                                             + " its major axis lies along the longer side"
                                                       : "Turn the camera to " + angle + " to lay it along the longer side";
    } else if (target.Elongated()) {
        texts.Camera = "Orientation not catalogued: drawn as a circle";
        const long double longer = std::max(width, height);
        const long double shorter = std::min(width, height);
        if (!framing.Fits && FitsWithin(major, longer) && FitsWithin(minor, shorter))
            texts.Camera += "; fits if the camera is turned to lay it along the longer side";
    } else {
        texts.Camera = "Round: it frames alike at any angle";
    }
    return framing;
}

std::optional<Showpiece> FramedShape(const SkyTarget& target)
{
    if (!target.Object)
        return std::nullopt;
    if (const Showpiece* showpiece = ShowpieceOf(target))
        return *showpiece;
    const SkyObject& object = *target.Object;
    const std::optional<double> major = object.MajorArcmin();
    if (!major)
        return std::nullopt;
    return Showpiece{target.ListText,
                     std::string(object.Entry()),
                     *major,
                     object.MinorArcmin().value_or(*major),
                     object.PositionAngle(),
                     object.RightAscension(),
                     object.Declination()};
}

TargetFraming MarkTarget(const std::string& label, int cameraAngle, int overlapPercent)
{
    TargetFraming framing;
    framing.Texts = {NoSizeText, NoFigure, NoFigure, NoSizeText, NoSizeText, NoFigure};
    TargetSizes& sizes = framing.Sizes;
    sizes.Overlap = overlapPercent / 100.0;
    sizes.CameraAngle = cameraAngle;
    sizes.Label = label;
    sizes.Marked = true;
    return framing;
}

TargetFraming FrameSkyTarget(double efl, const Sensor& sensor, const SkyTarget& target, int cameraAngle, int overlapPercent)
{
    if (const std::optional<Showpiece> shape = FramedShape(target))
        return FrameTarget(efl, sensor, *shape, cameraAngle, overlapPercent);
    return MarkTarget(target.Object ? ShortName(target.ListText) : target.ListText, cameraAngle, overlapPercent);
}

std::string MoonMosaic(double moonMm, double frameWidthMm, double frameHeightMm, int overlapPercent)
{
    // The rule of the Moon's own row and of every target: equal fits, within the tolerance.
    if (FitsWithin(moonMm, frameWidthMm) && FitsWithin(moonMm, frameHeightMm))
        return "Not needed";
    const double overlap = overlapPercent / 100.0;
    return MosaicText(PanelsToCover(moonMm, frameWidthMm, overlap), PanelsToCover(moonMm, frameHeightMm, overlap),
                      overlapPercent);
}
