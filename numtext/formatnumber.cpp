#include "numtext/formatnumber.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "numtext/arithmeticfault.h"

namespace {

// A GCC and Clang extension, hence __extension__ under -Wpedantic.
__extension__ using UInt128 = unsigned __int128;

// 10^18 * 2^53 still fits in 128 bits, which keeps the rounding exact.
constexpr int kMaxDecimals = 18;

// What a pattern asks for.
struct PatternShape {
    int minIntegerDigits = 0;
    int decimals = 0;
    int minDecimals = 0;
};

// The shape of a pattern; throws std::invalid_argument for a malformed one.
PatternShape ReadPattern(std::string_view pattern) {
    PatternShape shape;
    bool inDecimals = false;
    for (char c : pattern) {
        if (c == '.' && !inDecimals) {
            inDecimals = true;
        } else if (c == '0' || c == '#') {
            const int zero = c == '0' ? 1 : 0;
            if (inDecimals) {
                ++shape.decimals;
                shape.minDecimals += zero;
            } else {
                shape.minIntegerDigits += zero;
            }
        } else {
            throw std::invalid_argument("number pattern: unexpected character");
        }
    }
    if (shape.decimals > kMaxDecimals) {
        throw std::invalid_argument("number pattern: too many decimals");
    }
    return shape;
}

// 10^exponent for 0 <= exponent <= kMaxDecimals.
std::uint64_t PowerOfTen(int exponent) {
    static constexpr auto kPowers = [] {
        std::array<std::uint64_t, kMaxDecimals + 1> powers{};
        powers[0] = 1;
        for (size_t i = 1; i < powers.size(); ++i) {
            powers[i] = powers[i - 1] * 10;
        }
        return powers;
    }();
    return kPowers[static_cast<size_t>(exponent)];
}

// A finite nonnegative real as mantissa * 2^exponent, the mantissa below 2^53.
struct BinaryReal {
    std::uint64_t mantissa;
    int exponent;
};

BinaryReal Decompose(double magnitude) {
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const auto fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const auto biasedExponent = static_cast<int>(bits >> 52) & 0x7ff;
    if (biasedExponent == 0) {
        return {fraction, -1074};  // subnormal
    }
    return {fraction | (std::uint64_t{1} << 52), biasedExponent - 1075};
}

// mantissa * 10^decimals / 2^shift rounded to an integer, ties to even.
UInt128 RoundScaled(std::uint64_t mantissa, int decimals, int shift) {
    if (shift >= 128) {
        return 0;  // the scaled value is below 2^113, far under one half
    }
    const UInt128 scaled = static_cast<UInt128>(mantissa) * PowerOfTen(decimals);
    UInt128 quotient = scaled >> shift;
    const UInt128 remainder = scaled - (quotient << shift);
    const UInt128 half = static_cast<UInt128>(1) << (shift - 1);
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) {
        ++quotient;
    }
    return quotient;
}

