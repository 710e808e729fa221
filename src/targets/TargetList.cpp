#include "targets/TargetList.h"

#include "field/Framing.h"
#include "numeric/NumberText.h"
#include "sky/TargetFinder.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

enum Kind : unsigned
{
    Galaxies = 1u << 0,
    BrightNebulae = 1u << 1,
    PlanetaryNebulae = 1u << 2,
    SupernovaRemnants = 1u << 3,
    OpenClusters = 1u << 4,
    GlobularClusters = 1u << 5,
    DarkNebulae = 1u << 6,
    OtherKinds = 1u << 7,
};

//! An axis as the list writes it: whole arcminutes from 10 up, one decimal below.
std::string Arcminutes(double value)
{
    return FormatFixed(0, value < 10 ? 1 : 0, value);
}

} // namespace

unsigned KindsOf(std::string_view type)
{
    if (type == "G" || type == "GPair" || type == "GTrpl" || type == "GGroup")
        return Galaxies;
    if (type == "HII" || type == "EmN" || type == "Neb" || type == "RfN")
        return BrightNebulae;
    if (type == "Cl+N")
        return BrightNebulae | OpenClusters;
    if (type == "PN")
        return PlanetaryNebulae;
    if (type == "SNR")
        return SupernovaRemnants;
    if (type == "OCl")
        return OpenClusters;
    if (type == "GCl")
        return GlobularClusters;
    if (type == "DrkN")
        return DarkNebulae;
    return OtherKinds;
}

std::optional<double> ListMagnitude(const SkyObject& object)
{
    if (const std::optional<double> v = object.VMagnitude())
        return v;
    return object.BMagnitude();
}

std::optional<FrameFill> FillOf(const SkyObject& object, double efl, const Sensor& sensor, int overlapPercent)
{
    const std::optional<Showpiece> shape = FramedShape(TargetOf(object));
    if (!shape)
        return std::nullopt;
    const double width = sensor.WidthMm();
    const double height = sensor.HeightMm();
    const int angle = SuggestedCameraAngle(*shape, width, height).value_or(0);
    const TargetFraming framing = FrameTarget(efl, sensor, *shape, angle, overlapPercent);
    return FrameFill{std::max(framing.Sizes.AcrossMm / width, framing.Sizes.DownMm / height) * 100,
                     framing.Sizes.Columns * framing.Sizes.Rows};
}

double ShownMagnitude(double magnitude)
{
    return std::round(magnitude * 10) / 10;
}

bool Passes(const ListedObject& object, const ListFilters& filters)
{
    if (!(object.Kinds & filters.Kinds))
        return false;
    if (filters.BrighterThan && !(object.Magnitude && ShownMagnitude(*object.Magnitude) <= *filters.BrighterThan))
        return false;
    if (filters.Size != 0) {
        if (!object.Fill)
            return false;
        const FrameFill& fill = *object.Fill;
        const bool fits = fill.Panels <= 1;
        switch (filters.Size) {
        case 1:
            if (!fits)
                return false;
            break;
        case 2:
        case 3:
            if (!fits || std::round(fill.Percent) < (filters.Size == 2 ? 10 : 25))
                return false;
            break;
        default:
            if (fits)
                return false;
        }
    }
    if (std::round(object.Night.MoonDown / 60) < std::round(filters.AtLeastSeconds / 60))
        return false;
    if (filters.MoonAtLeastDegrees > 0
        && !(object.Night.Best && std::round(object.Night.MoonDistance) >= filters.MoonAtLeastDegrees))
        return false;
    return true;
}

bool RankedBefore(const ListedObject& a, const ListedObject& b)
{
    // An object without a magnitude counts as the faintest.
    const double faintest = 99;
    return std::make_tuple(-a.Night.MoonDown, -a.Night.DarkAndUp, a.Magnitude.value_or(faintest), a.Index)
           < std::make_tuple(-b.Night.MoonDown, -b.Night.DarkAndUp, b.Magnitude.value_or(faintest), b.Index);
}

std::string HoursMinutesText(double seconds)
{
    const long minutes = std::lround(std::max(0.0, seconds) / 60);
    const long m = minutes % 60;
    return std::to_string(minutes / 60) + (m < 10 ? ":0" : ":") + std::to_string(m);
}

std::string SizeText(const SkyObject& object)
{
    const std::optional<double> major = object.MajorArcmin();
    if (!major)
        return "\u2014";
    const std::optional<double> minor = object.MinorArcmin();
    return minor ? Arcminutes(*major) + " \u00D7 " + Arcminutes(*minor) : Arcminutes(*major);
}

std::string FrameText(const std::optional<FrameFill>& fill)
{
    if (!fill)
        return "\u2014";
    if (fill->Panels > 1)
        return FormatFixed(0, 0, fill->Panels) + " panels";
    // A speck is no "0%".
    const double shown = std::round(fill->Percent);
    return shown < 1 ? "under 1%" : FormatFixed(0, 0, shown) + "%";
}
