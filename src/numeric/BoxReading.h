#pragma once

#include <optional>
#include <span>
#include <string_view>

//! How the program reads a box that holds one number: the rules every window's boxes share, so
//! that no window reaches into another's folder for them.

//! The text of a box without the blanks around it.
std::string_view Trimmed(std::string_view text);

//! The number of a box without the unit that may follow it, with or without a blank before it.
std::string_view WithoutUnit(std::string_view text, std::span<const std::string_view> units);

//! Reads a box that holds one number and nothing else, blanks around it allowed, optionally
//! followed by one of `units` with or without a blank before it. None for anything else, a
//! number beyond the double range included: "6 248" is never read as 6.
std::optional<double> ReadBoxNumber(std::string_view text, std::span<const std::string_view> units);

//! Whether a number was typed with a decimal comma ("3,76"), so that a refusal can say how to
//! write it.
bool HasDecimalComma(std::string_view text);

//! Whether a whole number was written with thousands separators: "6,248", "6 248", "6'248",
//! with no-break or thin spaces, or "6.248" as many countries write it.
bool HasThousandsSeparator(std::string_view text);
