#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct TelescopePreset
{
    const char* Name;
    std::int32_t ApertureMm;
    std::int32_t FocalLengthMm;
};

//! The telescopes offered in the telescope window, in list order. "Other" clears both values.
inline constexpr std::array<TelescopePreset, 10> TelescopeTable{{
    {"Meade ETX-90", 90, 1250},
    {"Meade ETX-125", 125, 1900},
    {"Celestron C5(+), G-5, NexStar", 127, 1250},
    {"4.5-inch f/8 reflector", 114, 900},
    {"6-inch f/8 reflector", 153, 1220},
    {"7-inch f/15 Maksutov", 178, 2670},
    {"8-inch f/6.3 Schmidt-Cassegrain", 203, 1280},
    {"8-inch f/10 Schmidt-Cassegrain", 203, 2032},
    {"24-inch f/13.1 (Tarnholm Observatory)", 610, 8000},
    {"Other", 0, 0},
}};

//! Unit indices, in the order of the telescope window's unit radio groups.
enum LengthUnit : int { Inches = 0, Centimetres = 1, Millimetres = 2 };

//! A length box's text in millimetres: its leading number times the unit's factor
//! (25.4 for inches, 10 for cm, 1 otherwise), or 0 when the text holds no number.
double TelescopeLengthMm(const std::string& text, int unit);

//! The text a length box shows for `mm` in `unit`: "?" below 1 mm, inches with two decimals,
//! cm with one, mm as a whole number (halves to even). No unit (-1) leaves the box alone.
std::optional<std::string> TelescopeLengthText(double mm, int unit);