// Appends the decimal digits of `value` (nothing for 0).
void AppendDigits(std::string& out, std::uint64_t value) {
    char buffer[20];
    char* first = buffer + sizeof buffer;
    while (value != 0) {
        *--first = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(first, buffer + sizeof buffer);
}

// Appends the decimal digits of mantissa * 2^shift, an integer too large for
// 64 bits, by repeated division of its 32-bit limbs by 10^9.
void AppendLargeDigits(std::string& out, std::uint64_t mantissa, int shift) {
    constexpr std::uint32_t kChunk = 1'000'000'000;
    constexpr int kChunkDigits = 9;
    std::vector<std::uint32_t> limbs(static_cast<size_t>(shift / 32),
                                     0);  // least significant first
    for (UInt128 rest = static_cast<UInt128>(mantissa) << (shift % 32); rest != 0; rest >>= 32) {
        limbs.push_back(static_cast<std::uint32_t>(rest));
    }
    std::string reversed;
    while (!limbs.empty()) {
        std::uint64_t remainder = 0;
        for (size_t i = limbs.size(); i-- > 0;) {
            const std::uint64_t current = (remainder << 32) | limbs[i];
            limbs[i] = static_cast<std::uint32_t>(current / kChunk);
            remainder = current % kChunk;
        }
        while (!limbs.empty() && limbs.back() == 0) {
            limbs.pop_back();
        }
        // Inner chunks keep their leading zeros; the most significant does not.
        for (int k = 0; k < kChunkDigits && (!limbs.empty() || remainder != 0); ++k) {
            reversed.push_back(static_cast<char>('0' + remainder % 10));
            remainder /= 10;
        }
    }
    out.append(reversed.rbegin(), reversed.rend());
}

// A magnitude rounded to a pattern's decimals: its integer part and its
// decimals as an integer below 10^decimals. Integers of 2^64 and above are
// kept as their binary form, which is exact, since such reals have no decimals.
struct RoundedMagnitude {
    std::uint64_t integerPart = 0;
    std::uint64_t fraction = 0;
    BinaryReal largeInteger = {0, 0};
    bool isLarge = false;
};

RoundedMagnitude Round(double magnitude, int decimals) {
    const BinaryReal real = Decompose(magnitude);
    constexpr int kLargestShiftIn64Bits = 11;
    if (real.exponent > kLargestShiftIn64Bits) {
        return {0, 0, real, true};
    }
    if (real.exponent >= 0) {
        return {real.mantissa << real.exponent, 0, {0, 0}, false};
    }
    const std::uint64_t scale = PowerOfTen(decimals);
    const UInt128 scaled = RoundScaled(real.mantissa, decimals, -real.exponent);
    if (scaled >> 64 == 0) {  // the common case, spared a slow 128-bit division
        const auto narrow = static_cast<std::uint64_t>(scaled);
        return {narrow / scale, narrow % scale, {0, 0}, false};
    }
    const auto integerPart = static_cast<std::uint64_t>(scaled / scale);
    const auto fraction =
        static_cast<std::uint64_t>(scaled - static_cast<UInt128>(integerPart) * scale);
    return {integerPart, fraction, {0, 0}, false};
}

// Appends the integer digits, padded with zeros to the pattern's minimum.
void AppendIntegerPart(std::string& out, const RoundedMagnitude& rounded, int minDigits) {
    const size_t start = out.size();
    if (rounded.isLarge) {
        AppendLargeDigits(out, rounded.largeInteger.mantissa, rounded.largeInteger.exponent);
    } else {
        AppendDigits(out, rounded.integerPart);
    }
    const auto written = static_cast<int>(out.size() - start);
    if (written < minDigits) {
        out.insert(start, static_cast<size_t>(minDigits - written), '0');
    }
}

// Appends "." and the decimals, trailing zeros dropped down to the minimum.
void AppendDecimals(std::string& out, std::uint64_t fraction, const PatternShape& shape) {
    char digits[kMaxDecimals];
    for (int i = shape.decimals; i-- > 0;) {
        digits[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    int kept = shape.decimals;
    while (kept > shape.minDecimals && digits[kept - 1] == '0') {
        --kept;
    }
    if (kept > 0) {
        out.push_back('.');
        out.append(digits, static_cast<size_t>(kept));
    }
}

}  // namespace

void AppendFormattedNumber(std::string& out, double value, std::string_view pattern) {
    const PatternShape shape = ReadPattern(pattern);
    if (std::isnan(value)) {
        throw ArithmeticFault(FaultKind::InvalidOperation);
    }
    if (std::isinf(value)) {
        throw ArithmeticFault(FaultKind::Overflow);
    }
    const RoundedMagnitude rounded = Round(std::fabs(value), shape.decimals);
    const bool isZero = !rounded.isLarge && rounded.integerPart == 0 && rounded.fraction == 0;
    const size_t start = out.size();
    if (value < 0 && !isZero) {
        out.push_back('-');
    }
    AppendIntegerPart(out, rounded, shape.minIntegerDigits);
    AppendDecimals(out, rounded.fraction, shape);
    if (out.size() == start) {
        out.push_back('0');  // a zero under "#." patterns must still read as a number
    }
}

std::string FormatNumber(double value, std::string_view pattern) {
    std::string text;
    AppendFormattedNumber(text, value, pattern);
    return text;
}
