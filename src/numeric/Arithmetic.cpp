#include "numeric/Arithmetic.h"

#include <cmath>

double Narrow(long double value)
{
    const long double checked = Checked(value);
    const double narrowed = static_cast<double>(checked);
    if (std::isinf(narrowed))
        throw OverflowError();
    return narrowed;
}

long double Checked(long double value)
{
    if (std::isnan(value))
        throw InvalidOperationError();
    if (std::isinf(value))
        throw OverflowError();
    return value;
}

long double Divide(long double numerator, long double denominator)
{
    if (std::isnan(numerator) || std::isnan(denominator))
        throw InvalidOperationError();
    if (denominator == 0) {
        if (numerator == 0)
            throw InvalidOperationError();
        throw DivisionByZeroError();
    }
    return Checked(numerator / denominator);
}

double Power(double base, double exponent)
{
    if (std::isnan(base) || std::isnan(exponent) || base < 0)
        throw InvalidOperationError();
    if (base == 0)
        throw DivisionByZeroError();
    const long double logBase = Checked(std::log(static_cast<long double>(base)));
    // inf * 0 would be invalid; a finite product beyond the range overflows exp() below.
    const long double product = Checked(static_cast<long double>(exponent) * logBase);
    return Narrow(std::exp(product));
}

double RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw InvalidOperationError();
    const double below = std::floor(value);
    const double fraction = value - below; // exact for every double
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}
