#pragma once

// The place's boxes and the time-zone table the window offers places from. Texts are UTF-8.

#include <optional>
#include <string>
#include <string_view>

//! Reads the latitude box: one angle from -90 to 90 degrees, north positive. A decimal number
//! ("48.8566", "-33.87", a typed "−" read as a minus), or degrees, minutes and seconds written
//! with blanks or with °, ′ or ', ″ or " ("48°51′24″N", "48 51 24 N"), with N or S (either
//! case) after it instead of a sign. Returns it, or in `refusal` a plain sentence saying how to
//! write it.
std::optional<double> ReadLatitude(const std::string& text, std::string& refusal);

//! Reads the longitude box as ReadLatitude, from -180 to 180 degrees, east positive, with E
//! or W: "2.3522", "2 21 8 E", "2°21′8″E".
std::optional<double> ReadLongitude(const std::string& text, std::string& refusal);

//! A place of the time-zone table, in decimal degrees (north and east positive), and its city.
struct ZonePlace
{
    double Latitude = 0;
    double Longitude = 0;
    std::string City;
};

//! Finds `zone` ("Europe/Paris") in the text of tzdata's zone1970.tab or zone.tab: lines of
//! tab-separated fields (country codes, coordinates as ±DDMM±DDDMM or ±DDMMSS±DDDMMSS, zone
//! id, comments), "#" starting a comment line. None for a zone the table does not list (such
//! as Etc/UTC) or whose coordinates are not well formed.
std::optional<ZonePlace> FindZonePlace(std::string_view table, std::string_view zone);

//! The city of a zone id: its last component with blanks for underscores ("America/Argentina/
//! Buenos_Aires" is "Buenos Aires").
std::string ZoneCity(std::string_view zone);

//! Decimal degrees as the boxes take them, four decimals (about 10 m): "48.8667", "-58.4500".
std::string CoordinateText(double degrees);
