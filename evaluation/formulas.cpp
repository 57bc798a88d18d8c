#include "evaluation/formulas.h"

#include <cmath>

#include "evaluation/checkedmath.h"

namespace {

constexpr double kUnitRoundoff = 0x1p-53;
// Covers the rounding of the bound's own arithmetic.
constexpr double kBoundAllowance = 1 + 0x1p-20;

// gamma(m) = m u / (1 - m u): the relative error of m roundings at most.
double Gamma(int m) {
    const double mu = m * kUnitRoundoff;
    return mu / (1 - mu);
}

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
    double sum = 0.0;
    double term = 0.0;
    double magnitudes = 0.0;  // sum of |T_k|
    double termErrors = 0.0;  // sum of gamma(2k + 4) |T_k|
    do {
        term = terms.Next();
        sum = CheckedAdd(sum, term);
        magnitudes += std::fabs(term);
        termErrors += Gamma(2 * terms.Index() + 4) * std::fabs(term);
    } while (std::fabs(term) > precision);
    const int n = terms.Index();
    const double roundingBound = (Gamma(n - 1) * magnitudes + termErrors) * kBoundAllowance;
    return {sum, n, term, roundingBound, magnitudes};
}

double ClosedFormValue(double x) {
    const double cosine = Checked(std::cos(x), FaultOperation::Cosine);
    // What the real power u^2 gives: the square, rounded once.
    const double square = cosine * cosine;
    return CheckedMultiply(square - 1.0, 2.0);
}
