#include "sky/Catalogue.h"

#include "numeric/NumberText.h"
#include "sky/Showpieces.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

//! The table of sky/data/Catalogue.csv, built into the program in parts (see src/CMakeLists.txt).
extern const std::span<const std::string_view> CatalogueTable;

namespace {

// The table's columns, in order.
enum Column : std::size_t {
    NameColumn,
    TypeColumn,
    RaColumn,
    DecColumn,
    ConstellationColumn,
    MajorColumn,
    MinorColumn,
    AngleColumn,
    BColumn,
    VColumn,
    SurfaceColumn,
    MessierColumn,
    CommonNamesColumn,
    IdentifiersColumn,
    DuplicatesColumn,
    Columns
};

constexpr std::string_view Headings
    = "Name;Type;RA;Dec;Const;MajAx;MinAx;PosAng;B-Mag;V-Mag;SurfBr;M;Common names;Identifiers;Duplicates";

struct Kind
{
    std::string_view Type;
    std::string_view Words;
    bool Emission;
};

// The catalogue's type codes of objects (NGC_guide.txt of OpenNGC), in plain words. The H II
// regions are the emission nebulae a photographer knows (the North America Nebula is one).
constexpr std::array<Kind, 19> Kinds{{
    {"G", "galaxy", false},
    {"GPair", "pair of galaxies", false},
    {"GTrpl", "triplet of galaxies", false},
    {"GGroup", "group of galaxies", false},
    {"PN", "planetary nebula", true},
    {"HII", "emission nebula", true},
    {"EmN", "emission nebula", true},
    {"Neb", "nebula", true},
    {"RfN", "reflection nebula", false},
    {"SNR", "supernova remnant", true},
    {"OCl", "open cluster", false},
    {"GCl", "globular cluster", false},
    {"Cl+N", "cluster with nebula", true},
    {"DrkN", "dark nebula", false},
    {"*", "star", false},
    {"**", "double star", false},
    {"*Ass", "association of stars", false},
    {"Nova", "nova", false},
    {"Other", "other object", false},
}};

constexpr std::string_view DuplicateType = "Dup";
constexpr std::string_view NonExistentType = "NonEx";

const Kind* FindKind(std::string_view type)
{
    for (const Kind& kind : Kinds)
        if (kind.Type == type)
            return &kind;
    return nullptr;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

[[noreturn]] void Refuse(const char* what, std::string_view line)
{
    throw std::invalid_argument(std::string("Catalogue: ") + what + " in \"" + std::string(line) + "\"");
}

std::array<std::string_view, Columns> Fields(std::string_view line)
{
    std::array<std::string_view, Columns> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < Columns; ++i) {
        const std::size_t end = line.find(';', start);
        if ((end == std::string_view::npos) != (i + 1 == Columns))
            Refuse("not fifteen fields", line);
        fields[i] = line.substr(start, end == std::string_view::npos ? end : end - start);
        start = end + 1;
    }
    return fields;
}

//! A decimal as the catalogue writes one, "177.83" or "-0.5": fixed notation and nothing else.
double Decimal(std::string_view field, std::string_view line)
{
    double value = 0;
    const char* const end = field.data() + field.size();
    // from_chars never looks at the locale; it would take "inf" and "nan", which the range
    // checks that follow every number refuse.
    const auto [at, error] = std::from_chars(field.data(), end, value, std::chars_format::fixed);
    if (field.empty() || error != std::errc() || at != end)
        Refuse("no number", line);
    return value;
}

//! A value the catalogue may leave out, NaN where it does.
double OptionalDecimal(std::string_view field, std::string_view line, double low, double high, const char* what)
{
    if (field.empty())
        return std::numeric_limits<double>::quiet_NaN();
    const double value = Decimal(field, line);
    // Written as a positive test, so that a NaN fails it too.
    if (!(value >= low && value <= high))
        Refuse(what, line);
    return value;
}

//! Two digits, as each part of the catalogue's hh:mm:ss.ss and ±dd:mm:ss.s but the seconds'
//! decimals.
double TwoDigits(std::string_view field, std::string_view line)
{
    if (field.size() != 2 || !IsDigit(field[0]) || !IsDigit(field[1]))
        Refuse("not hh:mm:ss", line);
    return (field[0] - '0') * 10 + (field[1] - '0');
}

//! "05:34:31.97" in hours, "+22:00:52.1" or "-02:27:30" in degrees (the sign before all three).
double Sexagesimal(std::string_view field, bool sign, std::string_view line)
{
    bool negative = false;
    if (sign) {
        if (field.empty() || (field[0] != '+' && field[0] != '-'))
            Refuse("a declination without its sign", line);
        negative = field[0] == '-';
        field.remove_prefix(1);
    }
    if (field.size() < 8 || field[2] != ':' || field[5] != ':' || (field.size() > 8 && field[8] != '.'))
        Refuse("not hh:mm:ss", line);
    const double units = TwoDigits(field.substr(0, 2), line);
    const double minutes = TwoDigits(field.substr(3, 2), line);
    const double seconds = Decimal(field.substr(6), line);
    if (!IsDigit(field[6]) || !IsDigit(field[7]) || !(minutes < 60 && seconds < 60))
        Refuse("minutes or seconds beyond 59", line);
    const double value = units + minutes / 60 + seconds / 3600;
    return negative ? -value : value;
}

std::optional<int> MessierNumber(std::string_view field, std::string_view line)
{
    if (field.empty())
        return std::nullopt;
    int number = 0;
    const char* const end = field.data() + field.size();
    const auto [at, error] = std::from_chars(field.data(), end, number);
    if (!IsDigit(field[0]) || error != std::errc() || at != end)
        Refuse("no Messier number", line);
    if (!(number >= 1 && number <= 110))
        Refuse("a Messier number out of range", line);
    return number;
}

bool IsConstellation(std::string_view field)
{
    return field.size() == 3 && std::all_of(field.begin(), field.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsDigit(c);
           });
}

