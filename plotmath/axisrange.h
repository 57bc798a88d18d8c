#pragma once

#include <span>

// The ranges a plot of a run shows on its axes.

struct AxisRange {
    double low = 0.0;
    double high = 0.0;

    bool operator==(const AxisRange&) const = default;
};

// The range of the finite `values`, widened by a twentieth of its width on
// each side; a single value gets half its magnitude (at least 1/2) on each
// side, no finite value at all [-1, 1].
//   {0, 10} -> [-0.5, 10.5]; {3} -> [1.5, 4.5]; {} -> [-1, 1]
AxisRange PaddedRange(std::span<const double> values);

// The range of a logarithmic axis that shows the positive `values` and the
// precision line: a decade beyond both on either side.
//   values {1e-10, 1e-4}, precision 1e-5 -> [1e-11, 1e-3]
AxisRange LogarithmicRange(std::span<const double> values, double precision);
