#include "numtext/formatnumber.h"

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

// Whether the fixed text holds no digit but zeros.
bool IsAllZeros(std::string_view digits) {
    return digits.find_first_not_of("0.") == std::string_view::npos;
}

}  // namespace

void AppendFormattedNumber(std::string& out, double value, NumberPattern pattern) {
    RequireFinite(value);
    // std::to_chars rounds the exact binary value, ties to even, and ignores
    // the locale: exactly the rounding the patterns ask for.
    char buffer[kMaxFixedLength];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::fixed, pattern.Decimals());
    std::string_view fixed(buffer, static_cast<size_t>(written.ptr - buffer));

    const size_t point = fixed.find('.');
    std::string_view integerDigits = fixed.substr(0, point);
    std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : fixed.substr(point + 1);
    while (decimals.size() > static_cast<size_t>(pattern.MinDecimals()) && decimals.back() == '0') {
        decimals.remove_suffix(1);
    }
    if (integerDigits == "0" && pattern.MinIntegerDigits() == 0) {
        integerDigits = {};
    }

    const size_t start = out.size();
    if (value < 0 && !IsAllZeros(fixed)) {
        out.push_back('-');
    }
    if (static_cast<int>(integerDigits.size()) < pattern.MinIntegerDigits()) {
        out.append(static_cast<size_t>(pattern.MinIntegerDigits()) - integerDigits.size(), '0');
    }
    out.append(integerDigits);
    if (!decimals.empty()) {
        out.push_back('.');
        out.append(decimals);
    }
    if (out.size() == start) {
        out.push_back('0');  // a zero under "#." patterns must still read as a number
    }
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
