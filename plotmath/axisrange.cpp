#include "plotmath/axisrange.h"

#include <algorithm>
#include <cmath>
#include <limits>

AxisRange PaddedRange(std::span<const double> values) {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    for (double value : values) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    if (!(low <= high)) {
        return {-1, 1};
    }
    const double margin =
        high > low ? (high / 2 - low / 2) / 10 : std::max(std::fabs(low), 1.0) / 2;
    return {low - margin, high + margin};
}

AxisRange LogarithmicRange(std::span<const double> values, double precision) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {std::min(*low, precision) / 10, std::max(*high, precision) * 10};
}
