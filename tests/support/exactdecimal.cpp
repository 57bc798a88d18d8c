#include "support/exactdecimal.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Decimal digits of mantissa * 2^exponent (exponent >= 0), by doubling a
// number kept in base-10^9 limbs, least significant first.
std::string IntegerDigits(std::uint64_t mantissa, int exponent) {
    constexpr std::uint64_t kBase = 1'000'000'000;
    std::vector<std::uint64_t> limbs;
    for (std::uint64_t rest = mantissa; rest != 0; rest /= kBase) {
        limbs.push_back(rest % kBase);
    }
    for (int doubled = 0; doubled < exponent;) {
        const int shift = std::min(exponent - doubled, 29);  // a limb times 2^29 stays in 64 bits
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t value = (limb << shift) + carry;
            limb = value % kBase;
            carry = value / kBase;
        }
        for (; carry != 0; carry /= kBase) {
            limbs.push_back(carry % kBase);
        }
        doubled += shift;
    }
    if (limbs.empty()) {
        return "0";
    }
    std::string digits = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string chunk = std::to_string(limbs[i]);
        digits.append(9 - chunk.size(), '0').append(chunk);
    }
    return digits;
}

// The first `count` decimals of fraction / 2^bits (fraction < 2^bits), and
// whether anything nonzero remains after them. The fraction is kept in
// 32-bit limbs, least significant first, and multiplied by ten per digit.
std::string FractionDigits(std::vector<std::uint32_t> fraction, int bits, int count,
                           bool& remainderNonZero) {
    std::string digits;
    for (int i = 0; i < count; ++i) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : fraction) {
            const std::uint64_t value = std::uint64_t{limb} * 10 + carry;
            limb = static_cast<std::uint32_t>(value);
            carry = value >> 32;
        }
        fraction.push_back(static_cast<std::uint32_t>(carry));
        // The digit is what now lies at and above bit `bits`.
        std::uint64_t digit = 0;
        for (size_t limb = fraction.size(); limb-- > static_cast<size_t>(bits / 32);) {
            digit = (digit << 32) | fraction[limb];
        }
        digit >>= bits % 32;
        digits.push_back(static_cast<char>('0' + digit));
        fraction.resize(static_cast<size_t>(bits / 32) + 1);
        fraction.back() &= (bits % 32 == 0) ? 0u : ((1u << (bits % 32)) - 1);
        if (bits % 32 == 0) {
            fraction.pop_back();
        }
    }
    remainderNonZero = false;
    for (std::uint32_t limb : fraction) {
        remainderNonZero = remainderNonZero || limb != 0;
    }
    return digits;
}

// Adds one unit in the last place of a digit string ("199" -> "200",
// "99" -> "100"), the point skipped.
void IncrementLastDigit(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.') {
            continue;
        }
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

DecimalExpansion ExpandExactly(double value, int decimals) {
    int exponent = 0;
    const double significand = std::frexp(std::fabs(value), &exponent);  // in [0.5, 1)
    // |value| = mantissa * 2^(exponent - 53) exactly.
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(significand, 53));
    const int binaryExponent = exponent - 53;

    DecimalExpansion expansion;
    if (binaryExponent >= 0) {
        expansion.integerDigits = IntegerDigits(mantissa, binaryExponent);
        expansion.fractionDigits = std::string(static_cast<size_t>(decimals), '0');
        return expansion;
    }
    const int bits = -binaryExponent;
    expansion.integerDigits = std::to_string(bits >= 64 ? 0 : mantissa >> bits);
    std::vector<std::uint32_t> fraction(static_cast<size_t>(bits / 32) + 1, 0);
    for (int bit = 0; bit < 64 && bit < bits; ++bit) {
        if ((mantissa >> bit) & 1) {
            fraction[static_cast<size_t>(bit / 32)] |= 1u << (bit % 32);
        }
    }
    expansion.fractionDigits = FractionDigits(fraction, bits, decimals, expansion.nonZeroBeyond);
    return expansion;
}

std::string ExactRounded(const DecimalExpansion& expansion, int decimals) {
    const auto kept = static_cast<size_t>(decimals);
    const std::string& fraction = expansion.fractionDigits;
    const char next = fraction[kept];
    const bool nonZeroAfterNext =
        expansion.nonZeroBeyond || fraction.find_first_not_of('0', kept + 1) != std::string::npos;
    std::string text = expansion.integerDigits;
    if (decimals > 0) {
        text.append(".").append(fraction, 0, kept);
    }
    const bool odd = (text.back() - '0') % 2 == 1;
    if (next > '5' || (next == '5' && (nonZeroAfterNext || odd))) {
        IncrementLastDigit(text);
    }
    return text;
}

std::string PatternOracle(double value, const DecimalExpansion& expansion, int decimals,
                          int minDecimals, bool zeroIntegerDigit) {
    const std::string rounded = ExactRounded(expansion, decimals);
    const size_t point = rounded.find('.');
    std::string integerPart = rounded.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : rounded.substr(point + 1);
    const bool isZero = rounded.find_first_not_of("0.") == std::string::npos;
    while (fraction.size() > static_cast<size_t>(minDecimals) && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (integerPart == "0" && !zeroIntegerDigit) {
        integerPart.clear();
    }
    std::string text = value < 0 && !isZero ? "-" : "";
    text.append(integerPart);
    if (!fraction.empty()) {
        text.append(".").append(fraction);
    }
    return text.empty() ? "0" : text;
}
