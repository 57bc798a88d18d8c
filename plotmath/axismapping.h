#pragma once

#include "plotmath/axisrange.h"

// Maps an axis's values to the coordinates a plot draws them at: shifted by
// the middle of the axis's whole range and scaled by a power of two, so that
// the ends of the whole range draw at about ±1, never beyond ±2. Plotting code that forms
// differences and ratios of coordinates in doubles then neither overflows
// (a range over the whole of the reals) nor underflows (a range of a few
// subnormals), and the shift costs no precision that the values have.
//   AxisMapping({-1.7e308, 1.7e308}).ToPlot(1.7e308) -> 1.7e308 / 2^1023, about 1.89
//   AxisMapping({0, 5e-324}).ToPlot(5e-324) -> 1;  AxisMapping({0, 16}).ToPlot(8) -> 0
class AxisMapping {
public:
    explicit AxisMapping(AxisRange whole);

    double ToPlot(double value) const;
    // The value at a plot coordinate, within the reals.
    double ToValue(double plot) const;
    AxisRange ToPlot(AxisRange values) const;
    AxisRange ToValue(AxisRange plot) const;

private:
    long double origin_;
    int exponent_;  // plot = (value - origin) * 2^exponent
};
