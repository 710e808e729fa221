#include "numeric/BoxReading.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

#include <initializer_list>
#include <string>

namespace {

constexpr char Blank = ' ';

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

//! Whether a digit, then one or more of `separators`, then a digit, appear in the text: a
//! number written with a thousands separator or a decimal comma.
bool DigitsSeparatedBy(std::string_view text, std::initializer_list<std::string_view> separators)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            continue;
        std::size_t next = i + 1;
        bool separated = true;
        while (separated) {
            separated = false;
            for (const std::string_view separator : separators) {
                if (text.substr(next).starts_with(separator)) {
                    next += separator.size();
                    separated = true;
                    break;
                }
            }
        }
        if (next > i + 1 && next < text.size() && IsDigit(text[next]))
            return true;
    }
    return false;
}

} // namespace

std::string_view Trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(Blank);
    if (start == std::string_view::npos)
        return {};
    return text.substr(start, text.find_last_not_of(Blank) + 1 - start);
}

std::string_view WithoutUnit(std::string_view text, std::span<const std::string_view> units)
{
    text = Trimmed(text);
    for (const std::string_view unit : units)
        if (text.size() > unit.size() && text.ends_with(unit))
            return Trimmed(text.substr(0, text.size() - unit.size()));
    return text;
}

std::optional<double> ReadBoxNumber(std::string_view text, std::span<const std::string_view> units)
{
    try {
        return ParseSoleNumber(std::string(WithoutUnit(text, units)));
    } catch (const ConversionError&) {
        return std::nullopt;
    } catch (const OverflowError&) {
        return std::nullopt; // far out of range: refused like any other
    }
}

bool HasDecimalComma(std::string_view text)
{
    return DigitsSeparatedBy(text, {","});
}

bool HasThousandsSeparator(std::string_view text)
{
    text = Trimmed(text);
    if (DigitsSeparatedBy(text, {",", " ", "'", "\u2019", "_", "\u00A0", "\u202F", "\u2009"}))
        return true;
    // Dots between groups of three digits: "6.248", "12.000.000".
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot > 3)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dotHere = i > dot ? (i - dot) % 4 == 0 : i == dot;
        if (dotHere ? text[i] != '.' : !IsDigit(text[i]))
            return false;
    }
    return (text.size() - dot) % 4 == 0;
}

