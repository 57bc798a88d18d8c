#pragma once

#include <string_view>

// Reads the number at the start of `text` (UTF-8) and ignores what follows it.
// The number is: leading blanks (spaces and tabs), an optional "+" or "-",
// digits with at most one "." (the digits on either side of it may be absent,
// not both), then an optional exponent: "E" or "e", an optional sign, digits.
// The decimal point is always ".", whatever the locale. Text that holds no
// number there reads as 0. The result is the real nearest to the number; one
// too small for a real reads as 0 (or the nearest subnormal).
//   ReadNumber("0.1") -> 0.1        ReadNumber(".1") -> 0.1
//   ReadNumber("  2") -> 2          ReadNumber("0.5 м") -> 0.5
//   ReadNumber("1e-5") -> 0.00001   ReadNumber("0,5") -> 0, ReadNumber("") -> 0
// Throws ArithmeticFault (FaultKind::Overflow) for a number beyond the real
// range, such as "1e400".
double ReadNumber(std::string_view text);
