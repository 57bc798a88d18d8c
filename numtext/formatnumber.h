#pragma once

#include <string>
#include <string_view>

// Prints `value` by a digit pattern: an integer part and a decimal part of
// "0" and "#" characters around one ".", such as "0.0########", "0.###" or
// "#.############". The value's exact binary magnitude is rounded to as many
// decimals as the decimal part has characters (an exact tie goes to the even
// digit). Every integer digit is printed, without grouping; with a "0" before
// the point a zero integer part prints as "0", with a "#" as nothing. Trailing
// decimal zeros are dropped, but never below the number of "0" characters in
// the decimal part; no "." is printed when no decimal digit remains. A value
// that rounds to zero prints without "-", and never as empty text. The
// decimal point is always ".", whatever the locale.
//   FormatNumber(0.1, "0.0########") -> "0.1"
//   FormatNumber(1, "0.0########") -> "1.0"
//   FormatNumber(-0.01993342215875815, "0.###") -> "-0.02"
//   FormatNumber(0.0004, "0.###") -> "0"
//   FormatNumber(1.9753086419753087e-05, "#.############") -> ".000019753086"
// Throws std::invalid_argument for a pattern of other characters or of more
// than 18 decimals, and ArithmeticFault for an infinite (Overflow) or NaN
// (InvalidOperation) value.
std::string FormatNumber(double value, std::string_view pattern);

// Appends FormatNumber(value, pattern) to `out`, without a temporary string.
void AppendFormattedNumber(std::string& out, double value, std::string_view pattern);
