#pragma once

// The rows of the night's table: a caption and a text each, in the words the window shows.
// Moments are written by the window's own clock (its time zone), to the nearest minute;
// durations come from the exact moments; degrees and percentages are whole, halves away from
// zero.

#include "sky/Night.h"

#include <functional>
#include <string>

//! Writes a UTC moment (POSIX seconds, a whole minute) as the window's clock shows it: "21:37".
using ClockText = std::function<std::string(double utc)>;

inline constexpr const char* SunsetCaption = "Sunset / sunrise:";
inline constexpr const char* CivilCaption = "Civil dusk / dawn (-6°):";
inline constexpr const char* NauticalCaption = "Nautical dusk / dawn (-12°):";
inline constexpr const char* AstronomicalCaption = "Dark from / until (-18°):";
inline constexpr const char* MoonCaption = "Moon:";
inline constexpr const char* MoonLitCaption = "Moon lit:";
inline constexpr const char* MoonFromTargetCaption = "Moon from the target:";
inline constexpr const char* TransitsCaption = "Target transits:";
inline constexpr const char* MoonDownCaption = "With the Moon down:";

//! "Above 30°:" for the lowest altitude in degrees.
std::string AboveCaption(double lowestAltitude);
//! "Dark and above 30°:".
std::string DarkAboveCaption(double lowestAltitude);

//! "16:54 / 08:31"; "the Sun does not set" / "the Sun does not rise"; "—" for the one
//! missing where the night starts or ends with the Sun down.
std::string SunsetText(const SunPassage& sun, const ClockText& clock);
//! A twilight at `level` degrees (-6, -12, -18): "17:31 / 07:52"; "never: the Sun stays above
//! -18°"; "all night: the Sun stays below -6°"; "—" for a missing one.
std::string TwilightText(const SunPassage& sun, double level, const ClockText& clock);
//! "rises 22:14, sets 11:02" in order; "up all night" / "down all night".
std::string MoonText(bool upAtStart, const std::vector<Crossing>& moon, const ClockText& clock);
//! "47%, waning".
std::string MoonLitText(const MoonLight& moon);
//! "112°".
std::string MoonFromTargetText(const MoonLight& moon);
//! "21:37 at 83°", or "21:37, below the horizon (-12°)"; several joined by ", ";
//! "— (no transit in this night)" for none.
std::string TransitsText(const std::vector<Culmination>& transits, const ClockText& clock);
//! "17:40 to 01:35" (a span at the night's edge runs from or to the edge's clock text),
//! several as "a and b", "a, b and c"; "all night"; "never: highest 21°". A span that holds no
//! minute as written (its ends round to the same minute, or it lasts under half a minute) is
//! left out, here and in DarkSpansText.
std::string AboveText(const NightSky& night, const ClockText& clock);
//! "18:51 to 20:02 and 04:10 to 06:35 (3 h 36 min)", or "none tonight". For DarkAbove and
//! DarkAboveMoonDown alike.
std::string DarkSpansText(const std::vector<TimeSpan>& spans, const ClockText& clock);
//! A length of time to the nearest minute: "6 h 44 min", "5 h", "45 min".
std::string DurationText(double seconds);

//! The line under the table where ERFA warns that a night's year lies beyond its tables:
//! before 1960, when there were no leap seconds, or after the last leap second it knows.
//! Either way the clock times may be off by seconds, not minutes.
std::string DubiousYearText(int year);
