#include "analysis/taylor.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/exactvalue.h"
#include "evaluation/checkedmath.h"
#include "evaluation/formulas.h"
#include "numtext/arithmeticfault.h"

namespace {

constexpr int kGridSteps = 2048;

// Whether S_n is within the tolerance of y* at x.
bool WithinAt(int n, double tolerance, double x) {
    const std::vector<double> sums = PartialSums(x, n);
    return static_cast<int>(sums.size()) == n &&
           std::fabs(sums.back() - ExactValue(x)) <= tolerance;
}

}  // namespace

std::vector<double> PartialSums(double x, int count) {
    std::vector<double> sums;
    sums.reserve(static_cast<size_t>(count));
    try {
        SeriesTerms terms(x);
        double sum = 0.0;
        for (int n = 1; n <= count; ++n) {
            sum = CheckedAdd(sum, terms.Next());
            sums.push_back(sum);
        }
    } catch (const ArithmeticFault&) {
        // the sums up to the term that left the reals
    }
    return sums;
}

TaylorSamples SampleTaylor(double low, double high, int count, std::span<const int> degrees) {
    TaylorSamples samples;
    int most = 1;
    for (const int n : degrees) {
        most = std::max(most, n);
    }
    samples.sums.assign(degrees.size(), {});
    const double span = high - low;
    for (int i = 0; i < count; ++i) {
        const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
        // Weighted where the width itself is beyond the reals ([-DBL_MAX, DBL_MAX]).
        const double x = i + 1 == count        ? high
                         : std::isfinite(span) ? low + span * t
                                               : low * (1 - t) + high * t;
        samples.x.push_back(x);
        samples.exact.push_back(ExactValue(x));
        const std::vector<double> sums = PartialSums(x, most);
        for (size_t j = 0; j < degrees.size(); ++j) {
            const auto at = static_cast<size_t>(degrees[j]);
            samples.sums[j].push_back(at <= sums.size() ? sums[at - 1]
                                                        : std::numeric_limits<double>::quiet_NaN());
        }
    }
    return samples;
}

double GoodRadius(int n, double tolerance, double reach) {
    double good = 0.0;
    for (int i = 1; i <= kGridSteps; ++i) {
        const double x = reach * i / kGridSteps;
        if (!WithinAt(n, tolerance, x)) {
            // Halved until the two meet in adjacent reals: a grid step of a
            // reach near the largest real takes about a thousand halvings to
            // come down to a radius of 1, and each costs a microsecond.
            double bad = x;
            for (;;) {
                const double middle = good + (bad - good) / 2;
                if (middle <= good || middle >= bad) {
                    return good;
                }
                (WithinAt(n, tolerance, middle) ? good : bad) = middle;
            }
        }
        good = x;
    }
    return reach;
}
