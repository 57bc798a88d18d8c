#pragma once

#include "analysis/finereference.h"

// The exact reference y* = cos 2x - 1 that the series and the closed form are
// measured against, computed as -2 sin^2 x, which does not cancel near x = 0
// (where cos 2x - 1 loses every digit).

// y* rounded to the nearest double, correctly, for every finite x.
//
// First in 128-bit integer arithmetic (analysis/finereference.h), a few dozen
// nanoseconds, whose result is kept only where its proved error bound shows
// that everything within it rounds to the same double (the rounding test). Where it
// cannot (about one abscissa in 2^65, and x within 2^-62 of a multiple of
// pi/2, or |x| < 2^-480), MPFR: it computes sin x correctly rounded to p bits
// (it reduces any argument exactly, up to the largest real), then squares it,
// rounded to p bits, and doubles it exactly, so the result is within
// 3 * 2^-p of y* relative to its size. It starts at p = 128 bits. The double
// is returned only once mpfr_can_round proves that everything within that
// error rounds to the same double (at the double's own precision, fewer bits
// for subnormal results); otherwise p doubles and it starts again. For
// x != 0, y* is transcendental, never a midpoint between two doubles, so the
// loop ends; x = 0 gives 0 exactly. No table of hard cases is trusted: each
// result carries its own proof, over the whole range of reals.
//   ExactValue(0) -> 0;  ExactValue(1e-6) -> -1.9999999999993331e-12
//   ExactValue(1) -> -1.4161468365471424 (cos 2 - 1)
double ExactValue(double x);

// |value - y*| correctly rounded: from the 128-bit y* where its bound settles
// the last bit (every value but those within about 2^-66 |y*| of y*),
// otherwise from MPFR by the same loop of doubling precisions.
//   ErrorAgainstExact(-1.4161468365471424, 1) -> about 1e-17 (y*'s own rounding)
double ErrorAgainstExact(double value, double x);

// The same two by MPFR alone: the fallback above, and the oracle the fast
// path is tested against.
double ExactValueByMpfr(double x);
double ErrorAgainstExactByMpfr(double value, double x);

// y* at one abscissa, kept at 128 bits, to measure several values against
// without computing it again.
class ExactReference {
public:
    explicit ExactReference(double x);

    double Value() const { return value_; }  // ExactValue(x)
    double ErrorOf(double value) const;      // ErrorAgainstExact(value, x)

private:
    double x_;
    FineValue fine_;
    bool hasFine_ = false;
    double value_ = 0;
};

// The MPFR the program runs with: "4.2.0".
const char* MpfrVersion();

// Frees what MPFR keeps for the calling thread (its constants' caches); a
// thread that measured against y* calls it before it ends.
void ReleaseThreadCaches();

// A stand-in for y* in long double, for curves over a million abscissas
// where MPFR would take seconds: within about 1e-18 of y* (absolute), far
// below a double's rounding of values near -2, in about 50 nanoseconds. For
// |x| below 2^24 it reduces x by a three-part pi and sums the Taylor series of
// sin, or of cos for the rest to pi/2, on [-pi/4, pi/4]; beyond, it takes
// sinl, whose reduction is exact but three times as slow.
long double StandInValue(double x);

// x - k pi, with k the integer nearest x / pi, so that |r| <= pi / 2 (to a
// unit in the last place), correct to about 1e-24 absolute before its
// rounding to a double. y has period pi, so y(r) = y(x).
//   ReducedArgument(1) -> 1;  ReducedArgument(4) -> 4 - pi = 0.85840734641020677
double ReducedArgument(double x);
