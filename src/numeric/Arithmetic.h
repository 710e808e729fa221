#pragma once

#include <stdexcept>

//! Floating-point trouble is never turned into inf or NaN here: every step that could
//! produce one checks its operands and result and throws one of these instead.
//! The messages are the ones the error box shows.
class ArithmeticError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class InvalidOperationError : public ArithmeticError
{
public:
    InvalidOperationError() : ArithmeticError("Invalid floating point operation") {}
};

class DivisionByZeroError : public ArithmeticError
{
public:
    DivisionByZeroError() : ArithmeticError("Floating point division by zero") {}
};

class OverflowError : public ArithmeticError
{
public:
    OverflowError() : ArithmeticError("Floating point overflow") {}
};

//! Rounds an extended-precision result once to a double; beyond the double range is an overflow.
double Narrow(long double value);

//! Checks an extended-precision intermediate: NaN is an invalid operation, inf an overflow.
long double Checked(long double value);

//! a / b with the IEEE exceptions made errors: 0/0 is invalid, x/0 a division by zero.
long double Divide(long double numerator, long double denominator);

//! e^(exponent * ln base) in extended precision, rounded once to a double.
//! Base 0 is a division by zero (ln 0), a negative base an invalid operation.
double Power(double base, double exponent);

//! Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);
