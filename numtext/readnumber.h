#pragma once

#include <cstddef>
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
// Throws ArithmeticFault (Overflow, ReadingNumber) for a number beyond the
// real range, such as "1e400".
double ReadNumber(std::string_view text);

// What ReadNumber makes of a text, told without throwing, so that a front end
// can show the user how the text will be read.
struct NumberReading {
    double value = 0.0;        // what ReadNumber returns (0 when beyond the range)
    size_t end = 0;            // bytes read: blanks, sign and number; 0 when no number
    bool hasNumber = false;    // whether the text starts with a number
    bool beyondRange = false;  // whether ReadNumber throws for it
};

//   ReadNumberReport("0.5 м")  -> {0.5, 3, true, false}
//   ReadNumberReport("0,5")    -> {0, 1, true, false}
//   ReadNumberReport(" abc")   -> {0, 0, false, false}
//   ReadNumberReport("-1e400") -> {0, 6, true, true}
NumberReading ReadNumberReport(std::string_view text);
