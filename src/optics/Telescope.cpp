#include "optics/Telescope.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

#include <cmath>

namespace {
constexpr double MmPerInch = 25.4;
constexpr double MmPerCm = 10;
}

double TelescopeLengthMm(const std::string& text, int unit)
{
    double number = 0;
    try {
        number = ParseLeadingNumber(text);
    } catch (const ConversionError&) {
        return 0; // an unreadable box counts as 0 mm and is refused later, not here
    }
    const double factor = unit == Inches ? MmPerInch : unit == Centimetres ? MmPerCm : 1;
    const double mm = number * factor;
    if (std::isinf(mm))
        throw OverflowError();
    return mm;
}

std::optional<std::string> TelescopeLengthText(double mm, int unit)
{
    if (mm < 1)
        return "?";
    switch (unit) {
    case Inches:
        return FormatFixed(8, 2, mm / MmPerInch);
    case Centimetres:
        return FormatFixed(8, 1, mm / MmPerCm);
    case Millimetres:
        return FormatFixed(15, 0, RoundHalfEven(mm));
    default:
        return std::nullopt;
    }
}
