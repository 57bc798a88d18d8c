#pragma once

#include <span>
#include <vector>

// The ranges a plot of a run shows on its axes. Every range these functions
// give is finite, ordered and not empty, whatever the values: from a few
// subnormals to the whole of the reals.

struct AxisRange {
    double low = 0.0;
    double high = 0.0;

    bool operator==(const AxisRange&) const = default;
};

// Whether an axis can show the range: finite, ordered, not empty.
bool IsShowable(AxisRange range);

// The narrowest span a range around `range` may have: a few units in the
// last place of its largest magnitude.
//   MinimumSpan({1, 1}) -> 8 * 2^-52; MinimumSpan({0, 0}) -> 8 * 2^-1074
double MinimumSpan(AxisRange range);

// The range that shows every finite value, with a margin of 3% of its width
// on each side, within the reals; a lone value gets 5% of its magnitude on
// each side, and never less than MinimumSpan; no finite value at all [-1, 1].
//   {0, 16} -> [-0.48, 16.48]; {2} -> [1.9, 2.1]; {0} -> [-1, 1]
//   {-1.7e308, 1.7e308} -> [-DBL_MAX, DBL_MAX]
AxisRange DataRange(std::span<const double> values);
// The range that shows both sets of values.
AxisRange DataRange(std::span<const double> values, std::span<const double> moreValues);

// The decades of the positive reals: log10 of the smallest subnormal (about
// -323.3) to log10 of the largest real (about 308.25).
AxisRange PositiveDecades();

// The decades (log10) that a logarithmic axis shows of the positive finite
// `values` and of the precision line (when the precision is positive): half a
// decade beyond both on either side, within PositiveDecades(). Without a
// positive value the range is the precision's, or [-17, -15] without one either.
//   values {1e-10, 1e-4}, precision 1e-5 -> [-10.5, -3.5]
//   values {}, precision 1e308 -> [307.5, 308.25...]
AxisRange DecadeRange(std::span<const double> values, double precision);
// The same over two sets of values.
AxisRange DecadeRange(std::span<const double> values, std::span<const double> moreValues,
                      double precision);

// Magnitudes as a logarithmic axis draws them: log10 of each, a magnitude of
// 0 (which has no logarithm) at `floor`, the foot of the axis.
//   InDecades({100, 0, 1e-3}, -20) -> {2, -20, -3}
std::vector<double> InDecades(std::vector<double> magnitudes, double floor);