//! Whether only the row's name, type and the given columns hold anything.
bool OnlyNamed(const std::array<std::string_view, Columns>& fields, std::initializer_list<Column> allowed)
{
    for (std::size_t i = RaColumn; i < Columns; ++i)
        if (!fields[i].empty() && std::find(allowed.begin(), allowed.end(), i) == allowed.end())
            return false;
    return true;
}

} // namespace

SkyObject Catalogue::ReadObject(std::span<const std::string_view> f, std::string_view line)
{
    SkyObject object;
    object.m_entry = f[NameColumn];
    const Kind* kind = FindKind(f[TypeColumn]);
    if (!kind)
        Refuse("an unknown type", line);
    object.m_type = static_cast<unsigned char>(kind - Kinds.data());
    object.m_rightAscension = Sexagesimal(f[RaColumn], false, line);
    object.m_declination = Sexagesimal(f[DecColumn], true, line);
    if (!(object.m_rightAscension < 24))
        Refuse("a right ascension out of range", line);
    if (!(object.m_declination >= -90 && object.m_declination <= 90))
        Refuse("a declination out of range", line);
    if (!IsConstellation(f[ConstellationColumn]))
        Refuse("no constellation", line);
    std::copy_n(f[ConstellationColumn].begin(), sizeof object.m_constellation, object.m_constellation);
    // No object spans more than half the sky (10,800 arcminutes); none outshines Sirius
    // (magnitude -1.5); no surface brightness is brighter than 10 or fainter than 35 mag per
    // square arcsecond. Each is far wider than the catalogue's own values, so only a shifted
    // or mistyped column fails it.
    object.m_major = OptionalDecimal(f[MajorColumn], line, 0, 10800, "a major axis out of range");
    object.m_minor = OptionalDecimal(f[MinorColumn], line, 0, 10800, "a minor axis out of range");
    if (object.m_major == 0 || object.m_minor == 0)
        Refuse("an axis out of range", line);
    if (!std::isnan(object.m_minor) && !(object.m_minor <= object.m_major)) // a NaN major axis fails it too
        Refuse("axes out of order", line);
    object.m_angle = OptionalDecimal(f[AngleColumn], line, 0, 180, "a position angle out of range");
    object.m_b = OptionalDecimal(f[BColumn], line, -2, 30, "a magnitude out of range");
    object.m_v = OptionalDecimal(f[VColumn], line, -2, 30, "a magnitude out of range");
    object.m_surface = OptionalDecimal(f[SurfaceColumn], line, 10, 35, "a surface brightness out of range");
    if (const std::optional<int> messier = MessierNumber(f[MessierColumn], line))
        object.m_messier = static_cast<unsigned char>(*messier);
    object.m_commonNames = f[CommonNamesColumn];
    object.m_identifiers = f[IdentifiersColumn];
    if (!f[DuplicatesColumn].empty())
        Refuse("a duplicate's column in an object's row", line);
    return object;
}

