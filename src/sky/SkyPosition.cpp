#include "sky/SkyPosition.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <span>
#include <utility>
#include <vector>

namespace {

constexpr const char* GeneralRefusal = "Coordinates are a right ascension, then a declination: 5h35m17s −5°23′28″, "
                                       "05:35:17 −05:23:28, or in degrees 83.82 −5.39.";
constexpr const char* AmbiguousRefusal = "Give the declination its sign, or put a comma before it: "
                                         "5 35 17 +5 23 28 or 5 35 17, 5 23 28.";
constexpr const char* RightAscensionRefusal = "A right ascension is from 0 to 24 hours (0° to 360°), its minutes and "
                                              "seconds below 60: 5h35m17s or 05:35:17.";
constexpr const char* DeclinationRefusal = "A declination is from −90° to +90°, its minutes and seconds below 60: "
                                           "−5°23′28″ or −05:23:28.";
constexpr const char* CommaRefusal = "Write decimals with a point: 5.588h −5.391.";

//! The marks people type for degrees, minutes and seconds and for a minus, each read as the
//! ASCII letter or sign that stands for it here.
struct Spelling
{
    std::string_view Typed;
    char Read;
};
constexpr std::array<Spelling, 10> Spellings{{
    {"\u2212", '-'}, // minus sign
    {"\u2013", '-'}, // en dash, which some keyboards give for a minus
    {"\u00B0", 'd'}, // degree sign
    {"\u00BA", 'd'}, // masculine ordinal, typed for ° on Spanish and Portuguese keyboards
    {"\u2032", '\''}, // prime
    {"\u2019", '\''}, // right single quotation mark, as word processors make '
    {"\u2033", '"'}, // double prime
    {"\u201D", '"'}, // right double quotation mark
    {"\u00A0", ' '}, // no-break space
    {"\u202F", ' '}, // narrow no-break space
}};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return c >= 'a' && c <= 'z';
}

//! The text in ASCII, lower case, or none where it holds a character no coordinates hold.
std::optional<std::string> Plain(std::string_view text)
{
    std::string plain;
    plain.reserve(text.size());
    while (!text.empty()) {
        const unsigned char c = static_cast<unsigned char>(text.front());
        if (c < 0x80) {
            plain += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c == '\t' ? ' ' : c);
            text.remove_prefix(1);
            continue;
        }
        bool known = false;
        for (const Spelling& spelling : Spellings)
            if (text.starts_with(spelling.Typed)) {
                plain += spelling.Read;
                text.remove_prefix(spelling.Typed.size());
                known = true;
                break;
            }
        if (!known)
            return std::nullopt;
    }
    return plain;
}

//! One number as typed, with its sign and the mark after it.
struct Item
{
    int Sign = 0; // -1, +1, or 0 where none was typed
    std::string_view Number;
    char Mark = 0; // 'h', 'm', 's', 'd', '\'', '"', ':', or 0 for none
    bool Parted = false; // whether a comma or "Dec" stands before it
};

struct Items
{
    std::vector<Item> List;
    bool Labelled = false; // "RA" or "Dec" was typed
    bool PartedAtEnd = false;
};

//! Whether a word stands at `at`, and not only the start of a longer one.
bool WordAt(std::string_view text, std::size_t at, std::string_view word)
{
    const std::size_t after = at + word.size();
    return text.substr(at).starts_with(word) && (after == text.size() || !IsLetter(text[after]));
}

//! Takes "RA" or "Dec" and the colon or equals sign perhaps after it.
bool TakeLabel(std::string_view text, std::size_t& at, std::string_view label)
{
    if (!WordAt(text, at, label))
        return false;
    at += label.size();
    if (at < text.size() && (text[at] == ':' || text[at] == '='))
        ++at;
    return true;
}

