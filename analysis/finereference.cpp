#include "analysis/finereference.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mpfr.h>

#include "analysis/bignumber.h"

// The error budget of FineMinusTwiceSineSquared, relative unless said, with
// every product of 128-bit mantissas truncated (at most 2^-127 each):
//   f, the reduced fraction: the 2/pi window ends 256 bits below x's units
//     (2^-202 absolute), 192 bits are kept (2^-191), f >= 2^-61: 2^-127 + 2^-130;
//   r = f pi/2: pi/2 rounded (2^-128), the product (2^-127):        r  <= 2^-125.6;
//   w = r^2: 2 r's and the product:                                 w  <= 2^-124.3;
//   Q(w) = 1 - c_1 w + c_2 w^2 - ...: each nested step's product and
//     coefficient rounding (3 * 2^-128 + 2^-129 absolute), scaled by w <= 0.62
//     a level (sum below 2^-124.9), w's error through dQ/dw <= 0.4
//     (2^-125.5), the levels from c_13 on in doubles (2^-129), the terms
//     past c_19 (2^-140); Q >= 0.79:                                  Q  <= 2^-123.7;
//   s = sin^2 r = w Q:                                              s  <= 2^-122.9;
//   y* = -2 s (k even), or -2 (1 - s) with 1 - s >= 1/2 (k odd):    y* <= 2^-121.9.
// kFineErrorBits = 120 keeps a factor of three in hand.

namespace {

using u64 = std::uint64_t;
using u128 = FineMantissa;

constexpr int kTwoOverPiLimbs = 24;  // 1536 bits: the window for x near 2^1024 ends by 1232
constexpr int kCoefficients = 19;    // c_1 .. c_19; c_20 w^20 < 2^-140
// From c_13 on the terms are below 2^-79, so a double's 53 bits carry them
// within 2^-129: those levels of the nested evaluation run in doubles.
constexpr int kFirstDoubleCoefficient = 13;
constexpr double kReductionStart = 0.75;  // below pi/4 x is its own reduced argument
constexpr double kSmallestX = 0x1p-480;   // y* = -2x^2 stays far above the subnormals
constexpr int kLargestLeadingZeros = 60;  // f >= 2^-61: x this close to k pi/2 goes to MPFR

struct Constants {
    u64 twoOverPi[kTwoOverPiLimbs + 2] = {};           // bits 64i+1 .. 64i+64 of 2/pi in limb i
    u128 halfPi = 0;                                   // pi/2 * 2^127, rounded
    u128 coefficient[kCoefficients + 1] = {};          // c_j 2^128, c_j = 2^(2j+1) / (2j+2)!
    double coefficientDouble[kCoefficients + 1] = {};  // c_j, rounded
};

// The integer `value` (below 2^128) as a u128.
u128 ToU128(mpfr_ptr value) {
    Big part(512);
    mpfr_div_2ui(part.get(), value, 64, MPFR_RNDN);
    const u64 high = mpfr_get_ui(part.get(), MPFR_RNDZ);
    mpfr_set_ui(part.get(), high, MPFR_RNDN);
    mpfr_mul_2ui(part.get(), part.get(), 64, MPFR_RNDN);
    mpfr_sub(part.get(), value, part.get(), MPFR_RNDN);
    return (u128{high} << 64) | mpfr_get_ui(part.get(), MPFR_RNDZ);
}

Constants MakeConstants() {
    Constants made;
    Big pi(1700);
    Big value(1700);
    mpfr_const_pi(pi.get(), MPFR_RNDN);
    mpfr_ui_div(value.get(), 2, pi.get(), MPFR_RNDN);
    for (int i = 0; i < kTwoOverPiLimbs; ++i) {
        mpfr_mul_2ui(value.get(), value.get(), 64, MPFR_RNDN);
        made.twoOverPi[i] = mpfr_get_ui(value.get(), MPFR_RNDZ);
        mpfr_sub_ui(value.get(), value.get(), made.twoOverPi[i], MPFR_RNDN);
    }
    mpfr_mul_2ui(value.get(), pi.get(), 126, MPFR_RNDN);
    mpfr_rint(value.get(), value.get(), MPFR_RNDN);
    made.halfPi = ToU128(value.get());
    Big factorial(512);
    for (int j = 1; j <= kCoefficients; ++j) {
        mpfr_fac_ui(factorial.get(), 2 * j + 2, MPFR_RNDN);  // exact at 512 bits
        mpfr_set_ui_2exp(value.get(), 1, 2 * j + 1 + 128, MPFR_RNDN);
        mpfr_div(value.get(), value.get(), factorial.get(), MPFR_RNDN);
        made.coefficientDouble[j] = std::ldexp(mpfr_get_d(value.get(), MPFR_RNDN), -128);
        mpfr_rint(value.get(), value.get(), MPFR_RNDN);
        made.coefficient[j] = ToU128(value.get());
    }
    return made;
}

const Constants& TheConstants() {
    static const Constants constants = MakeConstants();  // made once, safely across threads
    return constants;
}

int LeadingZeros(u128 value) {
    const auto high = static_cast<u64>(value >> 64);
    return high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<u64>(value));
}

