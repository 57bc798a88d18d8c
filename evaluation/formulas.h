#pragma once

#include <cmath>
#include <optional>

// The two ways of computing y = 2((cos x)^2 - 1) = cos 2x - 1. Every real
// operation is checked: a result beyond the real range, a division by zero or
// an invalid operation throws ArithmeticFault.

// What the series went through at one abscissa, beside its sum: the index n
// of the last term computed and that term, a bound of the rounding error in
// the sum, and the sum of the magnitudes of the terms added. A run's record
// keeps one per series line.
struct SeriesDetail {
    int TermIndex = 0;
    double Term = 0.0;
    double RoundingBound = 0.0;
    double MagnitudeSum = 0.0;

    bool operator==(const SeriesDetail&) const = default;
};

// One evaluation of the power series: the partial sum, and what the series
// went through to reach it.
struct SeriesResult : SeriesDetail {
    double Sum = 0.0;
};

// The terms T_n = (-1)^n (2x)^(2n) / (2n)! of the series at x, n = 1, 2, ...,
// each computed exactly as SeriesValue computes it: the numerator, the product
// of the two real powers, divided by (2n)!. Whatever sums them, sums the very
// terms the run summed.
//   SeriesTerms(0.1): -0.02, 6.666666666666667e-05, -8.888888888888889e-08, ...
class SeriesTerms {
public:
    // Throws ArithmeticFault where 2x leaves the reals.
    explicit SeriesTerms(double x);

    // The next term, from T_1 on. Throws ArithmeticFault where a power or the
    // factorial leaves the reals; the factorial does from n = 86 on.
    double Next();
    // n of the term Next() gave last; 0 before the first.
    int Index() const { return n_; }

private:
    double doubledX_;
    // (2n)!, grown by the same products, in the same order, that Factorial(2n)
    // makes from 1, so it equals Factorial(2n) to the bit without the
    // quadratic cost of starting over for every term.
    double factorial_ = 1.0;
    int n_ = 0;
};

// The rounding bound of SeriesValue (below) for the terms summed so far,
// tallied term by term as they are added.
class RoundingTally {
public:
    // Counts T_n, the term just added.
    void Add(double term, int n);
    double MagnitudeSum() const { return magnitudes_; }
    double Bound() const;

private:
    double magnitudes_ = 0.0;  // sum of |T_k|
    double termErrors_ = 0.0;  // sum of gamma(2k + 4) |T_k|
    int n_ = 0;
};

// m! as a real, built by multiplying from 1 up.
//   Factorial(0) -> 1; Factorial(4) -> 24; Factorial(12) -> 479001600
// Throws ArithmeticFault (Overflow) from m = 171 on.
double Factorial(int m);

// Sums -(2x)^2/2! + (2x)^4/4! - ... + (-1)^n (2x)^(2n)/(2n)! term by term,
// stopping after the first term whose magnitude does not exceed `precision`;
// that term is part of the sum and at least one term is always added.
//
// RoundingBound bounds |Sum - (t_1 + ... + t_n)|, the distance between the
// computed sum and the exact sum of the exact terms, before any truncation.
// With u = 2^-53 the unit roundoff, gamma(m) = m u / (1 - m u), and T_k the
// computed terms:
//   each term is a power (within one unit in the last place, so 2u), a
//   division and (2k)! built by 2k roundings, so |T_k - t_k| <= gamma(2k + 4) |T_k|;
//   recursive summation of n terms adds at most gamma(n - 1) (|T_1| + ... + |T_n|);
//   RoundingBound = gamma(n - 1) sum |T_k| + sum gamma(2k + 4) |T_k|,
// raised by a factor 1 + 2^-20 to cover the rounding of the bound itself.
// Large |x| makes the terms grow to about e^(2|x|) / sqrt(4 pi |x|) before
// they shrink; they cancel to a sum within [-2, 0], and the bound shows how
// little of the requested precision survives that:
//   x = 1,  precision 15^-4: n = 6,  sum |T_k| = 2.76,   bound ~ 3.6e-15
//   x = 10, precision 15^-4: n = 31, sum |T_k| = 2.4e8,  bound ~ 1.5e-6
//   x = 13, precision 15^-4: n = 40, sum |T_k| = 9.8e10, bound ~ 7.5e-4
// The last exceeds the precision: Sum is not guaranteed to be within it.
//   SeriesValue(0.1, 15^-4) -> {Sum -0.019933422222..., TermIndex 3}
//   SeriesValue(1, 15^-4)   -> {Sum -1.4161466517..., TermIndex 6}
//   SeriesValue(0, p)       -> {Sum 0, TermIndex 1, Term 0} for any p >= 0
// Throws ArithmeticFault when a power or the factorial leaves the real range;
// the factorial does from n = 86 on. A precision of 0 is met only once a term
// underflows to 0, which happens for small |x| before that
// (SeriesValue(1e-10, 0) stops at n = 16, SeriesValue(0.001, 0) at n = 39);
// for larger |x|, and for any precision below 0, the series faults.
SeriesResult SeriesValue(double x, double precision);

