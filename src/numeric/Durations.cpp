#include "numeric/Durations.h"

#include "numeric/Arithmetic.h"
#include "numeric/NumberText.h"

ExposureWords ExposureText(double t)
{
    if (!(t > 0))
        return {"???", "", 0};
    for (const ShutterSpeed& row : ShutterSpeedTable)
        if (t < row.Limit())
            return {row.Number, row.Unit, row.Speed > 0 ? 1 / row.Speed : 0};

    // Every comparison is a strict "below": a time equal to a limit takes the longer row. Each
    // text is written from the number it states, so the two cannot part.
    if (t < 15) {
        const double seconds = RoundHalfEven(t);
        return {FixedField(5, 0, seconds), "s", seconds};
    }
    if (t < 60) {
        const double seconds = 5 * RoundHalfEven(t / 5);
        return {FixedField(5, 0, seconds), "s", seconds};
    }
    if (t < 900) {
        const double minutes = RoundHalfEven(t / 60);
        return {FixedField(5, 0, minutes), "m", minutes * 60};
    }
    if (t < 3600) {
        const double minutes = 5 * RoundHalfEven(t / 60 / 5);
        return {FixedField(5, 0, minutes), "m", minutes * 60};
    }
    if (t < 14400) {
        const double hours = FixedValue(1, t / 3600);
        return {FixedField(5, 1, hours), "h", hours * 3600};
    }
    return {"Excessively long", "", 0};
}

std::string ExposureWordsText(const ExposureWords& words)
{
    const std::size_t start = words.Number.find_first_not_of(' ');
    const std::string number = start == std::string::npos ? std::string() : words.Number.substr(start);
    return words.Unit.empty() ? number : number + " " + words.Unit;
}

std::string SignificantSeconds(double seconds)
{
    return TwoSignificantFigures(seconds) + " s";
}

double SignificantSecondsValue(double seconds)
{
    return SignificantValue(seconds, 2);
}