// 2^n for n in [-1022, 1023], built from its bits (ldexp is a call).
double PowerOfTwo(int n) {
    return std::bit_cast<double>(static_cast<u64>(n + 1023) << 52);
}

// A positive normal double as digits 2^scale, digits in [2^52, 2^53).
struct Digits {
    u64 digits;
    int scale;
};

Digits DigitsOf(double a) {
    const auto bits = std::bit_cast<u64>(a);
    return {(bits & ((u64{1} << 52) - 1)) | (u64{1} << 52), static_cast<int>(bits >> 52) - 1075};
}

// |a| as digits 2^scale for any finite a; zero gives zero digits.
Digits DigitsOfAny(double a) {
    a = std::fabs(a);
    if (a >= std::numeric_limits<double>::min()) {
        return DigitsOf(a);
    }
    int exponent = 0;
    const double fraction = std::frexp(a, &exponent);  // subnormals and zero: rare
    return {static_cast<u64>(std::ldexp(fraction, 53)), exponent - 53};
}

// The high 128 bits of a * b, exactly truncated.
u128 MultiplyHigh(u128 a, u128 b, u128* low = nullptr) {
    const auto a0 = static_cast<u64>(a);
    const auto a1 = static_cast<u64>(a >> 64);
    const auto b0 = static_cast<u64>(b);
    const auto b1 = static_cast<u64>(b >> 64);
    const u128 p00 = u128{a0} * b0;
    const u128 p01 = u128{a0} * b1;
    const u128 p10 = u128{a1} * b0;
    const u128 p11 = u128{a1} * b1;
    const u128 middle = (p00 >> 64) + static_cast<u64>(p01) + static_cast<u64>(p10);
    if (low != nullptr) {
        *low = (middle << 64) | static_cast<u64>(p00);
    }
    return p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64);
}

// The high 128 bits of a * b less at most 3 units: the carries from the
// low halves of the cross products and from the low limbs' product, each
// adding at most 1, are left out.
u128 MultiplyHighLoose(u128 a, u128 b) {
    const auto a0 = static_cast<u64>(a);
    const auto a1 = static_cast<u64>(a >> 64);
    const auto b0 = static_cast<u64>(b);
    const auto b1 = static_cast<u64>(b >> 64);
    return u128{a1} * b1 + ((u128{a0} * b1) >> 64) + ((u128{a1} * b0) >> 64);
}

// a b, truncated to a 128-bit mantissa.
FineValue Multiply(const FineValue& a, const FineValue& b) {
    u128 low = 0;
    const u128 high = MultiplyHigh(a.mantissa, b.mantissa, &low);
    if ((high >> 127) != 0) {
        return {high, a.exponent + b.exponent};
    }
    return {(high << 1) | (low >> 127), a.exponent + b.exponent - 1};
}

// A positive normal double, exactly.
FineValue FromDouble(double a) {
    const Digits d = DigitsOf(a);
    return {u128{d.digits} << 75, d.scale + 53};
}

// 64 bits of the little-endian limbs from bit `at` on.
u64 BitsFrom(const u64* limbs, int at) {
    const int limb = at / 64;
    const int shift = at % 64;
    return shift == 0 ? limbs[limb] : (limbs[limb] >> shift) | (limbs[limb + 1] << (64 - shift));
}

// x reduced by pi/2: r = |x| - k pi/2 with |r| <= pi/4, and whether k is odd.
struct Reduced {
    FineValue r;
    bool odd = false;
};

// The 256 bits of 2/pi from bit `first` (1 for the first after the point), most significant first.
void TwoOverPiWindow(const Constants& constants, int first, u64 window[4]) {
    const u64* bits = constants.twoOverPi;
    const int limb = (first - 1) / 64;
    const int shift = (first - 1) % 64;
    for (int k = 0; k < 4; ++k) {
        window[k] = shift == 0 ? bits[limb + k]
                               : (bits[limb + k] << shift) | (bits[limb + k + 1] >> (64 - shift));
    }
}

