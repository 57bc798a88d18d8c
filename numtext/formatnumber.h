#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// A digit pattern: an integer part and a decimal part of "0" and "#"
// characters around one ".", such as "0.0########", "0.###" or
// "#.############". A "0" asks for a digit that is always printed, a "#" for
// one printed only when it is not a dropped zero. Understood once, at compile
// time where the pattern is a constant:
//   constexpr NumberPattern kAbscissa("0.0########");  // 1 to 9 decimals
// Throws std::invalid_argument for other characters, for a second ".", and
// for more than kMaxDecimals decimals or kMaxIntegerDigits "0" integer
// digits (a compile error in a constant).
class NumberPattern {
public:
    static constexpr int kMaxDecimals = 18;
    static constexpr int kMaxIntegerDigits = 18;

    constexpr explicit NumberPattern(std::string_view pattern) {
        bool inDecimals = false;
        for (char c : pattern) {
            if (c == '.' && !inDecimals) {
                inDecimals = true;
            } else if (c == '0' || c == '#') {
                const int always = c == '0' ? 1 : 0;
                if (inDecimals) {
                    ++decimals_;
                    minDecimals_ += always;
                } else {
                    minIntegerDigits_ += always;
                }
            } else {
                throw std::invalid_argument("number pattern: unexpected character");
            }
        }
        if (decimals_ > kMaxDecimals) {
            throw std::invalid_argument("number pattern: too many decimals");
        }
        if (minIntegerDigits_ > kMaxIntegerDigits) {
            throw std::invalid_argument("number pattern: too many integer digits");
        }
    }

    constexpr int MinIntegerDigits() const { return minIntegerDigits_; }
    constexpr int Decimals() const { return decimals_; }
    constexpr int MinDecimals() const { return minDecimals_; }

private:
    int minIntegerDigits_ = 0;
    int decimals_ = 0;
    int minDecimals_ = 0;
};

// Prints `value` by a digit pattern. The value's exact binary magnitude is
// rounded to as many decimals as the pattern has (an exact tie goes to the
// even digit). Every integer digit is printed, without grouping; with a "0"
// before the point a zero integer part prints as "0", with a "#" as nothing.
// Trailing decimal zeros are dropped, but never below the number of "0"
// characters in the decimal part; no "." is printed when no decimal digit
// remains. A value that rounds to zero prints without "-", and never as empty
// text. The decimal point is always ".", whatever the locale.
//   FormatNumber(0.1, "0.0########") -> "0.1"
//   FormatNumber(1, "0.0########") -> "1.0"
//   FormatNumber(-0.01993342215875815, "0.###") -> "-0.02"
//   FormatNumber(0.0004, "0.###") -> "0"
//   FormatNumber(1.9753086419753087e-05, "#.############") -> ".000019753086"
// Throws ArithmeticFault for an infinite (Overflow) or NaN (InvalidOperation)
// value, and std::invalid_argument for a malformed pattern text.
std::string FormatNumber(double value, NumberPattern pattern);
std::string FormatNumber(double value, std::string_view pattern);

// Appends FormatNumber(value, pattern) to `out`, without a temporary string.
void AppendFormattedNumber(std::string& out, double value, NumberPattern pattern);

// Appends the shortest text with "." as the point that reads back, through
// ReadNumber, as exactly `value` (finite): in fixed or exponent form,
// whichever is shorter.
//   0.1 -> "0.1"; 1.9753086419753087e-05 -> "1.9753086419753087e-05";
//   1e22 -> "1e+22"; -2 -> "-2"
// Throws ArithmeticFault for a value that is not finite, as FormatNumber.
void AppendShortestNumber(std::string& out, double value);
