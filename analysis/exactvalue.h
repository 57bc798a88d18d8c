#pragma once

// The exact reference y* = cos 2x - 1 that the series and the closed form are
// measured against, computed as -2 sin^2 x, which does not cancel near x = 0
// (where cos 2x - 1 loses every digit).

// y* rounded to the nearest double, correctly, for every finite x.
//
// How many bits, and why they suffice: MPFR computes sin x correctly rounded
// to p bits (it reduces any argument exactly, up to the largest real), then
// squares it, rounded to p bits, and doubles it exactly, so the result is
// within 3 * 2^-p of y* relative to its size. It starts at p = 128 bits. The
// double is returned only once mpfr_can_round proves that everything within
// that error rounds to the same double (at the double's own precision, fewer
// bits for subnormal results); otherwise p doubles and it starts again. For
// x != 0, y* is transcendental, never a midpoint between two doubles, so the
// loop ends; x = 0 gives 0 exactly. No table of hard cases is trusted: each
// result carries its own proof, over the whole range of reals the program
// can meet. In practice 128 bits have sufficed for every abscissa tried (the
// tests try a million); a value takes about 2 microseconds.
//   ExactValue(0) -> 0;  ExactValue(1e-6) -> -1.9999999999993331e-12
//   ExactValue(1) -> -1.4161468365471424 (cos 2 - 1)
double ExactValue(double x);

// |value - y*|, with the difference formed exactly from y* at 128 bits and
// then rounded: the error of `value`, true to far more digits than it is shown.
//   ErrorAgainstExact(-1.4161468365471424, 1) -> about 1e-17 (y*'s own rounding)
double ErrorAgainstExact(double value, double x);

// y* at one abscissa, kept at 128 bits, to measure several values against
// without computing it again.
class ExactReference {
public:
    explicit ExactReference(double x);
    ~ExactReference();
    ExactReference(const ExactReference&) = delete;
    ExactReference& operator=(const ExactReference&) = delete;

    double Value() const { return value_; }  // ExactValue(x)
    double ErrorOf(double value) const;      // ErrorAgainstExact(value, x)

private:
    struct Bits;
    Bits* bits_;
    double value_;
};

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
