#pragma once

#include <optional>
#include <vector>

#include "numtext/arithmeticfault.h"

// What the series went through at one abscissa, term by term, as the run
// summed it: for the table and the plot of "Разбор ряда" and for
// "tabulator --terms".

struct TermStep {
    int n = 0;
    double term = 0.0;            // T_n
    double partialSum = 0.0;      // S_n = T_1 + ... + T_n, summed as the run sums
    double error = 0.0;           // |S_n - y*|
    bool abovePrecision = false;  // |T_n| > precision: the loop goes on
    double roundingBound = 0.0;   // the rounding bound of S_n; infinite where (2n + 4) u >= 1
    double roundingFloor = 0.0;   // u (|T_1| + ... + |T_n|), u = 2^-bits: what rounding leaves
};

struct SeriesBreakdown {
    double x = 0.0;
    double precision = 0.0;
    double exact = 0.0;  // y*, correctly rounded
    int bits = 53;       // the working precision it was summed at
    std::vector<TermStep> steps;
    // The fault that ended the series before it met the precision, if one did.
    std::optional<ArithmeticFault> fault;
};

// The series at x summed to `precision` (above 0), every step kept. The last
// partial sum is the run's y at x to the bit; a series that faults keeps the
// steps made before.
//   BreakDownSeries(0.1, 15^-4): 3 steps, S_3 = -0.019933422222222226
//   BreakDownSeries(15, 15^-4): 45 steps, |T_n| up to about 8e11, |S_n - y*| at the end
//     about 2e-4, about a third of the floor u sum |T_k| (6e-4)
SeriesBreakdown BreakDownSeries(double x, double precision);

// Keeps a step in the breakdown, marking whether its term is above the
// precision; whether the series goes on past it.
bool KeepStep(SeriesBreakdown& breakdown, TermStep step);