//! The numbers of a text written as coordinates, or none for any other text.
std::optional<Items> Tokens(std::string_view text)
{
    Items items;
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && text[at] == ' ')
            ++at;
    };
    skipBlanks();
    items.Labelled = TakeLabel(text, at, "ra");
    bool parted = false;
    for (;;) {
        skipBlanks();
        if (at == text.size())
            break;
        if (text[at] == ',' || text[at] == ';') {
            ++at;
            parted = true;
            continue;
        }
        if (TakeLabel(text, at, "dec")) {
            items.Labelled = parted = true;
            continue;
        }
        Item item;
        item.Parted = std::exchange(parted, false);
        if (text[at] == '+' || text[at] == '-')
            item.Sign = text[at++] == '-' ? -1 : 1;
        const std::size_t from = at;
        while (at < text.size() && IsDigit(text[at]))
            ++at;
        if (at == from)
            return std::nullopt;
        if (at + 1 < text.size() && text[at] == '.' && IsDigit(text[at + 1])) {
            ++at;
            while (at < text.size() && IsDigit(text[at]))
                ++at;
        }
        item.Number = text.substr(from, at - from);
        skipBlanks();
        if (at < text.size() && std::string_view("hmsd'\":").find(text[at]) != std::string_view::npos
            && !WordAt(text, at, "dec")) {
            item.Mark = text[at++];
            // A letter straight after a mark makes a word of it: "5hours", "2MASX".
            if (item.Mark != ':' && at < text.size() && IsLetter(text[at]) && !WordAt(text, at, "dec"))
                return std::nullopt;
        }
        items.List.push_back(item);
    }
    items.PartedAtEnd = parted;
    return items;
}

//! What a right ascension or declination reads as.
struct Piece
{
    double Value = 0; // hours or degrees
    bool InRange = true;
    bool Bare = false; // one number without a mark
};

//! The value of digits with perhaps decimals; huge ones are out of every range.
std::optional<double> Number(std::string_view digits)
{
    try {
        return ParseSoleNumber(std::string(digits));
    } catch (const ArithmeticError&) {
        return std::nullopt;
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

//! Units, minutes and seconds (those typed) as one value, or the range broken.
Piece Sexagesimal(std::span<const Item> items, double scale)
{
    Piece part;
    double unit = 1;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::optional<double> number = Number(items[i].Number);
        if (!number || (i > 0 && !(*number < 60)))
            part.InRange = false;
        else
            part.Value += *number / unit;
        unit *= 60;
    }
    part.Value *= scale;
    return part;
}

//! Whether the marks are those of units, minutes and seconds in order (`marks` lists, for each,
//! the marks that may stand for it), the last perhaps left out; or colons between the numbers;
//! or no marks at all.
bool Marked(std::span<const Item> items, std::span<const std::string_view> marks)
{
    if (items.empty() || items.size() > 3)
        return false;
    bool colons = true;
    bool none = true;
    bool units = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const char mark = items[i].Mark;
        const bool last = i + 1 == items.size();
        colons = colons && (last ? mark == 0 : mark == ':');
        none = none && mark == 0;
        units = units && ((mark != 0 && marks[i].find(mark) != std::string_view::npos) || (last && i > 0 && mark == 0));
    }
    return (colons && items.size() > 1) || none || units;
}

bool DecimalsLast(std::span<const Item> items)
{
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        if (items[i].Number.find('.') != std::string_view::npos)
            return false;
    return true;
}

std::optional<Piece> RightAscension(std::span<const Item> items)
{
    if (items.empty() || !DecimalsLast(items))
        return std::nullopt;
    for (const Item& item : items)
        if (item.Sign != 0)
            return std::nullopt;
    if (items.size() == 1 && (items[0].Mark == 'd' || items[0].Mark == 0)) {
        Piece part = Sexagesimal(items, 1.0 / 15);
        part.Bare = items[0].Mark == 0;
        part.InRange = part.InRange && part.Value < 24;
        return part;
    }
    static constexpr std::array<std::string_view, 3> marks{"h", "m", "s"};
    if (!Marked(items, marks) || (items.size() == 1 && items[0].Mark != 'h'))
        return std::nullopt;
    Piece part = Sexagesimal(items, 1);
    part.InRange = part.InRange && part.Value < 24;
    return part;
}

