#pragma once

// Coordinates typed for a target of no catalogue: a point of the sky. Texts are UTF-8.

#include <optional>
#include <string>
#include <string_view>

//! A point of the sky, ICRS (J2000) as the catalogue.
struct SkyPoint
{
    double RightAscension = 0; //!< hours, from 0 to 24
    double Declination = 0; //!< degrees, from -90 to 90
};

//! What a text typed as coordinates holds.
struct SkyPositionReading
{
    //! Whether the text is written as coordinates at all: numbers with their marks and nothing
    //! else, a single bare number ("47") excepted, which may start a name.
    bool Coordinates = false;
    std::optional<SkyPoint> Point;
    //! For a text written as coordinates that holds no point, a plain sentence saying how to
    //! write them.
    std::string Refusal;
};

//! Reads a right ascension, then a declination. The right ascension in hours, minutes and
//! seconds written with letters, colons or blanks ("5h35m17.3s", "05:35:17.3", "5 35 17.3"),
//! in decimal hours with "h" ("5.588h"), or in decimal degrees with "°" or "d" ("83.82°");
//! the declination in degrees, minutes and seconds written with marks, letters, colons or
//! blanks ("−5°23′28″", "-5d23m28s", "-05:23:28", "-5 23 28") or in decimal degrees ("-5.391",
//! "-5.391°"). A pair of bare decimals is degrees, degrees ("83.82 -5.39"). A comma, or "Dec",
//! may part the two, and "RA" may stand first, so that a point's own text reads back. Where
//! blanks alone part numbers, the declination's sign or a comma must say where it starts
//! when their count does not. Only the last number of each may have decimals.
SkyPositionReading ReadSkyPosition(std::string_view text);

//! A point as the target list writes it, to the whole second: "RA 05h 35m 17s, Dec −05° 23′ 28″"
//! (with U+2212 for the minus and primes for minutes and seconds).
std::string SkyPositionText(const SkyPoint& point);