// The windowed reduction: frac(a 2/pi) from the product of a's 53 bits
// with the window of 2/pi that ends 256 bits below a's units, so bits of 2/pi
// that would only add multiples of 2 to a 2/pi are never touched.
std::optional<Reduced> ReduceByHalfPi(const Constants& constants, double a) {
    const auto [digits, scale] = DigitsOf(a);
    const int first = std::max(1, scale);
    u64 window[4];
    TwoOverPiWindow(constants, first, window);
    u64 product[8] = {};  // little-endian; bit `units` weighs 2^0
    u128 carry = 0;
    for (int k = 3; k >= 0; --k) {
        const u128 term = u128{digits} * window[k] + carry;
        product[3 - k] = static_cast<u64>(term);
        carry = term >> 64;
    }
    product[4] = static_cast<u64>(carry);
    const int units = 255 + first - scale;
    bool odd = (BitsFrom(product, units) & 1) != 0;
    u64 f2 = BitsFrom(product, units - 64);
    u64 f1 = BitsFrom(product, units - 128);
    u64 f0 = BitsFrom(product, units - 192);
    if ((f2 >> 63) != 0) {  // f >= 1/2: reduce to the next multiple, 1 - f
        odd = !odd;
        f0 = ~f0 + 1;
        f1 = ~f1 + (f0 == 0 ? 1 : 0);
        f2 = ~f2 + (f0 == 0 && f1 == 0 ? 1 : 0);
    }
    const u128 high = (u128{f2} << 64) | f1;
    if (high == 0 || LeadingZeros(high) > kLargestLeadingZeros) {
        return std::nullopt;
    }
    const int zeros = LeadingZeros(high);
    const u128 fraction = zeros == 0 ? high : (high << zeros) | (f0 >> (64 - zeros));
    const FineValue halfPi{constants.halfPi, 1};
    return Reduced{Multiply({fraction, -zeros}, halfPi), odd};
}

// sin^2 r = w Q(w), w = r^2, Q(w) = 1 - c_1 w + c_2 w^2 - ..., |r| <= pi/4.
FineValue SineSquared(const Constants& constants, const FineValue& r) {
    const FineValue w = Multiply(r, r);
    const int shift = -w.exponent;  // w < 1
    const u128 fixedW = shift >= 128 ? 0 : w.mantissa >> shift;
    // Where w is below 2^-890 its terms past the first are far below the bound.
    const double smallW = w.exponent < -890 ? 0
                                            : static_cast<double>(w.mantissa >> 64) *
                                                  PowerOfTwo(w.exponent - 128) * 0x1p64;
    double smallSum = constants.coefficientDouble[kCoefficients];
    for (int j = kCoefficients - 1; j >= kFirstDoubleCoefficient; --j) {
        smallSum = constants.coefficientDouble[j] - smallW * smallSum;
    }
    // Below 2^-70, so within a u64 at 2^128.
    auto sum = u128{static_cast<u64>(smallSum * 0x1p128)};
    for (int j = kFirstDoubleCoefficient - 1; j >= 1; --j) {
        sum = constants.coefficient[j] - MultiplyHighLoose(fixedW, sum);  // c_j > w c_(j+1)
    }
    const u128 tail = MultiplyHigh(fixedW, sum);  // 1 - Q(w), at most 0.21
    const FineValue q = tail == 0 ? FineValue{u128{1} << 127, 1} : FineValue{-tail, 0};
    return Multiply(w, q);
}

// 1 - s for 0 < s < 1, normalised.
FineValue OneMinus(const FineValue& s) {
    const int shift = -s.exponent;
    const u128 fixedS = shift >= 128 ? 0 : s.mantissa >> shift;
    const u128 rest = -fixedS;  // 2^128 - fixedS: not 0 for 0 < s < 1
    if (fixedS == 0 || rest == 0) {
        return {u128{1} << 127, 1};
    }
    const int zeros = LeadingZeros(rest);
    return {rest << zeros, -zeros};
}

// A 256-bit two's complement integer.
struct Wide {
    u128 high = 0;
    u128 low = 0;
};

Wide Add(const Wide& a, const Wide& b) {
    const u128 low = a.low + b.low;
    return {a.high + b.high + (low < a.low ? 1 : 0), low};
}

Wide Negate(const Wide& a) {
    return Add({~a.high, ~a.low}, {0, 1});
}

bool IsNegative(const Wide& a) {
    return (a.high >> 127) != 0;
}

