#pragma once

// The two ways of computing y = 2((cos x)^2 - 1) = cos 2x - 1. Every real
// operation is checked: a result beyond the real range, a division by zero or
// an invalid operation throws ArithmeticFault.

// One evaluation of the power series: the partial sum, the index n of the
// last term computed and that term.
struct SeriesResult {
    double Sum = 0.0;
    int TermIndex = 0;
    double Term = 0.0;
};

// m! as a real, built by multiplying from 1 up.
//   Factorial(0) -> 1; Factorial(4) -> 24; Factorial(12) -> 479001600
// Throws ArithmeticFault (Overflow) from m = 171 on.
double Factorial(int m);

// Sums -(2x)^2/2! + (2x)^4/4! - ... + (-1)^n (2x)^(2n)/(2n)! term by term,
// stopping after the first term whose magnitude does not exceed `precision`;
// that term is part of the sum and at least one term is always added.
//   SeriesValue(0.1, 15^-4) -> {Sum -0.019933422222..., TermIndex 3}
//   SeriesValue(1, 15^-4)   -> {Sum -1.4161466517..., TermIndex 6}
//   SeriesValue(0, p)       -> {Sum 0, TermIndex 1, Term 0} for any p >= 0
// Throws ArithmeticFault when a power or the factorial leaves the real range;
// the factorial does from n = 86 on. A precision of 0 is met only once a term
// underflows to 0, which happens for small |x| before that
// (SeriesValue(1e-10, 0) stops at n = 16, SeriesValue(0.001, 0) at n = 39);
// for larger |x|, and for any precision below 0, the series faults.
SeriesResult SeriesValue(double x, double precision);

// 2((cos x)^2 - 1), x in radians; lies in [-2, 0].
//   ClosedFormValue(0) -> 0; ClosedFormValue(pi / 2) -> -2 (to rounding)
double ClosedFormValue(double x);
