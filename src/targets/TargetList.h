#pragma once

// What Targets Tonight lists of each object of the catalogue, and how its filters narrow the
// list: kinds, brightness, size on the frame, dark time and the Moon. No Qt.

#include "field/SensorField.h"
#include "sky/TargetRanking.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

//! The kinds of object the list is filtered by, each a bit of a kind set.
inline constexpr std::array<const char*, 8> KindNames{"Galaxies",      "Emission and reflection nebulae",
                                                      "Planetary nebulae", "Supernova remnants",
                                                      "Open clusters", "Globular clusters",
                                                      "Dark nebulae",  "Other"};
inline constexpr unsigned EveryKind = (1u << KindNames.size()) - 1;

//! The kinds an OpenNGC type counts under: galaxies with their pairs, triples and groups; a
//! cluster with nebulosity (Cl+N) both a nebula and an open cluster; stars, associations, novae
//! and the catalogue's "Other" as "Other".
unsigned KindsOf(std::string_view type);

//! The magnitude the list shows and filters by: V, else B; none where the catalogue gives
//! neither.
std::optional<double> ListMagnitude(const SkyObject& object);

//! How an object takes the frame, as the field window frames it with the camera turned to lay
//! it along the frame's longer side.
struct FrameFill
{
    double Percent = 0; //!< its larger extent, in percent of the frame's side along it
    double Panels = 1;  //!< the panels of the mosaic it takes; 1 where it fits
};

//! An object framed at effective focal length `efl` (mm) on `sensor`, panels overlapping by
//! `overlapPercent`; none for an object the catalogue gives no size for.
std::optional<FrameFill> FillOf(const SkyObject& object, double efl, const Sensor& sensor, int overlapPercent);

//! The "Size on the frame:" choices, in order.
inline constexpr std::array<const char*, 5> SizeChoices{"any", "fits in one frame", "fills at least 10%",
                                                        "fills at least 25%", "needs a mosaic"};

//! What the filters let through.
struct ListFilters
{
    unsigned Kinds = EveryKind;
    std::optional<double> BrighterThan; //!< none: any; else at most this magnitude
    std::size_t Size = 0;               //!< in SizeChoices
    double AtLeastSeconds = 1800;       //!< of dark time above the lowest altitude with the Moon down
    double MoonAtLeastDegrees = 0;      //!< from the Moon at the object's best moment
};

//! One object of the list with what it is ranked and filtered by.
struct ListedObject
{
    std::size_t Index = 0; //!< in the catalogue's objects, also the order of designations
    ObjectNight Night;
    std::optional<FrameFill> Fill; //!< none without a size, or without a frame
    unsigned Kinds = 0;
    std::optional<double> Magnitude;
};

//! Whether the filters let the object through, judged on the figures as the list shows them
//! (a magnitude to tenths, a fill to whole percent, a duration to whole minutes, the Moon's
//! distance to whole degrees), so that a row never contradicts a filter. An object without a
//! magnitude passes only "any" brightness, and one without a fill only "any" size.
bool Passes(const ListedObject& object, const ListFilters& filters);

//! The list's first order: the longest dark time with the Moon down first, then the longest
//! dark time above the lowest altitude, on the exact durations; then the brighter; then by
//! designation.
bool RankedBefore(const ListedObject& a, const ListedObject& b);

//! A magnitude as the list shows it, to tenths: 8.05 is 8.1.
double ShownMagnitude(double magnitude);
//! A duration as the list shows it, hours and minutes: "3:07", "0:00".
std::string HoursMinutesText(double seconds);
//! An object's axes in arcminutes: "178 × 70", "3.2 × 1.1", "60" with one axis; "—" with none.
std::string SizeText(const SkyObject& object);
//! "45%", "under 1%", "6 panels", or "—" without a fill.
std::string FrameText(const std::optional<FrameFill>& fill);
