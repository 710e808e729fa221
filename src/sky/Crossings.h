#pragma once

// Events and spans of any curve of time (an altitude, in practice): found on samples, then
// refined on the curve itself, never read off the samples.

#include <functional>
#include <vector>

//! A curve of time: a value (degrees, say) for a moment (seconds).
using Curve = std::function<double(double)>;

//! A curve's values at some moments, in order of time; the first and last moments bound it.
struct CurveSamples
{
    std::vector<double> Times;
    std::vector<double> Values;
};

//! When a curve passes a level.
struct Crossing
{
    double Time = 0;
    bool Upward = false;
};

//! A highest point of a curve (an upper culmination).
struct Culmination
{
    double Time = 0;
    double Value = 0;
};

//! From `Start` to `End`, seconds.
struct TimeSpan
{
    double Start = 0;
    double End = 0;
};

//! How finely events are refined: the bracket around the moment is narrower than this, seconds.
inline constexpr double EventTolerance = 0.5;

//! The curve at `start`, every `step` seconds after it, and at `end` (above `start`).
CurveSamples SampleCurve(const Curve& curve, double start, double end, double step);

//! The moments the curve passes `level` upward and downward, in order, each refined on the
//! curve to within EventTolerance. A pass of the level and back between two samples is found
//! too where the curve's extremum lies near the level (a body that grazes it). Above the
//! level means strictly above.
std::vector<Crossing> FindCrossings(const CurveSamples& samples, const Curve& curve, double level);

//! The curve's maxima strictly inside the sampled interval, refined on the curve, in order.
std::vector<Culmination> FindCulminations(const CurveSamples& samples, const Curve& curve);

//! The spans where the curve is above `level`, from the crossings; a span may start or end
//! at the interval's edges. None when it never is; one from edge to edge when it always is.
std::vector<TimeSpan> SpansAbove(const CurveSamples& samples, const Curve& curve, double level);

//! The spans within [start, end] that `spans` (in order, not overlapping) leave free.
std::vector<TimeSpan> Complement(const std::vector<TimeSpan>& spans, double start, double end);

//! The moments in both span lists (each in order, not overlapping), as spans in order.
std::vector<TimeSpan> Intersect(const std::vector<TimeSpan>& a, const std::vector<TimeSpan>& b);

//! The spans' total length, seconds.
double TotalLength(const std::vector<TimeSpan>& spans);
