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
    SeriesResult result;
    const double doubledX = CheckedMultiply(2.0, x);
    // (2n)! grows by the same products, in the same order, that Factorial(2n)
    // makes from 1, so it equals Factorial(2n) to the bit without the
    // quadratic cost of starting over for every term.
    double factorial = 1.0;
    double termErrors = 0.0;  // sum of gamma(2k + 4) |T_k|
    do {
        const int n = ++result.TermIndex;
        factorial = CheckedMultiply(CheckedMultiply(factorial, 2 * n - 1), 2 * n);
        const double sign = n % 2 == 0 ? 1.0 : -1.0;  // (-1)^n
        const double numerator = CheckedMultiply(sign, CheckedPower(doubledX, 2 * n));
        result.Term = CheckedDivide(numerator, factorial);
        result.Sum = CheckedAdd(result.Sum, result.Term);
        result.MagnitudeSum += std::fabs(result.Term);
        termErrors += Gamma(2 * n + 4) * std::fabs(result.Term);
    } while (std::fabs(result.Term) > precision);
    result.RoundingBound =
        (Gamma(result.TermIndex - 1) * result.MagnitudeSum + termErrors) * kBoundAllowance;
    return result;
}

double ClosedFormValue(double x) {
    const double cosine = Checked(std::cos(x), FaultOperation::Cosine);
    // What the real power u^2 gives: the square, rounded once.
    const double square = cosine * cosine;
    return CheckedMultiply(square - 1.0, 2.0);
}
