#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

//! A showpiece of the night sky as the catalogue gives it.
struct Showpiece
{
    std::string Name;  //!< the list text
    std::string Entry; //!< the catalogue's name for it
    double MajorArcmin = 0;
    double MinorArcmin = 0;              //!< the major axis again where the catalogue gives none
    std::optional<double> PositionAngle; //!< of the major axis, degrees from north through east
    double RightAscension = 0;           //!< ICRS (J2000), hours
    double Declination = 0;              //!< ICRS (J2000), degrees

    //! Whether its axes differ, so that its orientation matters.
    bool Elongated() const { return MinorArcmin < MajorArcmin; }
};

//! Reads the catalogue's table: lines of seven fields separated by semicolons (name, entry,
//! major axis, minor axis, position angle, right ascension as hh:mm:ss.ss, declination as
//! ±dd:mm:ss.s), the first line after the comments their headings. Lines starting with "#" are
//! comments. A malformed line, or a value out of its range, is a fault of the program's data
//! and throws std::invalid_argument naming the line.
std::vector<Showpiece> ReadShowpieces(std::string_view table);

//! The showpieces the program offers, read from its own table the first time they are asked
//! for, so that nothing of them is read at start-up.
const std::vector<Showpiece>& Showpieces();
