#pragma once

// Two ways of mending the series where its terms grow large, to set beside
// it: one that works and one that does not.

// The series summed at the reduced argument r = x - k pi (|r| <= pi / 2,
// ReducedArgument), to the same precision: y has period pi, and at r the
// terms stay below 5, so their rounding errors stay below 1e-15.
//   ReducedSeriesValue(20, 15^-4) is within the precision of cos 40 - 1;
//   the plain series at 20 is off by more than 1.
double ReducedSeriesValue(double x, double precision);

// The very terms of the plain series, the same stopping rule, summed with
// compensated summation (each addition's own error carried along): the adding is then exact to
// about a unit in the last place of the sum, but the terms themselves carry rounding errors
// relative to their own size, so where they are large the sum stays as far off as the plain one.
//   CompensatedSeriesValue(20, 15^-4) is off by more than 1, as the plain sum.
// Throws ArithmeticFault where the plain series does.
double CompensatedSeriesValue(double x, double precision);
