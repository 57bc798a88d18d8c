#pragma once

#include <span>
#include <vector>

// The Taylor polynomials of cos 2x − 1 about 0, S_n(x) = T_1(x) + ... +
// T_n(x), summed exactly as the run's series sums them: the same terms
// (SeriesTerms), in the same order, in doubles. Near 0 they hug y*; further
// out the truncation shows, and at large |x| the rounding of large terms as
// well.

// The largest n: (2n)! leaves the reals from n = 86 on.
inline constexpr int kMostTaylorDegree = 85;

// S_1(x) ... S_count(x); fewer where a term leaves the reals first.
//   PartialSums(0.1, 3) -> {-0.02, -0.01993333..., -0.019933422222222226}
std::vector<double> PartialSums(double x, int count);

// The polynomials of the given degrees (each 1 ... kMostTaylorDegree) and y*
// at `count` abscissas spread evenly over [low, high], the ends included.
// A polynomial whose terms leave the reals at an abscissa is NaN there.
struct TaylorSamples {
    std::vector<double> x;
    std::vector<double> exact;              // y*
    std::vector<std::vector<double>> sums;  // sums[j][i]: S_(degrees[j]) at x[i]
};
TaylorSamples SampleTaylor(double low, double high, int count, std::span<const int> degrees);

// How far from 0 S_n stays within `tolerance` of y*: the largest r up to
// `reach` such that |S_n(x) − y*| <= tolerance wherever |x| <= r, found on a
// fine grid and refined by bisection (S_n and y* are even, so one side tells
// both). 0 where even the first step fails.
//   GoodRadius(6, 15^-4, 10) -> about 1.40, where (2x)^14 / 14! meets 15^-4
double GoodRadius(int n, double tolerance, double reach);
