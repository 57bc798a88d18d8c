#pragma once

#include <optional>
#include <vector>

#include "analysis/seriesbreakdown.h"
#include "evaluation/formulas.h"

// The same series at another working precision: every operation the run's
// series makes (the doubling of x, the power, the factorial's products, the
// division, the sign and the sum) rounded to p bits instead of a double's 53,
// by MPFR with a double's exponent range (subnormals included), so that only
// the precision differs: binary32's narrow range would overflow first and
// hide what rounding does. The power is MPFR's, correctly rounded, except at
// 53 bits, where it is the run's own (the library's pow, within an ulp), so
// that the double's column is the run's sum to the bit. The rounding floor
// u Σ|Tₖ| moves with u = 2^-p.

inline constexpr int kFewestBits = 2;
inline constexpr int kMostBits = 1024;
// The precisions the terms are shown at beside the user's own: binary32,
// the double, x87 extended and binary128.
inline constexpr int kShownBits[] = {24, 53, 64, 113};

// The partial sums' errors |Sₙ − y*| for n = 1 ... count, the series summed
// at `bits` bits (kFewestBits to kMostBits) whatever its stopping rule says;
// fewer where a term leaves the double's range first.
//   PartialSumErrorsAtBits(20, 53, 80).back() -> about 2.5 (rounding)
//   PartialSumErrorsAtBits(20, 113, 80).back() -> about 1e-16
std::vector<double> PartialSumErrorsAtBits(double x, int bits, int count);

// BreakDownSeries at `bits` bits: the series summed to `precision` by the
// same stopping rule on its own terms, each step's term and partial sum
// rounded to the nearest double for showing, their errors exact, the
// rounding bound and floor with u = 2^-bits. At 53 bits it equals the run's
// own sum to the bit.
SeriesBreakdown BreakDownSeriesAtBits(double x, double precision, int bits);

// The fewest bits of working precision for which this line's rounding bound
// (RoundingBound's formula with u = 2^-p) is within `precision`; none up to
// kMostBits. A line with no rounding to bound (x = 0) needs kFewestBits.
//   about 75 at x = 20 with the precision 15^-4; 40 at x = 1
std::optional<int> BitsNeeded(const SeriesDetail& series, double precision);
