#include "numtext/formatnumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "numtext/arithmeticfault.h"

namespace {

// The widest fixed text of a magnitude: 309 integer digits of the largest
// real, the point and the most decimals a pattern may ask for.
constexpr int kMaxFixedLength = 309 + 1 + NumberPattern::kMaxDecimals;

void RequireFinite(double value) {
    if (std::isnan(value)) {
        throw ArithmeticFault(FaultKind::InvalidOperation, FaultOperation::Printing);
    }
    if (std::isinf(value)) {
        throw ArithmeticFault(FaultKind::Overflow, FaultOperation::Printing);
    }
}

}  // namespace

void AppendFormattedNumber(std::string& out, double value, NumberPattern pattern) {
    RequireFinite(value);
    // std::to_chars rounds the exact binary value, ties to even, and ignores
    // the locale: exactly the rounding the patterns ask for. The text is made
    // whole in one buffer, with room for a sign and leading zeros before it,
    // and appended at once: a coordinate line's two numbers are most of its cost.
    constexpr int kRoomBefore = 1 + NumberPattern::kMaxIntegerDigits;
    char buffer[kRoomBefore + kMaxFixedLength + 1];
    char* const digits = buffer + kRoomBefore;
    const int decimals = pattern.Decimals();
    char* const end = std::to_chars(digits, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::fixed, decimals)
                          .ptr;
    // With decimals, to_chars puts the point just before the last of them.
    char* const point = decimals > 0 ? end - decimals - 1 : end;
    const bool allZeros =
        std::find_if(digits, end, [](char c) { return c != '0' && c != '.'; }) == end;
    char* kept = end;
    while (kept > point + 1 + pattern.MinDecimals() && kept[-1] == '0') {
        --kept;
    }
    if (kept == point + 1) {
        kept = point;  // no decimal left: no point either
    }
    char* first = digits;
    if (point - digits == 1 && digits[0] == '0' && pattern.MinIntegerDigits() == 0) {
        ++first;  // "#." writes no integer digit for a zero integer part
    }
    for (auto integerDigits = point - first; integerDigits < pattern.MinIntegerDigits();
         ++integerDigits) {
        *--first = '0';
    }
    if (value < 0 && !allZeros) {
        *--first = '-';
    }
    if (first == kept) {
        *--first = '0';  // a zero under "#." patterns must still read as a number
        kept = first + 1;
    }
    out.append(first, kept);
}

std::string FormatNumber(double value, NumberPattern pattern) {
    std::string text;
    AppendFormattedNumber(text, value, pattern);
    return text;
}

std::string FormatNumber(double value, std::string_view pattern) {
    return FormatNumber(value, NumberPattern(pattern));
}

void AppendShortestNumber(std::string& out, double value) {
    RequireFinite(value);
    char buffer[32];  // the longest shortest form: "-2.2250738585072014e-308"
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, written.ptr);
}
