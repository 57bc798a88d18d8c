#include "analysis/errorcurves.h"

#include <cmath>
#include <future>

#include "analysis/exactvalue.h"
#include "analysis/remedies.h"
#include "evaluation/vectorstate.h"
#include "numtext/arithmeticfault.h"

namespace {

// Below this many lines a second thread costs more than it saves.
constexpr size_t kLinesWorthAThread = 50'000;

void FillStandIn(std::span<const double> xs, std::span<long double> exact) {
    ClearUpperVectorState();
    for (size_t i = 0; i < xs.size(); ++i) {
        exact[i] = StandInValue(xs[i]);
    }
}

}  // namespace

std::vector<long double> StandInColumn(std::span<const double> xs) {
    std::vector<long double> exact(xs.size());
    const std::span<long double> all(exact);
    if (xs.size() < kLinesWorthAThread) {
        FillStandIn(xs, all);
        return exact;
    }
    // Each line's stand-in is its own: half the lines on a second core.
    const size_t half = xs.size() / 2;
    std::future<void> second = std::async(std::launch::async, [xs, all, half] {
        FillStandIn(xs.subspan(half), all.subspan(half));
        ReleaseThreadCaches();  // the thread ends here
    });
    FillStandIn(xs.first(half), all.first(half));
    second.get();
    return exact;
}

std::vector<double> AbsoluteErrors(std::span<const double> values,
                                   std::span<const long double> exact) {
    ClearUpperVectorState();
    std::vector<double> errors;
    errors.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        errors.push_back(static_cast<double>(std::fabs(values[i] - exact[i])));
    }
    return errors;
}

std::vector<double> RemedyErrorDecades(Remedy remedy, std::span<const double> xs, double precision,
                                       double floor) {
    ClearUpperVectorState();
    std::vector<double> decades;
    decades.reserve(xs.size());
    for (double x : xs) {
        try {
            const double value = remedy == Remedy::Reduced ? ReducedSeriesValue(x, precision)
                                                           : CompensatedSeriesValue(x, precision);
            const long double error = std::fabs(value - StandInValue(x));
            decades.push_back(error > 0 ? static_cast<double>(std::log10(error)) : floor);
        } catch (const ArithmeticFault&) {
            decades.push_back(std::nan(""));
        }
    }
    return decades;
}
