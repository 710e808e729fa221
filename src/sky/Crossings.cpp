#include "sky/Crossings.h"

#include "numeric/Arithmetic.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double GoldenRatio = 0.6180339887498949; // (sqrt 5 - 1) / 2

//! The moment in [a, b] where the curve passes `level`, given that it is above the level at
//! one end only. Secant steps, which on the near-straight stretch of a crossing land within
//! a fraction of a second in two or three steps; once there, the next point is set just past
//! the predicted moment, so that the bracket closes round it. A step that leaves the bracket,
//! or any after the first few, halves it instead, so that the search always ends.
double RefineCrossing(const Curve& curve, double level, double a, double fa, double b, double fb)
{
    constexpr int SecantSteps = 8;
    const bool upAtB = fb > 0;
    double x0 = a, f0 = fa, x1 = b, f1 = fb; // the two latest points
    for (int step = 0; b - a > EventTolerance; ++step) {
        double x = x1 - f1 * (x1 - x0) / (f1 - f0);
        if (std::abs(x - x1) < EventTolerance / 2)
            x += (x1 == a ? 1 : -1) * EventTolerance / 4;
        if (!(x > a && x < b) || step >= SecantSteps)
            x = (a + b) / 2;
        const double fx = curve(x) - level;
        ((fx > 0) == upAtB ? b : a) = x;
        x0 = x1;
        f0 = f1;
        x1 = x;
        f1 = fx;
    }
    return (a + b) / 2;
}

//! The highest point of the curve times `sign` in [a, b], by golden-section search.
Culmination RefineExtremum(const Curve& curve, double sign, double a, double b)
{
    double x1 = b - GoldenRatio * (b - a);
    double x2 = a + GoldenRatio * (b - a);
    double f1 = sign * curve(x1);
    double f2 = sign * curve(x2);
    while (b - a > EventTolerance) {
        if (f1 < f2) {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + GoldenRatio * (b - a);
            f2 = sign * curve(x2);
        } else {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - GoldenRatio * (b - a);
            f1 = sign * curve(x1);
        }
    }
    const double t = (a + b) / 2;
    return {t, curve(t)};
}

//! The vertex of the parabola through three samples: its moment and value, or none where the
//! three lie on a line.
std::optional<Culmination> ParabolaVertex(double t0, double v0, double t1, double v1, double t2, double v2)
{
    const double d01 = (v1 - v0) / (t1 - t0);
    const double d12 = (v2 - v1) / (t2 - t1);
    const double curvature = (d12 - d01) / (t2 - t0); // half the second derivative
    if (curvature == 0 || !std::isfinite(curvature))
        return std::nullopt;
    // v(t) = v1 + s (t - t1) + c (t - t1)^2 with s the slope at t1.
    const double slope = d01 + curvature * (t1 - t0);
    const double offset = -slope / (2 * curvature);
    return Culmination{t1 + offset, v1 - slope * slope / (4 * curvature)};
}

//! Where an extremum of the curve may hide inside the samples: the bracket around it.
struct Hideout
{
    double From;
    double To;
    bool Maximum;
    double Estimate; // the parabola's vertex value
    double Margin;   // how far the true extremum may lie beyond the estimate
};

//! The stretches where the curve turns between samples: around every sample that is a local
//! extreme, and in the first or last interval where the parabola through the edge samples
//! turns inside it.
std::vector<Hideout> Hideouts(const CurveSamples& s)
{
    std::vector<Hideout> found;
    const std::size_t n = s.Times.size();
    if (n < 3)
        return found;
    const auto& t = s.Times;
    const auto& v = s.Values;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const bool maximum = v[i] > v[i - 1] && v[i] >= v[i + 1];
        const bool minimum = v[i] < v[i - 1] && v[i] <= v[i + 1];
        if (!maximum && !minimum)
            continue;
        const std::optional<Culmination> vertex = ParabolaVertex(t[i - 1], v[i - 1], t[i], v[i], t[i + 1], v[i + 1]);
        const double margin = (std::abs(v[i] - v[i - 1]) + std::abs(v[i + 1] - v[i])) / 4;
        found.push_back({t[i - 1], t[i + 1], maximum, vertex ? vertex->Value : v[i], margin});
    }
    // At the edges a turn inside the first or last interval leaves no sample as a local extreme.
    // The edge sample must be the higher (lower) of its interval, or the turn belongs to the
    // local extreme next to it, already listed.
    const auto edge = [&](std::size_t outer, std::size_t a, std::size_t b, std::size_t c, double from, double to) {
        const std::optional<Culmination> vertex = ParabolaVertex(t[a], v[a], t[b], v[b], t[c], v[c]);
        if (!vertex || vertex->Time <= from || vertex->Time >= to)
            return;
        const bool maximum = vertex->Value > v[b]; // b: the sample next to the edge
        // A tie at the end makes the inner sample a local extreme already (see above).
        const bool tieTaken = outer != 0 && v[outer] == v[b];
        if ((maximum ? v[outer] < v[b] : v[outer] > v[b]) || tieTaken)
            return;
        const double margin = (std::abs(v[b] - v[a]) + std::abs(v[c] - v[b])) / 4;
        found.push_back({from, to, maximum, vertex->Value, margin});
    };
    edge(0, 0, 1, 2, t[0], t[1]);
    edge(n - 1, n - 3, n - 2, n - 1, t[n - 2], t[n - 1]);
    return found;
}

} // namespace

