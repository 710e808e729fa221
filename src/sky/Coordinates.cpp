#include "sky/Coordinates.h"

#include "numeric/Arithmetic.h"
#include "numeric/BoxReading.h"
#include "numeric/NumberText.h"

#include <array>
#include <cmath>
#include <vector>

namespace {

struct AngleKind
{
    double Limit;
    char Positive; // the hemisphere letters, upper case
    char Negative;
    const char* Refusal;
    const char* CommaRefusal;
};

constexpr AngleKind Latitude{90, 'N', 'S', "A latitude from -90 to 90: 48.8566, 48 51 24 N or 48°51′24″N.",
                             "Write it with a decimal point, e.g. 48.8566."};
constexpr AngleKind Longitude{180, 'E', 'W', "A longitude from -180 to 180: 2.3522, 2 21 8 E or 2°21′8″E.",
                              "Write it with a decimal point, e.g. 2.3522."};

//! The marks after degrees, minutes and seconds, in that order.
const std::array<std::vector<std::string_view>, 3> Marks{{{"\u00B0"}, {"\u2032", "'"}, {"\u2033", "\""}}};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

//! A text read from the left.
class Reader
{
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_at == m_text.size(); }
    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(m_text[m_at]))
            ++m_at;
    }
    bool Take(std::string_view word)
    {
        if (!m_text.substr(m_at).starts_with(word))
            return false;
        m_at += word.size();
        return true;
    }
    bool TakeAny(const std::vector<std::string_view>& words)
    {
        for (const std::string_view word : words)
            if (Take(word))
                return true;
        return false;
    }
    //! Digits with optional decimals: "48", "48.8566"; empty where none stand here.
    std::string_view Number()
    {
        const std::size_t from = m_at;
        while (!AtEnd() && IsDigit(m_text[m_at]))
            ++m_at;
        if (m_at > from && m_at + 1 < m_text.size() && m_text[m_at] == '.' && IsDigit(m_text[m_at + 1])) {
            ++m_at;
            while (!AtEnd() && IsDigit(m_text[m_at]))
                ++m_at;
        }
        return m_text.substr(from, m_at - from);
    }
    char Peek() const { return AtEnd() ? '\0' : m_text[m_at]; }
    void Skip() { ++m_at; }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

//! The angle a box holds, or none.
std::optional<double> ReadAngle(std::string_view text, const AngleKind& kind)
{
    Reader reader(text);
    reader.SkipBlanks();
    bool negative = false;
    bool signed_ = false;
    if (reader.Take("-") || reader.Take("\u2212")) {
        negative = signed_ = true;
    } else if (reader.Take("+")) {
        signed_ = true;
    }
    // Up to three numbers, each ended by its own mark, a blank, or the end.
    std::vector<std::string_view> numbers;
    while (numbers.size() < Marks.size()) {
        if (!numbers.empty())
            reader.SkipBlanks();
        const std::string_view number = reader.Number();
        if (number.empty())
            break;
        numbers.push_back(number);
        reader.SkipBlanks();
        for (std::size_t mark = 0; mark < Marks.size(); ++mark)
            if (reader.TakeAny(Marks[mark]) && mark + 1 != numbers.size())
                return std::nullopt; // a mark out of its place: minutes marked as degrees
    }
    if (numbers.empty())
        return std::nullopt;
    reader.SkipBlanks();
    const char letter = Upper(reader.Peek());
    const bool hemisphere = letter == kind.Positive || letter == kind.Negative;
    if (hemisphere) {
        if (signed_)
            return std::nullopt; // "-48 N" says it twice, perhaps differently
        negative = letter == kind.Negative;
        reader.Skip();
        reader.SkipBlanks();
    }
    if (!reader.AtEnd())
        return std::nullopt;

    double value = 0;
    double unit = 1;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        // Only the last number may have decimals: "48.5 30" means nothing.
        if (i + 1 < numbers.size() && numbers[i].find('.') != std::string_view::npos)
            return std::nullopt;
        double number = 0;
        try {
            number = ParseSoleNumber(std::string(numbers[i]));
        } catch (const ConversionError&) {
            return std::nullopt;
        } catch (const OverflowError&) {
            return std::nullopt;
        }
        if (i > 0 && number >= 60)
            return std::nullopt;
        value += number / unit;
        unit *= 60;
    }
    if (value > kind.Limit)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> ReadAngleBox(const std::string& text, const AngleKind& kind, std::string& refusal)
{
    const std::optional<double> angle = ReadAngle(text, kind);
    if (angle)
        return angle;
    refusal = HasDecimalComma(text) ? kind.CommaRefusal : kind.Refusal;
    return std::nullopt;
}

//! One of the table's coordinates: a sign, then `degreeDigits` of degrees, two of minutes and
//! perhaps two of seconds.
std::optional<double> TableAngle(std::string_view text, std::size_t degreeDigits, double limit)
{
    if (text.size() != degreeDigits + 3 && text.size() != degreeDigits + 5)
        return std::nullopt;
    if (text[0] != '+' && text[0] != '-')
        return std::nullopt;
    for (const char c : text.substr(1))
        if (!IsDigit(c))
            return std::nullopt;
    const auto field = [&](std::size_t from, std::size_t length) {
        double value = 0;
        for (const char c : text.substr(from, length))
            value = value * 10 + (c - '0');
        return value;
    };
    const double minutes = field(1 + degreeDigits, 2);
    const double seconds = text.size() == degreeDigits + 5 ? field(3 + degreeDigits, 2) : 0;
    if (minutes >= 60 || seconds >= 60)
        return std::nullopt;
    const double value = field(1, degreeDigits) + minutes / 60 + seconds / 3600;
    if (value > limit)
        return std::nullopt;
    return text[0] == '-' ? -value : value;
}

std::vector<std::string_view> Fields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
        if (tab == std::string_view::npos)
            return fields;
        from = tab + 1;
    }
}

} // namespace

std::optional<double> ReadLatitude(const std::string& text, std::string& refusal)
{
    return ReadAngleBox(text, Latitude, refusal);
}

std::optional<double> ReadLongitude(const std::string& text, std::string& refusal)
{
    return ReadAngleBox(text, Longitude, refusal);
}

std::optional<ZonePlace> FindZonePlace(std::string_view table, std::string_view zone)
{
    for (std::size_t from = 0; from < table.size();) {
        std::size_t end = table.find('\n', from);
        if (end == std::string_view::npos)
            end = table.size();
        std::string_view line = table.substr(from, end - from);
        from = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const std::vector<std::string_view> fields = Fields(line);
        if (fields.size() < 3 || fields[2] != zone)
            continue;
        const std::string_view coordinates = fields[1];
        const std::size_t split = coordinates.find_first_of("+-", 1);
        if (split == std::string_view::npos)
            return std::nullopt;
        const std::optional<double> latitude = TableAngle(coordinates.substr(0, split), 2, 90);
        const std::optional<double> longitude = TableAngle(coordinates.substr(split), 3, 180);
        if (!latitude || !longitude)
            return std::nullopt;
        return ZonePlace{*latitude, *longitude, ZoneCity(zone)};
    }
    return std::nullopt;
}

std::string ZoneCity(std::string_view zone)
{
    const std::size_t slash = zone.rfind('/');
    std::string city(slash == std::string_view::npos ? zone : zone.substr(slash + 1));
    for (char& c : city)
        if (c == '_')
            c = ' ';
    return city;
}

std::string CoordinateText(double degrees)
{
    return FormatFixed(0, 4, degrees);
}
