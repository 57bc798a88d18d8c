#include "analysis/errorcurves.h"

#include <cmath>

#include "analysis/exactvalue.h"
#include "analysis/remedies.h"
#include "evaluation/vectorstate.h"
#include "numtext/arithmeticfault.h"

std::vector<long double> StandInColumn(std::span<const double> xs) {
    ClearUpperVectorState();
    std::vector<long double> exact;
    exact.reserve(xs.size());
    for (double x : xs) {
        exact.push_back(StandInValue(x));
    }
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