std::string_view SkyObject::Type() const
{
    return Kinds[m_type].Type;
}

std::vector<std::string_view> SkyObject::Split(std::string_view list)
{
    std::vector<std::string_view> items;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (!item.empty())
            items.push_back(item);
    }
    return items;
}

Catalogue::Catalogue(std::span<const std::string_view> table)
{
    struct PendingDuplicate
    {
        std::string_view Line;
        std::string_view Target;
    };
    std::vector<PendingDuplicate> pending;
    std::size_t lines = 0;
    for (const std::string_view part : table)
        lines += static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
    m_objects.reserve(lines); // a little more than there are objects, not twice as many
    bool headings = true;
    for (std::string_view part : table) {
        while (!part.empty()) {
            const std::size_t end = part.find('\n');
            std::string_view line = part.substr(0, end);
            part.remove_prefix(end == std::string_view::npos ? part.size() : end + 1);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            if (line.empty() || line.starts_with('#'))
                continue;
            if (std::exchange(headings, false)) {
                if (line != Headings)
                    Refuse("not the catalogue's headings", line);
                continue;
            }
            const std::array<std::string_view, Columns> fields = Fields(line);
            const std::string_view name = fields[NameColumn];
            const std::string_view type = fields[TypeColumn];
            if (name.empty() || name.front() == ' ' || name.back() == ' ')
                Refuse("no name", line);
            if (type == NonExistentType) {
                if (!OnlyNamed(fields, {}))
                    Refuse("a non-existent entry with data", line);
                m_nonExistent.push_back(name);
            } else if (type == DuplicateType) {
                if (fields[DuplicatesColumn].empty() || !OnlyNamed(fields, {IdentifiersColumn, DuplicatesColumn}))
                    Refuse("a duplicate with data of its own, or of nothing", line);
                pending.push_back({line, fields[DuplicatesColumn]});
                m_duplicates.push_back({name, fields[IdentifiersColumn], 0});
            } else {
                m_objects.push_back(ReadObject(fields, line));
            }
        }
    }
    if (headings)
        Refuse("no headings", "");

    // Every row's name, in order, so that an entry is found in a binary search.
    m_names.resize(Rows());
    std::iota(m_names.begin(), m_names.end(), 0);
    std::sort(m_names.begin(), m_names.end(),
              [this](std::uint32_t a, std::uint32_t b) { return EntryOf(a) < EntryOf(b); });
    for (std::size_t i = 1; i < m_names.size(); ++i)
        if (EntryOf(m_names[i - 1]) == EntryOf(m_names[i]))
            Refuse("a name given twice", EntryOf(m_names[i]));

    // A duplicate leads to the entry it names, followed on while that is itself a duplicate.
    for (std::size_t i = 0; i < m_duplicates.size(); ++i) {
        std::string_view target = pending[i].Target;
        for (std::size_t steps = 0;; ++steps) {
            const std::optional<std::uint32_t> row = FindRow(target);
            if (!row || *row >= m_objects.size() + m_duplicates.size() || steps > m_duplicates.size())
                Refuse("a duplicate leading to no object", pending[i].Line);
            if (*row < m_objects.size()) {
                m_duplicates[i].Object = *row;
                break;
            }
            target = pending[*row - m_objects.size()].Target;
        }
    }

    // One object to each Messier number.
    std::array<bool, 111> messier{};
    for (const SkyObject& object : m_objects)
        if (object.m_messier && std::exchange(messier[object.m_messier], true))
            Refuse("a Messier number given twice", object.m_entry);
}

