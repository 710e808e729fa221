#include "numeric/NumberText.h"

#include "numeric/Arithmetic.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

constexpr char Blank = ' ';

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal reader: [blanks] [sign] digits [. digits] [(E|e) [sign] digits], nothing else.
// Scanning is done here; the conversion itself goes through std::from_chars, which rounds
// correctly and never looks at the locale, so "." is the decimal point everywhere.
double ReadDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == Blank)
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        throw ConversionError(); // empty, blanks only, or a lone sign

    const std::size_t intStart = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    const std::string_view intDigits = text.substr(intStart, i - intStart);

    std::string_view fracDigits;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        fracDigits = text.substr(fracStart, i - fracStart);
    }

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i >= text.size() || !IsDigit(text[i]))
            throw ConversionError();
        for (; i < text.size() && IsDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL); // saturates
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        throw ConversionError();

    // The significant digits, and the power of ten of the first of them.
    std::string digits;
    digits.reserve(intDigits.size() + fracDigits.size());
    digits.append(intDigits);
    digits.append(fracDigits);
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return negative ? -0.0 : 0.0; // missing digits count as zero: ".", "-.", "e5"
    const auto last = digits.find_last_not_of('0');
    const long long leadPower = static_cast<long long>(intDigits.size()) - 1 - static_cast<long long>(first) + exponent;
    if (leadPower > 400)
        throw OverflowError();
    if (leadPower < -400)
        return negative ? -0.0 : 0.0; // underflow reads as zero

    // d.ddd...e<power>
    std::string normal(1, digits[first]);
    normal += '.';
    normal.append(digits, first + 1, last - first);
    normal += 'e';
    normal += std::to_string(leadPower);

    double value = 0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (leadPower > 0)
            throw OverflowError();
        value = 0;
    } else if (error != std::errc() || end != normal.data() + normal.size()) {
        throw ConversionError();
    }
    if (std::isinf(value))
        throw OverflowError();
    return negative ? -value : value;
}

// The exponent of std::to_chars' scientific form: a sign and at least two digits.
int ReadExponent(std::string_view text)
{
    const bool negative = text.front() == '-';
    int value = 0;
    std::from_chars(text.data() + 1, text.data() + text.size(), value);
    return negative ? -value : value;
}

// The exact decimal expansion of a double, digit by digit: digits[i] has the weight
// 10^(top - i). Rounding keeps every digit of weight >= low and rounds half away from zero.
struct DecimalDigits
{
    std::string digits;
    int top = 0;

    explicit DecimalDigits(double magnitude)
    {
        // std::to_chars writes the exact expansion and, unlike printf, never looks at the
        // locale, so a two-byte decimal separator cannot shift the digits. 767 significant
        // digits are the most a double has; 800 leave room to spare.
        std::array<char, 1024> buffer{};
        const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                                std::chars_format::scientific, 800);
        if (error != std::errc())
            throw InvalidOperationError();
        const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
        // "d.ddd...e+XX"
        const auto e = text.find('e');
        digits.reserve(e);
        digits.push_back(text[0]);
        for (std::size_t i = 2; i < e; ++i)
            digits.push_back(text[i]);
        top = ReadExponent(text.substr(e + 1));
    }

    int DigitAt(int weight) const
    {
        const int index = top - weight;
        return index >= 0 && index < static_cast<int>(digits.size()) ? digits[index] - '0' : 0;
    }

    void RoundAt(int low)
    {
        const bool up = DigitAt(low - 1) >= 5;
        const int newTop = std::max(top, low);
        std::string kept;
        for (int weight = newTop; weight >= low; --weight)
            kept.push_back(static_cast<char>('0' + DigitAt(weight)));
        digits = kept;
        top = newTop;
        if (!up)
            return;
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            ++top;
        } else {
            ++digits[i];
        }
    }
};

constexpr int SignificantDigits = 18;
constexpr double ScientificFrom = 1e36;

std::string FixedNotation(int decimals, double value)
{
    DecimalDigits number(std::fabs(value));
    // 18 digits from the first significant one, or from the units digit below 1.
    const int firstCounted = std::fabs(value) >= 1 ? number.top : 0;
    number.RoundAt(firstCounted - (SignificantDigits - 1));
    number.RoundAt(-decimals);

    std::string text;
    if (value < 0)
        text.push_back('-'); // the sign of the value before rounding: -0.04 gives -0.0
    bool leading = true;
    for (int weight = std::max(number.top, 0); weight >= 0; --weight) {
        const int digit = number.DigitAt(weight);
        if (leading && digit == 0 && weight > 0)
            continue;
        leading = false;
        text.push_back(static_cast<char>('0' + digit));
    }
    if (decimals > 0) {
        text.push_back('.');
        for (int weight = -1; weight >= -decimals; --weight)
            text.push_back(static_cast<char>('0' + number.DigitAt(weight)));
    }
    return text;
}

std::string ScientificNotation(int width, double value)
{
    const int shown = std::clamp(width - 8, 2, SignificantDigits);
    DecimalDigits number(std::fabs(value));
    number.RoundAt(number.top - (SignificantDigits - 1));
    number.RoundAt(number.top - (shown - 1));

    std::string text(1, value < 0 ? '-' : Blank);
    text.push_back(static_cast<char>('0' + number.DigitAt(number.top)));
    text.push_back('.');
    for (int weight = number.top - 1; weight > number.top - shown; --weight)
        text.push_back(static_cast<char>('0' + number.DigitAt(weight)));
    // The exponent in exactly four digits: a double's never needs more.
    text.push_back('E');
    text.push_back(number.top < 0 ? '-' : '+');
    const std::string exponent = std::to_string(std::abs(number.top));
    text.append(4 - std::min<std::size_t>(exponent.size(), 4), '0');
    return text + exponent;
}

} // namespace

