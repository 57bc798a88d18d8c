#pragma once

#include <string>

// An oracle for number printing, independent of the code under test: the
// exact decimal expansion of a real, made with plain big-integer arithmetic,
// then rounded in decimal.

// The exact decimal digits of |value| (finite), to a number of decimals.
struct DecimalExpansion {
    std::string integerDigits;   // "0" for |value| < 1
    std::string fractionDigits;  // the first decimals, exactly
    bool nonZeroBeyond = false;  // whether any later decimal is nonzero
};

DecimalExpansion ExpandExactly(double value, int decimals);

// The expansion rounded to `decimals` (fewer than it holds), ties to even, as
// "<integer digits>.<exactly `decimals` digits>" (no point for 0 decimals).
//   ExactRounded(ExpandExactly(0.0625, 13), 3) -> "0.062"
std::string ExactRounded(const DecimalExpansion& expansion, int decimals);

// What a digit pattern prints for `value`, from its expansion: rounded to
// `decimals`, trailing zeros dropped down to `minDecimals`, a zero integer part
// dropped unless `zeroIntegerDigit`, "-" only before a nonzero result, and
// "0" for what would be empty.
std::string PatternOracle(double value, const DecimalExpansion& expansion, int decimals,
                          int minDecimals, bool zeroIntegerDigit);

// The program's four digit patterns and what each asks for.
struct PatternCase {
    const char* pattern;
    int decimals;
    int minDecimals;
    bool zeroIntegerDigit;  // "0" before the point
};

inline constexpr PatternCase kProgramPatterns[] = {
    {"0.0########", 9, 1, true},
    {"0.############", 12, 0, true},
    {"0.###", 3, 0, true},
    {"#.############", 12, 0, false},
};
