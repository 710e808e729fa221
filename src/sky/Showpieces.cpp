#include "sky/Showpieces.h"

#include "numeric/NumberText.h"

#include <stdexcept>
#include <utility>

//! The table of sky/data/Showpieces.csv, built into the program (see src/CMakeLists.txt).
extern const char ShowpiecesTable[];

namespace {

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(';', start);
        fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

double Number(std::string_view field, std::string_view line)
{
    try {
        return ParseSoleNumber(std::string(field));
    } catch (const std::exception&) {
        throw std::invalid_argument("Showpieces: no number in \"" + std::string(line) + "\"");
    }
}

//! Hours or degrees written as the catalogue writes them, "05:34:31.97" or "-02:27:30": whole
//! units and minutes, then seconds, the sign before all three.
double Sexagesimal(std::string_view field, std::string_view line)
{
    const bool negative = field.starts_with('-');
    if (negative || field.starts_with('+'))
        field.remove_prefix(1);
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = field.find(':', start);
        parts.push_back(field.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (parts.size() != 3 || parts[0].find('.') != std::string_view::npos || parts[1].find('.') != std::string_view::npos
        || parts[0].starts_with('-') || parts[1].starts_with('-') || parts[2].starts_with('-'))
        throw std::invalid_argument("Showpieces: not hh:mm:ss in \"" + std::string(line) + "\"");
    const double units = Number(parts[0], line);
    const double minutes = Number(parts[1], line);
    const double seconds = Number(parts[2], line);
    if (!(minutes < 60 && seconds < 60))
        throw std::invalid_argument("Showpieces: minutes or seconds beyond 59 in \"" + std::string(line) + "\"");
    const double value = units + minutes / 60 + seconds / 3600;
    return negative ? -value : value;
}

} // namespace

std::vector<Showpiece> ReadShowpieces(std::string_view table)
{
    std::vector<Showpiece> showpieces;
    bool headings = true;
    while (!table.empty()) {
        const std::size_t end = table.find('\n');
        std::string_view line = table.substr(0, end);
        table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        if (std::exchange(headings, false))
            continue;
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() != 7 || fields[0].empty() || fields[1].empty())
            throw std::invalid_argument("Showpieces: not seven fields in \"" + std::string(line) + "\"");
        Showpiece showpiece;
        showpiece.Name = fields[0];
        showpiece.Entry = fields[1];
        showpiece.MajorArcmin = Number(fields[2], line);
        showpiece.MinorArcmin = fields[3].empty() ? showpiece.MajorArcmin : Number(fields[3], line);
        if (!fields[4].empty())
            showpiece.PositionAngle = Number(fields[4], line);
        showpiece.RightAscension = Sexagesimal(fields[5], line);
        showpiece.Declination = Sexagesimal(fields[6], line);
        // Written as positive tests, so that a NaN fails them too. No showpiece spans more
        // than 180 degrees (10,800 arcminutes) of the sky.
        const auto refuse = [line](const char* what) {
            throw std::invalid_argument(std::string("Showpieces: ") + what + " in \"" + std::string(line) + "\"");
        };
        if (!(showpiece.MajorArcmin > 0 && showpiece.MajorArcmin <= 10800 && showpiece.MinorArcmin > 0))
            refuse("an axis out of range");
        if (!(showpiece.MinorArcmin <= showpiece.MajorArcmin))
            refuse("axes out of order");
        if (showpiece.PositionAngle && !(*showpiece.PositionAngle >= 0 && *showpiece.PositionAngle <= 180))
            refuse("a position angle out of range");
        if (!(showpiece.RightAscension >= 0 && showpiece.RightAscension < 24))
            refuse("a right ascension out of range");
        if (!(showpiece.Declination >= -90 && showpiece.Declination <= 90))
            refuse("a declination out of range");
        showpieces.push_back(std::move(showpiece));
    }
    return showpieces;
}

const std::vector<Showpiece>& Showpieces()
{
    static const std::vector<Showpiece> showpieces = ReadShowpieces(ShowpiecesTable);
    return showpieces;
}