// A bound of what the terms the series left out add up to. From T_(n+1) on
// the terms shrink once (2x)^2 < (2n + 1)(2n + 2), and they alternate, so the
// rest is at most the first term left out, |t_(n+1)| = |t_n| (2x)^2 /
// ((2n + 1)(2n + 2)), with the exact t_n bounded from the computed T_n as the
// rounding bound bounds it. Empty where the terms still grew when the loop
// stopped (a precision as large as the terms): nothing bounds the rest then.
//   x = 0.1, n = 3, T_3 = -8.888888888888889e-08 -> about 6.35e-11
//   x = 5, n = 1, T_1 = -50 (precision 1000) -> none
std::optional<double> TruncationBound(double x, int termCount, double lastTerm);

// Whether the series at x is proved to be within `precision` of cos 2x - 1:
// its rounding bound and its truncation bound together, with an allowance of
// a few units of the smallest subnormal per operation for terms too small to
// keep their relative error, do not exceed the precision. Never where there is
// no truncation bound. At x = 0 every term is exactly 0.
//   x = 1, precision 15^-4: guaranteed; x = 13, precision 15^-4: not (rounding)
bool IsGuaranteed(double x, const SeriesDetail& series, double precision);

// 2((cos x)^2 - 1), x in radians; lies in [-2, 0].
//   ClosedFormValue(0) -> 0; ClosedFormValue(pi / 2) -> -2 (to rounding)
double ClosedFormValue(double x);

// Defined here so that the series' loop keeps the walk and the tally in registers.
#include "evaluation/checkedmath.h"

namespace series_detail {

inline constexpr double kUnitRoundoff = 0x1p-53;
// Covers the rounding of the bound's own arithmetic.
inline constexpr double kBoundAllowance = 1 + 0x1p-20;

// gamma(m) = m u / (1 - m u): the relative error of m roundings at most.
inline double Gamma(int m) {
    const double mu = m * kUnitRoundoff;
    return mu / (1 - mu);
}

}  // namespace series_detail

inline void RoundingTally::Add(double term, int n) {
    magnitudes_ += std::fabs(term);
    termErrors_ += series_detail::Gamma(2 * n + 4) * std::fabs(term);
    n_ = n;
}

inline double RoundingTally::Bound() const {
    return (series_detail::Gamma(n_ - 1) * magnitudes_ + termErrors_) *
           series_detail::kBoundAllowance;
}

inline SeriesTerms::SeriesTerms(double x) : doubledX_(CheckedMultiply(2.0, x)) {}

inline double SeriesTerms::Next() {
    const int n = ++n_;
    factorial_ = CheckedMultiply(CheckedMultiply(factorial_, 2 * n - 1), 2 * n);
    const double sign = n % 2 == 0 ? 1.0 : -1.0;  // (-1)^n
    const double numerator = CheckedMultiply(sign, CheckedPower(doubledX_, 2 * n));
    return CheckedDivide(numerator, factorial_);
}
