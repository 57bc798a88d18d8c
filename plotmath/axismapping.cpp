#include "plotmath/axismapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

AxisMapping::AxisMapping(AxisRange whole)
    : origin_((static_cast<long double>(whole.low) + whole.high) / 2),
      exponent_(-std::ilogb((static_cast<long double>(whole.high) - whole.low) / 2)) {}

double AxisMapping::ToPlot(double value) const {
    return static_cast<double>(std::ldexp(value - origin_, exponent_));
}

double AxisMapping::ToValue(double plot) const {
    constexpr long double kLargest = std::numeric_limits<double>::max();
    const long double value = std::ldexp(static_cast<long double>(plot), -exponent_) + origin_;
    return static_cast<double>(std::clamp(value, -kLargest, kLargest));
}

AxisRange AxisMapping::ToPlot(AxisRange values) const {
    return {ToPlot(values.low), ToPlot(values.high)};
}

AxisRange AxisMapping::ToValue(AxisRange plot) const {
    return {ToValue(plot.low), ToValue(plot.high)};
}
