#pragma once

#include <stdexcept>
#include <string>

//! A text whose first blank-delimited word is no number. Every caller catches it at once
//! and falls back in its own way; it is never shown.
class ConversionError : public std::runtime_error
{
public:
    ConversionError() : std::runtime_error("Invalid conversion of string to number") {}
};

//! Reads the first blank-delimited word of a text ("   6.7      Moon, thin crescent" gives 6.7).
//! Only the space is a blank. Throws ConversionError for a text without a number, and
//! OverflowError for a number beyond the double range; a number below it reads as 0.
double ParseLeadingNumber(const std::string& text);

//! Reads a text that is one number and nothing else, with blanks around it allowed, as
//! ParseLeadingNumber reads its word ("  6248 " gives 6248). A second word makes it no number:
//! throws ConversionError for "6 248", so a box never takes the first part of what was typed.
double ParseSoleNumber(const std::string& text);

//! Writes a value in fixed notation (scientific from 1e36 on), right-aligned in a field of at
//! least `width` characters, rounded at the last digit shown with halves away from zero.
std::string FixedField(int width, int decimals, double value);

//! FixedField without its leading blanks.
std::string FormatFixed(int width, int decimals, double value);

//! A value above zero with `figures` significant figures (1 to 15), trailing zeros kept, never
//! in exponent notation: with two, "0.20", "5.5", "21", "150", "1200". Halves go away from zero
//! on the decimal value the user reads, not on its binary neighbour: a value within a relative
//! 1e-12 of a half is taken as the half, so 7.35 is "7.4" and 0.865 "0.87". A value not above
//! zero, or beyond the double range, is an invalid operation.
std::string SignificantFigures(double value, int figures);

//! The number SignificantFigures writes, as a number: 7.35 with two figures is 7.4.
double SignificantValue(double value, int figures);

//! The number FixedField writes with `decimals` decimals, as a number: 2.25 with one decimal
//! is 2.3. Beyond the fixed notation's range, or not finite, it is an invalid operation.
double FixedValue(int decimals, double value);

//! SignificantFigures with two figures, as the program's limits and sub-exposures are written.
std::string TwoSignificantFigures(double value);

//! FormatFixed with at most `decimals` decimals and no needless zeros: "5", "2.5", "3.76"
//! (an exponent form keeps its digits).
std::string TrimmedFixed(int decimals, double value);