double ParseLeadingNumber(const std::string& text)
{
    // The first word: skip leading blanks, stop at the next blank. A tab belongs to the word.
    std::size_t start = 0;
    while (start < text.size() && text[start] == Blank)
        ++start;
    std::size_t end = start;
    while (end < text.size() && text[end] != Blank)
        ++end;
    std::string word = text.substr(0, end);
    if (end > start && word.back() == '.')
        word.push_back('0'); // "10." reads as 10.0
    if (word.empty())
        throw ConversionError();
    return ReadDecimal(word);
}

double ParseSoleNumber(const std::string& text)
{
    const std::size_t start = text.find_first_not_of(Blank);
    if (start == std::string::npos)
        throw ConversionError();
    const std::size_t end = text.find_last_not_of(Blank) + 1;
    const std::string word = text.substr(start, end - start);
    if (word.find(Blank) != std::string::npos)
        throw ConversionError(); // "6 248" is two numbers, not one
    return ParseLeadingNumber(word);
}

std::string FixedField(int width, int decimals, double value)
{
    if (std::isnan(value))
        throw InvalidOperationError();
    if (std::isinf(value))
        throw OverflowError();
    width = std::clamp(width, 0, 255);
    decimals = std::max(decimals, 0);

    std::string text = std::fabs(value) < ScientificFrom ? FixedNotation(decimals, value)
                                                         : ScientificNotation(width, value);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), Blank);
    return text;
}

std::string FormatFixed(int width, int decimals, double value)
{
    const std::string field = FixedField(width, decimals, value);
    return field.substr(std::min(field.find_first_not_of(Blank), field.size()));
}

double FixedValue(int decimals, double value)
{
    if (!std::isfinite(value) || !(std::fabs(value) < ScientificFrom))
        throw InvalidOperationError();
    decimals = std::clamp(decimals, 0, 15);
    // The digits FixedNotation writes, rounded the same way, read as one whole number.
    DecimalDigits number(std::fabs(value));
    const int firstCounted = std::fabs(value) >= 1 ? number.top : 0;
    number.RoundAt(firstCounted - (SignificantDigits - 1));
    number.RoundAt(-decimals);
    long double whole = 0;
    for (int weight = std::max(number.top, 0); weight >= -decimals; --weight)
        whole = whole * 10 + number.DigitAt(weight);
    const double magnitude = Narrow(whole / std::pow(10.0L, decimals));
    return value < 0 ? -magnitude : magnitude;
}

namespace {

//! A value rounded to `figures` significant figures: Digits x 10^(Power - figures + 1), Digits
//! a whole number of exactly `figures` digits. Halves go away from zero on the decimal value.
struct Significant
{
    long long Digits = 0;
    int Power = 0;
};

Significant RoundSignificant(double value, int figures)
{
    if (!(value > 0) || !std::isfinite(value))
        throw InvalidOperationError();
    // The value scaled so that its first `figures` digits stand before the point; log10 may
    // land a hair beside a power of ten, so the scale is corrected once either way.
    const long double first = std::pow(10.0L, figures - 1); // the smallest number of that many digits
    int power = static_cast<int>(std::floor(std::log10(value)));
    long double scaled = value / std::pow(10.0L, power - (figures - 1));
    if (scaled < first) {
        scaled *= 10;
        --power;
    } else if (scaled >= first * 10) {
        scaled /= 10;
        ++power;
    }
    long double digits = std::floor(scaled);
    const long double beyond = scaled - digits;
    // The tolerance of a half is relative to the value, so it means the same at every power.
    if (beyond > 0.5L || std::fabs(beyond - 0.5L) <= 1e-12L * scaled)
        ++digits;
    if (digits >= first * 10) { // 99.5 and up carry into the next power: 9.96 is "10", not "10.0"
        digits /= 10;
        ++power;
    }
    return {static_cast<long long>(digits), power};
}

} // namespace

double SignificantValue(double value, int figures)
{
    figures = std::clamp(figures, 1, 15);
    const Significant rounded = RoundSignificant(value, figures);
    const int exponent = rounded.Power - (figures - 1);
    const long double scale = std::pow(10.0L, std::abs(exponent));
    return Narrow(exponent >= 0 ? rounded.Digits * scale : rounded.Digits / scale);
}

std::string SignificantFigures(double value, int figures)
{
    figures = std::clamp(figures, 1, 15);
    const auto [digits, power] = RoundSignificant(value, figures);
    std::string text = std::to_string(digits);
    const int point = power + 1; // digits before the point
    if (point >= figures)
        return text + std::string(static_cast<std::size_t>(point - figures), '0');
    if (point > 0)
        return text.insert(static_cast<std::size_t>(point), 1, '.');
    // Below 1: "0.dd", "0.0dd"...
    return "0." + std::string(static_cast<std::size_t>(-point), '0') + text;
}

std::string TwoSignificantFigures(double value)
{
    return SignificantFigures(value, 2);
}

std::string TrimmedFixed(int decimals, double value)
{
    std::string text = FormatFixed(15, decimals, value);
    if (text.find('.') != std::string::npos && text.find('E') == std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}