CurveSamples SampleCurve(const Curve& curve, double start, double end, double step)
{
    if (!(end > start) || !(step > 0) || (end - start) / step > 1e6)
        throw InvalidOperationError();
    CurveSamples samples;
    for (long i = 0;; ++i) {
        const double t = start + static_cast<double>(i) * step;
        if (t >= end)
            break;
        samples.Times.push_back(t);
    }
    samples.Times.push_back(end);
    for (const double t : samples.Times)
        samples.Values.push_back(curve(t));
    return samples;
}

std::vector<Crossing> FindCrossings(const CurveSamples& samples, const Curve& curve, double level)
{
    std::vector<Crossing> crossings;
    const auto& t = samples.Times;
    const auto& v = samples.Values;
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        const double fa = v[i] - level;
        const double fb = v[i + 1] - level;
        if ((fa > 0) != (fb > 0))
            crossings.push_back({RefineCrossing(curve, level, t[i], fa, t[i + 1], fb), fb > 0});
    }
    // A pass of the level and back between samples: only near an extremum, and only where the
    // samples around it all lie on the side away from which the curve turns.
    for (const Hideout& h : Hideouts(samples)) {
        const double sign = h.Maximum ? 1 : -1;
        bool sameSide = true;
        for (std::size_t i = 0; i < t.size(); ++i)
            if (t[i] >= h.From && t[i] <= h.To && (v[i] > level) != !h.Maximum)
                sameSide = false;
        if (!sameSide || sign * (h.Estimate - level) + h.Margin < 0)
            continue;
        const Culmination peak = RefineExtremum(curve, sign, h.From, h.To);
        const double fp = peak.Value - level;
        if ((fp > 0) != h.Maximum)
            continue;
        const double fFrom = curve(h.From) - level;
        const double fTo = curve(h.To) - level;
        crossings.push_back({RefineCrossing(curve, level, h.From, fFrom, peak.Time, fp), h.Maximum});
        crossings.push_back({RefineCrossing(curve, level, peak.Time, fp, h.To, fTo), !h.Maximum});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.Time < b.Time; });
    return crossings;
}

std::vector<Culmination> FindCulminations(const CurveSamples& samples, const Curve& curve)
{
    std::vector<Culmination> culminations;
    if (samples.Times.empty())
        return culminations;
    const double first = samples.Times.front();
    const double last = samples.Times.back();
    for (const Hideout& h : Hideouts(samples)) {
        if (!h.Maximum)
            continue;
        const Culmination peak = RefineExtremum(curve, 1, h.From, h.To);
        // A curve still rising at the edge has its highest point there, not a culmination.
        if (peak.Time - first > EventTolerance && last - peak.Time > EventTolerance)
            culminations.push_back(peak);
    }
    std::sort(culminations.begin(), culminations.end(), [](const Culmination& a, const Culmination& b) { return a.Time < b.Time; });
    return culminations;
}

std::vector<TimeSpan> SpansAbove(const CurveSamples& samples, const Curve& curve, double level)
{
    std::vector<TimeSpan> spans;
    if (samples.Times.empty())
        return spans;
    const double start = samples.Times.front();
    bool above = samples.Values.front() > level;
    double from = start;
    for (const Crossing& c : FindCrossings(samples, curve, level)) {
        if (c.Upward && !above) {
            from = c.Time;
            above = true;
        } else if (!c.Upward && above) {
            if (c.Time > from)
                spans.push_back({from, c.Time});
            above = false;
        }
    }
    if (above)
        spans.push_back({from, samples.Times.back()});
    return spans;
}

std::vector<TimeSpan> Complement(const std::vector<TimeSpan>& spans, double start, double end)
{
    std::vector<TimeSpan> free;
    double from = start;
    for (const TimeSpan& s : spans) {
        if (s.Start > from)
            free.push_back({from, std::min(s.Start, end)});
        from = std::max(from, s.End);
    }
    if (end > from)
        free.push_back({from, end});
    return free;
}

std::vector<TimeSpan> Intersect(const std::vector<TimeSpan>& a, const std::vector<TimeSpan>& b)
{
    std::vector<TimeSpan> both;
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const double from = std::max(a[i].Start, b[j].Start);
        const double to = std::min(a[i].End, b[j].End);
        if (to > from)
            both.push_back({from, to});
        if (a[i].End < b[j].End)
            ++i;
        else
            ++j;
    }
    return both;
}

double TotalLength(const std::vector<TimeSpan>& spans)
{
    double total = 0;
    for (const TimeSpan& s : spans)
        total += s.End - s.Start;
    return total;
}