Wide ShiftLeft(const Wide& a, int n) {
    if (n == 0) {
        return a;
    }
    if (n >= 128) {
        return {a.low << (n - 128), 0};
    }
    return {(a.high << n) | (a.low >> (128 - n)), a.low << n};
}

Wide ShiftRight(const Wide& a, int n) {
    if (n == 0) {
        return a;
    }
    if (n >= 128) {
        return {0, a.high >> (n - 128)};
    }
    return {a.high >> n, (a.low >> n) | (a.high << (128 - n))};
}

int BitLength(const Wide& a) {
    if (a.high != 0) {
        return 256 - LeadingZeros(a.high);
    }
    return a.low == 0 ? 0 : 128 - LeadingZeros(a.low);
}

// `value` in units of 2^unit, truncated toward zero; `value`'s bits must fit.
Wide ScaledDouble(double value, int unit) {
    const auto [digits, scale] = DigitsOfAny(value);
    const int shift = scale - unit;
    Wide scaled;
    if (digits == 0) {
        return scaled;  // zero, whatever its exponent
    }
    if (shift >= 0) {
        scaled = ShiftLeft({0, digits}, shift);
    } else if (shift > -64) {
        scaled = {0, digits >> -shift};
    }
    return value < 0 ? Negate(scaled) : scaled;
}

}  // namespace

std::optional<FineValue> FineMinusTwiceSineSquared(double x) {
    const double a = std::fabs(x);
    if (!(a >= kSmallestX) || !std::isfinite(a)) {
        return std::nullopt;
    }
    const Constants& constants = TheConstants();
    Reduced reduced{FromDouble(a), false};
    if (a >= kReductionStart) {
        const std::optional<Reduced> done = ReduceByHalfPi(constants, a);
        if (!done) {
            return std::nullopt;
        }
        reduced = *done;
    }
    const FineValue s = SineSquared(constants, reduced.r);
    const FineValue half = reduced.odd ? OneMinus(s) : s;  // cos^2 r = 1 - sin^2 r
    return FineValue{half.mantissa, half.exponent + 1};
}

std::optional<double> RoundedFine(const FineValue& fine) {
    constexpr int kDropped = 128 - 53;
    constexpr u128 kHalf = u128{1} << (kDropped - 1);
    constexpr u128 kSlack = (u128{1} << (128 - kFineErrorBits)) + 1;
    const u128 rest = fine.mantissa & ((u128{1} << kDropped) - 1);
    const u128 fromHalf = rest > kHalf ? rest - kHalf : kHalf - rest;
    if (fromHalf <= kSlack || fine.exponent < -960) {
        return std::nullopt;
    }
    const auto digits = static_cast<u64>(fine.mantissa >> kDropped) + (rest > kHalf ? 1 : 0);
    return -static_cast<double>(digits) * PowerOfTwo(fine.exponent - 53);
}

std::optional<double> FineErrorOf(const FineValue& fine, double value) {
    if (fine.exponent < -800 || !std::isfinite(value)) {
        return std::nullopt;
    }
    // |y*| = mantissa 2^64 in units of 2^unit, so value's bits down to 2^-64
    // of y*'s last fit; y*'s error is below 2^72 units.
    const int unit = fine.exponent - 192;
    if (value != 0 && DigitsOfAny(value).scale >= fine.exponent + 2) {
        return std::fabs(value);  // |y*| < a quarter of value's last unit: it rounds away
    }
    Wide difference = Add(ScaledDouble(value, unit), ShiftLeft({0, fine.mantissa}, 64));
    if (IsNegative(difference)) {
        difference = Negate(difference);
    }
    const int length = BitLength(difference);
    constexpr int kUncertainBits = 128 - kFineErrorBits + 64;  // y*'s error, in units
    const int dropped = length - 53;
    if (dropped < kUncertainBits + 2 || unit + dropped < -1020) {
        return std::nullopt;  // value too close to y* for the bound to tell its last bits
    }
    const Wide kept = ShiftRight(difference, dropped);
    const Wide rest = Add(difference, Negate(ShiftLeft(kept, dropped)));
    const Wide fromHalf = Add(rest, Negate(ShiftLeft({0, 1}, dropped - 1)));
    const Wide distance = IsNegative(fromHalf) ? Negate(fromHalf) : fromHalf;
    if (distance.high == 0 && distance.low <= (u128{1} << kUncertainBits) + 1) {
        return std::nullopt;
    }
    const auto digits = static_cast<u64>(kept.low) + (IsNegative(fromHalf) ? 0 : 1);
    return static_cast<double>(digits) * PowerOfTwo(unit + dropped);
}
