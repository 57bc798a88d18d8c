#include "plotmath/axisrange.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kMarginShare = 0.03;
constexpr double kLoneValueShare = 0.05;
constexpr long double kDecadeMargin = 0.5L;
// The decades of the positive reals, from the smallest subnormal to the largest.
long double LowestDecade() {
    return std::log10(static_cast<long double>(std::numeric_limits<double>::denorm_min()));
}
long double HighestDecade() {
    return std::log10(static_cast<long double>(kLargest));
}

// `low` and `high` as a range of reals: clamped to the reals, and widened
// about their middle to at least MinimumSpan.
AxisRange Settled(long double low, long double high) {
    low = std::clamp<long double>(low, -kLargest, kLargest);
    high = std::clamp<long double>(high, -kLargest, kLargest);
    AxisRange range = {static_cast<double>(low), static_cast<double>(high)};
    const long double minimum = MinimumSpan(range);
    if (static_cast<long double>(range.high) - range.low < minimum) {
        const long double middle = (low + high) / 2;
        range = {static_cast<double>(std::max<long double>(middle - minimum / 2, -kLargest)),
                 static_cast<double>(std::min<long double>(middle + minimum / 2, kLargest))};
        if (range.high - range.low < minimum) {  // against an end of the reals
            range = range.low == -kLargest
                        ? AxisRange{range.low, static_cast<double>(range.low + minimum)}
                        : AxisRange{static_cast<double>(range.high - minimum), range.high};
        }
    }
    return range;
}

struct Extremes {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    void Take(double value) {
        low = std::min(low, value);
        high = std::max(high, value);
    }
    bool Any() const { return low <= high; }
};

void TakeFinite(Extremes& extremes, std::span<const double> values) {
    for (double value : values) {
        if (std::isfinite(value)) {
            extremes.Take(value);
        }
    }
}

AxisRange Padded(const Extremes& extremes) {
    if (!extremes.Any()) {
        return {-1, 1};
    }
    const long double low = extremes.low;
    const long double high = extremes.high;
    if (high > low) {
        const long double margin = (high - low) * kMarginShare;
        return Settled(low - margin, high + margin);
    }
    if (low == 0) {
        return {-1, 1};
    }
    const long double margin = std::fabs(low) * kLoneValueShare;
    return Settled(low - margin, low + margin);
}

}  // namespace

AxisRange PositiveDecades() {
    return {static_cast<double>(LowestDecade()), static_cast<double>(HighestDecade())};
}

bool IsShowable(AxisRange range) {
    return std::isfinite(range.low) && std::isfinite(range.high) && range.low < range.high;
}

double MinimumSpan(AxisRange range) {
    constexpr int kUnits = 8;
    const double largest = std::max(std::fabs(range.low), std::fabs(range.high));
    const double unit = largest < std::numeric_limits<double>::min()
                            ? std::numeric_limits<double>::denorm_min()
                            : std::nextafter(largest, kLargest * 2) - largest;
    return std::isfinite(unit) ? kUnits * unit : kUnits * (largest - std::nextafter(largest, 0.0));
}

AxisRange DataRange(std::span<const double> values) {
    Extremes extremes;
    TakeFinite(extremes, values);
    return Padded(extremes);
}

AxisRange DataRange(std::span<const double> values, std::span<const double> moreValues) {
    Extremes extremes;
    TakeFinite(extremes, values);
    TakeFinite(extremes, moreValues);
    return Padded(extremes);
}

AxisRange DecadeRange(std::span<const double> values, double precision) {
    return DecadeRange(values, {}, precision);
}

AxisRange DecadeRange(std::span<const double> values, std::span<const double> moreValues,
                      double precision) {
    Extremes positive;
    for (std::span<const double> set : {values, moreValues}) {
        for (double value : set) {
            if (value > 0 && std::isfinite(value)) {
                positive.Take(value);
            }
        }
    }
    if (precision > 0 && std::isfinite(precision)) {
        positive.Take(precision);
    }
    if (!positive.Any()) {
        return {-17, -15};
    }
    const long double low = std::max<long double>(
        std::log10(static_cast<long double>(positive.low)) - kDecadeMargin, LowestDecade());
    const long double high = std::min<long double>(
        std::log10(static_cast<long double>(positive.high)) + kDecadeMargin, HighestDecade());
    return {static_cast<double>(low), static_cast<double>(high)};
}

std::vector<double> InDecades(std::vector<double> magnitudes, double floor) {
    for (double& magnitude : magnitudes) {
        magnitude = magnitude > 0 ? std::log10(magnitude) : floor;
    }
    return magnitudes;
}
