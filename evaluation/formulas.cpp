#include "evaluation/formulas.h"

#include <cmath>
#include <limits>

#include "evaluation/checkedmath.h"

namespace {

// Units of the smallest subnormal allowed per operation of the series, for
// results too small to keep their relative error.
constexpr double kUnderflowUnits = 8;
constexpr double kSmallestSubnormal = std::numeric_limits<double>::denorm_min();
// Raises a bound computed in long double past its own rounding.
constexpr long double kTruncationAllowance = 1 + 0x1p-50L;

}  // namespace

double Factorial(int m) {
    double product = 1.0;
    for (int i = 1; i <= m; ++i) {
        product = CheckedMultiply(product, i);
    }
    return product;
}

SeriesResult SeriesValue(double x, double precision) {
    // Locals, not the result's fields, so the loop keeps them in registers
    // across the calls of pow.
    SeriesTerms terms(x);
    RoundingTally rounding;
    double sum = 0.0;
    double term = 0.0;
    do {
        term = terms.Next();
        sum = CheckedAdd(sum, term);
        rounding.Add(term, terms.Index());
    } while (std::fabs(term) > precision);
    SeriesResult result;
    result.TermIndex = terms.Index();
    result.Term = term;
    result.RoundingBound = rounding.Bound();
    result.MagnitudeSum = rounding.MagnitudeSum();
    result.Sum = sum;
    return result;
}

std::optional<double> TruncationBound(double x, int termCount, double lastTerm) {
    const long double n = termCount;
    const long double ratioDenominator = (2 * n + 1) * (2 * n + 2);
    const long double doubledXSquared = 4.0L * x * x;
    if (!(doubledXSquared * kTruncationAllowance < ratioDenominator)) {
        return std::nullopt;  // the terms may still grow: nothing bounds the rest
    }
    // The exact t_n: within gamma(2n + 4) of the computed term, or a few
    // subnormal units where it was too small to keep its relative error.
    const long double exactTerm =
        std::fabs(static_cast<long double>(lastTerm)) *
            (1 + static_cast<long double>(series_detail::Gamma(2 * termCount + 4))) +
        (x == 0 ? 0 : kUnderflowUnits * kSmallestSubnormal);
    const long double bound = exactTerm * doubledXSquared / ratioDenominator * kTruncationAllowance;
    const auto rounded = static_cast<double>(bound);
    return rounded < bound ? std::nextafter(rounded, 2 * rounded + 1) : rounded;
}

bool IsGuaranteed(double x, const SeriesDetail& series, double precision) {
    const std::optional<double> truncation = TruncationBound(x, series.TermIndex, series.Term);
    if (!truncation) {
        return false;
    }
    const long double underflow = x == 0 ? 0
                                         : kUnderflowUnits * 4 * (series.TermIndex + 1) *
                                               static_cast<long double>(kSmallestSubnormal);
    return static_cast<long double>(series.RoundingBound) + *truncation + underflow <= precision;
}

double ClosedFormValue(double x) {
    const double cosine = Checked(std::cos(x), FaultOperation::Cosine);
    // What the real power u^2 gives: the square, rounded once.
    const double square = cosine * cosine;
    return CheckedMultiply(square - 1.0, 2.0);
}