std::string_view Catalogue::EntryOf(std::uint32_t row) const
{
    if (row < m_objects.size())
        return m_objects[row].m_entry;
    row -= static_cast<std::uint32_t>(m_objects.size());
    if (row < m_duplicates.size())
        return m_duplicates[row].Entry;
    return m_nonExistent[row - m_duplicates.size()];
}

std::optional<std::uint32_t> Catalogue::FindRow(std::string_view entry) const
{
    const auto found = std::lower_bound(m_names.begin(), m_names.end(), entry,
                                        [this](std::uint32_t row, std::string_view e) { return EntryOf(row) < e; });
    if (found == m_names.end() || EntryOf(*found) != entry)
        return std::nullopt;
    return *found;
}

const SkyObject* Catalogue::Find(std::string_view entry) const
{
    const std::optional<std::uint32_t> row = FindRow(entry);
    if (!row || *row >= m_objects.size() + m_duplicates.size())
        return nullptr;
    return &m_objects[*row < m_objects.size() ? *row : m_duplicates[*row - m_objects.size()].Object];
}

bool Catalogue::IsNonExistent(std::string_view entry) const
{
    const std::optional<std::uint32_t> row = FindRow(entry);
    return row && *row >= m_objects.size() + m_duplicates.size();
}

const Catalogue& TheCatalogue()
{
    static const Catalogue catalogue(CatalogueTable);
    return catalogue;
}

std::string Designation(std::string_view entry)
{
    std::size_t letters = 0;
    while (letters < entry.size() && !IsDigit(entry[letters]))
        ++letters;
    std::size_t digits = letters;
    while (digits < entry.size() && IsDigit(entry[digits]))
        ++digits;
    if (letters == 0 || digits == letters)
        return std::string(entry);
    std::size_t zeros = letters;
    while (zeros + 1 < digits && entry[zeros] == '0')
        ++zeros;
    std::string text(entry.substr(0, letters));
    if (text.back() != ' ')
        text += ' ';
    return text.append(entry.substr(zeros));
}

std::string MessierDesignation(int number)
{
    std::string text = "M";
    return text.append(std::to_string(number));
}

std::string ListText(const SkyObject& object)
{
    for (const Showpiece& showpiece : Showpieces())
        if (showpiece.Entry == object.Entry())
            return showpiece.Name;
    std::string text = object.Messier() ? MessierDesignation(*object.Messier()) : Designation(object.Entry());
    const std::vector<std::string_view> names = object.CommonNames();
    if (!names.empty())
        text.append(", ").append(names.front());
    return text;
}

std::string_view KindText(std::string_view type)
{
    const Kind* kind = FindKind(type);
    return kind ? kind->Words : std::string_view("object");
}

std::string_view ConstellationText(const SkyObject& object)
{
    return object.Constellation() == "Se1" || object.Constellation() == "Se2" ? std::string_view("Ser")
                                                                              : object.Constellation();
}

std::string SuggestionText(const SkyObject& object)
{
    return ListText(object).append(" (").append(KindText(object.Type())).append(", ").append(ConstellationText(object)).append(")");
}

bool IsEmissionNebula(const SkyObject& object)
{
    const Kind* kind = FindKind(object.Type());
    return kind && kind->Emission;
}

std::optional<SurfaceBrightness> VSurfaceBrightness(const SkyObject& object)
{
    const std::optional<double> surface = object.SurfaceBrightness();
    if (!surface)
        return std::nullopt;
    const std::optional<double> b = object.BMagnitude();
    const std::optional<double> v = object.VMagnitude();
    if (b && v) {
        // In hundredths, as the catalogue gives its magnitudes, so that the range's ends are
        // met exactly and not as their binary neighbours.
        const long colour = std::lround(*b * 100) - std::lround(*v * 100);
        if (colour >= -50 && colour <= 200)
            return SurfaceBrightness{*surface - static_cast<double>(colour) / 100, false};
    }
    return SurfaceBrightness{*surface, true};
}

std::string SurfaceBrightnessText(const SurfaceBrightness& brightness)
{
    return FormatFixed(0, 1, brightness.MagnitudesPerSquareArcsecond) + " mag per square arcsecond"
        + (brightness.BBand ? " (B band)" : "");
}