std::optional<Piece> Declination(std::span<const Item> items)
{
    if (items.empty() || !DecimalsLast(items))
        return std::nullopt;
    for (std::size_t i = 1; i < items.size(); ++i)
        if (items[i].Sign != 0)
            return std::nullopt;
    static constexpr std::array<std::string_view, 3> marks{"d", "'m", "\"s"};
    if (!Marked(items, marks) || (items.size() == 1 && items[0].Mark != 'd' && items[0].Mark != 0))
        return std::nullopt;
    Piece part = Sexagesimal(items, items[0].Sign < 0 ? -1 : 1);
    part.Bare = items.size() == 1 && items[0].Mark == 0;
    part.InRange = part.InRange && std::abs(part.Value) <= 90;
    return part;
}

//! Whether a comma stands between two digits, as in a decimal comma.
bool HasCommaBetweenDigits(std::string_view text)
{
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        if (text[i] == ',' && IsDigit(text[i - 1]) && IsDigit(text[i + 1]))
            return true;
    return false;
}

} // namespace

SkyPositionReading ReadSkyPosition(std::string_view text)
{
    SkyPositionReading reading;
    const std::optional<std::string> plain = Plain(text);
    if (!plain)
        return reading;
    const std::optional<Items> items = Tokens(*plain);
    if (!items || items->List.empty())
        return reading;
    const std::vector<Item>& list = items->List;
    const Item& first = list.front();
    if (list.size() == 1 && first.Sign == 0 && first.Mark == 0 && !items->Labelled && !items->PartedAtEnd)
        return reading; // a bare number: perhaps a name being typed, "47 Tuc"
    reading.Coordinates = true;

    // Where the declination starts: at a comma or "Dec", else at a sign, else wherever the two
    // read as coordinates, which must be one place only.
    // Parted twice, or before or after all the numbers, they read nowhere.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].Parted)
            starts.push_back(i);
    const bool unparted = starts.empty() && !items->PartedAtEnd;
    if (starts.size() != 1 || starts.front() == 0 || items->PartedAtEnd)
        starts.clear();
    if (unparted) {
        const auto sign = std::find_if(list.begin() + 1, list.end(), [](const Item& item) { return item.Sign != 0; });
        if (sign != list.end())
            starts.push_back(static_cast<std::size_t>(sign - list.begin()));
        else
            for (std::size_t i = 1; i < list.size(); ++i)
                starts.push_back(i);
    }
    std::vector<std::pair<Piece, Piece>> readings;
    for (const std::size_t start : starts) {
        const std::span<const Item> all(list);
        const std::optional<Piece> ra = RightAscension(all.first(start));
        const std::optional<Piece> dec = Declination(all.subspan(start));
        if (ra && dec && (!ra->Bare || dec->Bare))
            readings.emplace_back(*ra, *dec);
    }
    if (readings.size() != 1) {
        reading.Refusal = readings.size() > 1 ? AmbiguousRefusal
            : HasCommaBetweenDigits(*plain)   ? CommaRefusal
                                              : GeneralRefusal;
        return reading;
    }
    const auto& [ra, dec] = readings.front();
    if (!ra.InRange)
        reading.Refusal = RightAscensionRefusal;
    else if (!dec.InRange)
        reading.Refusal = DeclinationRefusal;
    else
        reading.Point = SkyPoint{ra.Value, dec.Value};
    return reading;
}

std::string SkyPositionText(const SkyPoint& point)
{
    constexpr long day = 24 * 3600;
    const long seconds = (std::lround(point.RightAscension * 3600) % day + day) % day;
    const long arcseconds = std::lround(std::abs(point.Declination) * 3600);
    char text[80];
    std::snprintf(text, sizeof text, "RA %02ldh %02ldm %02lds, Dec %s%02ld\u00B0 %02ld\u2032 %02ld\u2033",
                  seconds / 3600, seconds / 60 % 60, seconds % 60,
                  point.Declination < 0 && arcseconds > 0 ? "\u2212" : "+", arcseconds / 3600, arcseconds / 60 % 60,
                  arcseconds % 60);
    return text;
}
