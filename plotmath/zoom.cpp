#include "plotmath/zoom.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long double kWidestShare = 16;

// A range of `span` that starts at `low`, shifted to lie within `widest`.
AxisRange Shifted(long double low, long double span, AxisRange widest) {
    if (!(span < static_cast<long double>(widest.high) - widest.low)) {
        return widest;
    }
    low = std::clamp<long double>(low, widest.low, widest.high - span);
    return {static_cast<double>(low), static_cast<double>(low + span)};
}

// As Shifted, and never narrower than MinimumSpan where it lies.
AxisRange Placed(long double low, long double span, AxisRange widest) {
    const AxisRange range = Shifted(low, span, widest);
    const long double minimum = MinimumSpan(range);
    if (static_cast<long double>(range.high) - range.low >= minimum) {
        return range;
    }
    const long double middle = low + span / 2;
    return Shifted(middle - minimum / 2, minimum, widest);
}

}  // namespace

AxisRange WidestRange(AxisRange whole, AxisRange bounds) {
    const long double middle = (static_cast<long double>(whole.low) + whole.high) / 2;
    const long double half = (static_cast<long double>(whole.high) - whole.low) / 2 * kWidestShare;
    return {static_cast<double>(std::max<long double>(middle - half, bounds.low)),
            static_cast<double>(std::min<long double>(middle + half, bounds.high))};
}

AxisRange Zoomed(AxisRange shown, double anchor, double factor, AxisRange widest) {
    const long double low = shown.low;
    const long double span = static_cast<long double>(shown.high) - shown.low;
    const long double at = std::clamp<long double>(anchor, shown.low, shown.high);
    const long double share = (at - low) / span;  // where the anchor sits, kept
    const long double zoomedSpan = span * factor;
    return Placed(at - share * zoomedSpan, zoomedSpan, widest);
}

AxisRange Limited(AxisRange wanted, AxisRange widest) {
    const long double low = std::min(wanted.low, wanted.high);
    const long double high = std::max(wanted.low, wanted.high);
    return Placed(low, high - low, widest);
}
