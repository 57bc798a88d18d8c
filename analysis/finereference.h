#pragma once

#include <optional>

// The exact reference y* = -2 sin^2 x to 128 bits in integer arithmetic, a
// few dozen nanoseconds a value, with a proved bound of its error; where the
// bound cannot settle a result, the caller asks MPFR instead.

__extension__ using FineMantissa = unsigned __int128;

// |y*| = mantissa * 2^(exponent - 128), the mantissa's top bit set; y* <= 0.
struct FineValue {
    FineMantissa mantissa = 0;
    int exponent = 0;
};

// Relative error of FineMinusTwiceSineSquared at most 2^-kFineErrorBits
// (the derivation is in finereference.cpp).
inline constexpr int kFineErrorBits = 120;

// |y*| at x to 128 bits. The argument is reduced by 2/pi to 256 bits past the
// binary point (every double, up to the largest, reduces exactly enough), and
// sin^2 r summed by its Taylor series in 128-bit fixed point.
// Empty for x = 0 and where |x| < 2^-480, whose y* lies near the subnormals,
// and for the rare x within 2^-62 of a multiple of pi / 2.
//   FineMinusTwiceSineSquared(1) -> about 1.4161468365471424 (|cos 2 - 1|)
std::optional<FineValue> FineMinusTwiceSineSquared(double x);

// y*, correctly rounded, where everything within the fine value's error
// bound rounds to the same double (the rounding test); otherwise empty.
//   RoundedFine(FineMinusTwiceSineSquared(1)) -> -1.4161468365471424
std::optional<double> RoundedFine(const FineValue& fine);

// |value - y*| correctly rounded, where the fine value's error bound
// settles it; otherwise empty (value within about 2^-66 |y*| of y*, or y*
// near the subnormals).
std::optional<double> FineErrorOf(const FineValue& fine, double value);
