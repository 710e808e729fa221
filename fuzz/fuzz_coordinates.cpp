// The night window's place boxes, the time-zone table and the sky itself on arbitrary input.
// Only the program's own errors escape; a box either reads an angle in its range or says why
// not; what the boxes are given back (four decimals, or degrees, minutes and seconds) reads
// back as the same angle; a zone found lies on the globe; the sky at any moment of the years
// it is computed for, from anywhere, is finite and within its ranges.

#include "FuzzChecks.h"

#include "sky/Coordinates.h"
#include "sky/SkyPlaces.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

namespace {

//! 1000-01-01 and 3000-12-31, POSIX seconds.
constexpr double FirstMoment = -30610224000.0;
constexpr double LastMoment = 32535215999.0;

void CheckBox(const std::string& text, bool latitude)
{
    std::string refusal;
    const std::optional<double> angle = latitude ? ReadLatitude(text, refusal) : ReadLongitude(text, refusal);
    Expect(angle.has_value() == refusal.empty(), "an angle, or a refusal that says why", text);
    if (angle)
        Expect(std::abs(*angle) <= (latitude ? 90 : 180), "an angle within its range", text);
}

void CheckRoundTrips(FuzzedDataProvider& data)
{
    const bool latitude = data.ConsumeBool();
    const double limit = latitude ? 90 : 180;
    const double angle = data.ConsumeFloatingPointInRange(-limit, limit);
    std::string refusal;
    const std::string decimal = CoordinateText(angle);
    const std::optional<double> read = latitude ? ReadLatitude(decimal, refusal) : ReadLongitude(decimal, refusal);
    Expect(read && std::abs(*read - angle) <= 0.00005 + 1e-9, "four decimals read back", decimal);

    const int degrees = data.ConsumeIntegralInRange(0, static_cast<int>(limit) - 1);
    const int minutes = data.ConsumeIntegralInRange(0, 59);
    const int seconds = data.ConsumeIntegralInRange(0, 59);
    const bool negative = data.ConsumeBool();
    const char hemisphere = latitude ? (negative ? 'S' : 'N') : (negative ? 'W' : 'E');
    const std::string written = std::to_string(degrees) + (data.ConsumeBool() ? "° " : " ") + std::to_string(minutes)
                                + (data.ConsumeBool() ? "′" : "' ") + std::to_string(seconds) + "\"" + hemisphere;
    refusal.clear();
    const std::optional<double> dms = latitude ? ReadLatitude(written, refusal) : ReadLongitude(written, refusal);
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    Expect(dms && std::abs(*dms - (negative ? -value : value)) < 1e-9, "degrees, minutes and seconds read back", written);
}

void CheckZones(FuzzedDataProvider& data)
{
    const std::string zone = data.ConsumeRandomLengthString(40);
    const std::string table = data.ConsumeRandomLengthString(400);
    std::optional<ZonePlace> place;
    if (!OnlyOwnErrors([&] { place = FindZonePlace(table, zone); }) || !place)
        return;
    Expect(std::abs(place->Latitude) <= 90 && std::abs(place->Longitude) <= 180, "a zone on the globe", table);
    Expect(place->City == ZoneCity(zone), "the zone's own city", zone);
}

void CheckSky(FuzzedDataProvider& data)
{
    const double utc = data.ConsumeFloatingPointInRange(FirstMoment, LastMoment);
    const Place place{data.ConsumeFloatingPointInRange(-90.0, 90.0), data.ConsumeFloatingPointInRange(-180.0, 180.0)};
    const Target target{data.ConsumeBool(), data.ConsumeFloatingPointInRange(0.0, 360.0), data.ConsumeFloatingPointInRange(-90.0, 90.0)};
    SkyPlaces sky;
    if (OnlyOwnErrors([&] { sky = ComputePlaces(utc, place, target); })) {
        for (const BodyPlace& body : {sky.Sun, sky.Moon, sky.Target}) {
            Expect(std::abs(body.Altitude) <= 90 && std::abs(body.Shown()) <= 90, "an altitude on the sky");
            Expect(body.Azimuth >= 0 && body.Azimuth <= 360, "an azimuth round the horizon");
            Expect(body.SemiDiameter >= 0 && body.SemiDiameter < 1, "a disc smaller than a degree");
        }
    }
    MoonLight moon;
    if (OnlyOwnErrors([&] { moon = ComputeMoonLight(utc, place, target); }))
        Expect(moon.LitFraction >= 0 && moon.LitFraction <= 1 && moon.FromTarget >= 0 && moon.FromTarget <= 180,
               "a lit fraction and an angle in range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    CheckBox(data.ConsumeRandomLengthString(32), true);
    CheckBox(data.ConsumeRandomLengthString(32), false);
    CheckRoundTrips(data);
    CheckZones(data);
    CheckSky(data);
    return 0;
}
