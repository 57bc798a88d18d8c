#pragma once

#include <cstddef>
#include <span>
#include <vector>

// The error curves a plot draws, line by line, against the stand-in y*
// (StandInValue): fast enough for a million lines, far below a double's
// rounding. Each call is a long loop that begins with clean vector registers.

// The stand-in y* at each abscissa.
std::vector<long double> StandInColumn(std::span<const double> xs);

// |values[i] - exact[i]| for each line.
//   values {-1, 0}, exact {-1.5, 0} -> {0.5, 0}
std::vector<double> AbsoluteErrors(std::span<const double> values,
                                   std::span<const long double> exact);

// The two remedies set beside the series (analysis/remedies.h).
enum class Remedy { Reduced, Compensated };

// log10 |remedy(x) - y*| at each of `xs` with the run's precision; `floor`
// where the error is 0, NaN where the remedy faults (a gap in the curve).
//   Reduced, xs {0}, floor -20 -> {-20}
std::vector<double> RemedyErrorDecades(Remedy remedy, std::span<const double> xs, double precision,
                                       double floor);
