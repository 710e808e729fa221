#include "optics/Showpieces.h"

#include "numeric/NumberText.h"

#include <stdexcept>
#include <utility>

//! The table of optics/data/Showpieces.csv, built into the program (see src/CMakeLists.txt).
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
        if (fields.size() != 6 || fields[0].empty() || fields[1].empty())
            throw std::invalid_argument("Showpieces: not six fields in \"" + std::string(line) + "\"");
        Showpiece showpiece;
        showpiece.Name = fields[0];
        showpiece.Entry = fields[1];
        showpiece.MajorArcmin = Number(fields[2], line);
        showpiece.MinorArcmin = fields[3].empty() ? showpiece.MajorArcmin : Number(fields[3], line);
        if (!fields[4].empty())
            showpiece.PositionAngle = Number(fields[4], line);
        showpiece.Declination = Number(fields[5], line);
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
