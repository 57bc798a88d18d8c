#include "numtext/readnumber.h"

#include <charconv>
#include <cstdint>

#include "numtext/arithmeticfault.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSign(char c) {
    return c == '+' || c == '-';
}

// Position of the first character at or after `pos` that is not a digit.
size_t SkipDigits(std::string_view text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// Position just past a well-formed exponent starting at `pos`, or `pos`
// itself when none starts there ("e" without digits is not an exponent).
size_t SkipExponent(std::string_view text, size_t pos) {
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
        return pos;
    }
    size_t digits = pos + 1;
    if (digits < text.size() && IsSign(text[digits])) {
        ++digits;
    }
    const size_t end = SkipDigits(text, digits);
    return end > digits ? end : pos;
}

// Value of the exponent's digits, saturated far beyond any real's range.
std::int64_t ExponentValue(std::string_view exponent) {
    constexpr std::int64_t kSaturation = 1'000'000'000;
    bool negative = false;
    std::int64_t value = 0;
    for (char c : exponent.substr(1)) {
        if (IsSign(c)) {
            negative = c == '-';
        } else if (value < kSaturation) {
            value = value * 10 + (c - '0');
        }
    }
    return negative ? -value : value;
}

// True when the decimal number given by its significand (digits with an
// optional point) and exponent is at least 1; used only to tell an overflow
// from an underflow, so the far ends of the range are all that matter.
bool IsAtLeastOne(std::string_view significand, std::int64_t exponent) {
    std::int64_t integerDigits = 0;  // counted from the first nonzero digit
    std::int64_t leadingFractionZeros = 0;
    bool seenPoint = false;
    for (char c : significand) {
        if (c == '.') {
            seenPoint = true;
        } else if (!seenPoint && (integerDigits > 0 || c != '0')) {
            ++integerDigits;
        } else if (seenPoint && integerDigits == 0) {
            if (c != '0') {
                break;
            }
            ++leadingFractionZeros;
        }
    }
    const std::int64_t magnitude =
        integerDigits > 0 ? integerDigits + exponent : exponent - leadingFractionZeros;
    return magnitude > 0;
}

}  // namespace

NumberReading ReadNumberReport(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && IsSign(text[pos])) {
        negative = text[pos] == '-';
        ++pos;
    }
    const size_t start = pos;
    const size_t integerEnd = SkipDigits(text, start);
    size_t significandEnd = integerEnd;
    if (significandEnd < text.size() && text[significandEnd] == '.') {
        significandEnd = SkipDigits(text, significandEnd + 1);
    }
    const bool hasDigit = integerEnd > start || significandEnd > integerEnd + 1;
    if (!hasDigit) {
        return {};
    }
    NumberReading reading;
    reading.hasNumber = true;
    reading.end = SkipExponent(text, significandEnd);

    double magnitude = 0.0;
    const auto read = std::from_chars(text.data() + start, text.data() + reading.end, magnitude);
    if (read.ec == std::errc::result_out_of_range) {
        const std::string_view significand = text.substr(start, significandEnd - start);
        const std::string_view exponent = text.substr(significandEnd, reading.end - significandEnd);
        const std::int64_t exponentValue = exponent.empty() ? 0 : ExponentValue(exponent);
        reading.beyondRange = IsAtLeastOne(significand, exponentValue);
        magnitude = 0.0;
    }
    reading.value = negative ? -magnitude : magnitude;
    return reading;
}

double ReadNumber(std::string_view text) {
    const NumberReading reading = ReadNumberReport(text);
    if (reading.beyondRange) {
        throw ArithmeticFault(FaultKind::Overflow, FaultOperation::ReadingNumber);
    }
    return reading.value;
}
