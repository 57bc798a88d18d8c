#include "analysis/exactvalue.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mpfr.h>
#include <optional>

#include "analysis/bignumber.h"
#include "analysis/finereference.h"

namespace {

constexpr mpfr_prec_t kFirstBits = 128;
constexpr mpfr_prec_t kMostBits = 1 << 16;  // far beyond any need; a guard, not a limit hit
constexpr int kDoubleBits = 53;
constexpr int kLowestDoubleExponent = -1074;  // of the smallest subnormal
// Where the three-part reduction by pi stays exact: k pi's first part holds k.
constexpr double kFastReductionLimit = 0x1p24;

// -2 sin^2 x to `bits` bits, within 3 * 2^-bits of y* relatively.
void MinusTwiceSineSquared(mpfr_ptr result, double x) {
    mpfr_set_d(result, x, MPFR_RNDN);
    mpfr_sin(result, result, MPFR_RNDN);
    mpfr_sqr(result, result, MPFR_RNDN);
    mpfr_mul_si(result, result, -2, MPFR_RNDN);
}

// The bits a double keeps of a value whose MPFR exponent is `exponent`
// (|value| in [2^(exponent-1), 2^exponent)): 53, fewer among the subnormals.
mpfr_prec_t DoubleBitsAt(mpfr_exp_t exponent) {
    const long kept = static_cast<long>(exponent) - 1 - kLowestDoubleExponent + 1;
    return static_cast<mpfr_prec_t>(std::clamp<long>(kept, 1, kDoubleBits));
}

// The double nearest the value, computed to `bits` bits by
// MinusTwiceSineSquared, where everything within its error rounds to it.
std::optional<double> RoundedIfProved(mpfr_ptr value, mpfr_prec_t bits) {
    if (mpfr_zero_p(value) != 0) {
        return std::nullopt;  // sin x underflowed at this precision: more bits
    }
    const mpfr_prec_t wanted = DoubleBitsAt(mpfr_get_exp(value));
    // Within 3 * 2^-bits relatively: within 2^(exponent - (bits - 2)).
    if (mpfr_can_round(value, bits - 2, MPFR_RNDN, MPFR_RNDZ, wanted + 1) == 0) {
        return std::nullopt;
    }
    return mpfr_get_d(value, MPFR_RNDN);
}

// Pi in three parts in long double, the first short enough that k times it is
// exact for |k| < 2^24.
struct PiParts {
    long double high;
    long double middle;
    long double low;
};

const PiParts& Pi() {
    static const PiParts parts = [] {
        Big pi(256);
        Big part(64);
        mpfr_const_pi(pi.get(), MPFR_RNDN);
        PiParts split{};
        long double* pieces[] = {&split.high, &split.middle, &split.low};
        for (int i = 0; i < 3; ++i) {
            mpfr_set_prec(part.get(), i == 0 ? 40 : 64);
            mpfr_set(part.get(), pi.get(), MPFR_RNDN);
            *pieces[i] = mpfr_get_ld(part.get(), MPFR_RNDN);
            mpfr_sub(pi.get(), pi.get(), part.get(), MPFR_RNDN);  // exact at 256 bits
        }
        return split;
    }();
    return parts;
}

// x - k pi in long double for |x| below the fast limit, k chosen in doubles
// (fast) and mended where x / pi lay within rounding of a half.
long double ReducedFast(double x) {
    const PiParts& pi = Pi();
    const long double halfPi = (pi.high + pi.middle) / 2;
    long double k = std::round(x * (1 / 3.141592653589793));
    long double r = ((x - k * pi.high) - k * pi.middle) - k * pi.low;
    if (std::fabs(r) > halfPi) {
        k += r > 0 ? 1 : -1;
        r = ((x - k * pi.high) - k * pi.middle) - k * pi.low;
    }
    return r;
}

// sin^2 r for |r| <= pi / 2: from sin r, or for |r| > pi / 4 from cos(pi/2 - |r|),
// each by its Taylor series to the term below 5e-23 there.
long double SineSquaredOfReduced(long double r) {
    static const long double kSine[] = {
        1.0L,
        -1.0L / 6,
        1.0L / 120,
        -1.0L / 5040,
        1.0L / 362880,
        -1.0L / 39916800,
        1.0L / 6227020800.0L,
        -1.0L / 1307674368000.0L,
        1.0L / 355687428096000.0L,
        -1.0L / 121645100408832000.0L,
        1.0L / 51090942171709440000.0L,
    };
    static const long double kCosine[] = {
        1.0L,
        -1.0L / 2,
        1.0L / 24,
        -1.0L / 720,
        1.0L / 40320,
        -1.0L / 3628800,
        1.0L / 479001600,
        -1.0L / 87178291200.0L,
        1.0L / 20922789888000.0L,
        -1.0L / 6402373705728000.0L,
        1.0L / 2432902008176640000.0L,
        -1.0L / 1124000727777607680000.0L,
    };
    const PiParts& pi = Pi();
    const long double quarterPi = (pi.high + pi.middle) / 4;
    const long double a = std::fabs(r);
    const bool nearQuarter = a > quarterPi;
    // pi/2 - |r| in two parts, so the difference keeps its digits.
    const long double t = nearQuarter ? ((pi.high / 2 - a) + pi.middle / 2) + pi.low / 2 : a;
    const long double square = t * t;
    long double sum = 0;
    if (nearQuarter) {
        for (int k = 11; k >= 0; --k) {
            sum = sum * square + kCosine[k];
        }
    } else {
        for (int k = 10; k >= 0; --k) {
            sum = sum * square + kSine[k];
        }
        sum *= t;
    }
    return sum * sum;
}

// |value - y*| to `bits` bits, within 2^-(bits - 3) of itself plus y*'s own
// error: the difference is formed from y* at `bits` bits and rounded once.
std::optional<double> ErrorIfProved(double value, double x, mpfr_prec_t bits) {
    Big exact(bits);
    Big difference(bits);
    MinusTwiceSineSquared(exact.get(), x);
    if (mpfr_zero_p(exact.get()) != 0) {
        return std::nullopt;
    }
    mpfr_set_d(difference.get(), value, MPFR_RNDN);
    mpfr_sub(difference.get(), difference.get(), exact.get(), MPFR_RNDN);
    if (mpfr_zero_p(difference.get()) != 0) {
        return std::nullopt;
    }
    // y*'s error, 3 * 2^-bits of it, and the subtraction's rounding, both
    // below 2^(larger exponent - bits + 2).
    const mpfr_exp_t errorExponent =
        std::max(mpfr_get_exp(exact.get()), mpfr_get_exp(difference.get())) - bits + 3;
    const mpfr_exp_t correctBits = mpfr_get_exp(difference.get()) - errorExponent;
    const mpfr_prec_t wanted = DoubleBitsAt(mpfr_get_exp(difference.get()));
    if (correctBits <= 0 ||
        mpfr_can_round(difference.get(), correctBits, MPFR_RNDN, MPFR_RNDZ, wanted + 1) == 0) {
        return std::nullopt;
    }
    return std::fabs(mpfr_get_d(difference.get(), MPFR_RNDN));
}

}  // namespace

double ExactValueByMpfr(double x) {
    if (x == 0) {
        return 0;
    }
    Big value(kFirstBits);
    for (mpfr_prec_t bits = kFirstBits;; bits *= 2) {
        mpfr_set_prec(value.get(), bits);
        MinusTwiceSineSquared(value.get(), x);
        if (const std::optional<double> rounded = RoundedIfProved(value.get(), bits)) {
            return *rounded;
        }
        if (bits >= kMostBits) {
            return mpfr_get_d(value.get(), MPFR_RNDN);
        }
    }
}

double ErrorAgainstExactByMpfr(double value, double x) {
    if (x == 0) {
        return std::fabs(value);
    }
    for (mpfr_prec_t bits = kFirstBits;; bits *= 2) {
        if (const std::optional<double> error = ErrorIfProved(value, x, bits)) {
            return *error;
        }
        if (bits >= kMostBits) {
            return std::fabs(value - ExactValueByMpfr(x));
        }
    }
}

ExactReference::ExactReference(double x) : x_(x) {
    if (const std::optional<FineValue> fine = FineMinusTwiceSineSquared(x)) {
        fine_ = *fine;
        hasFine_ = true;
        if (const std::optional<double> rounded = RoundedFine(*fine)) {
            value_ = *rounded;
            return;
        }
    }
    value_ = ExactValueByMpfr(x);
}

double ExactReference::ErrorOf(double value) const {
    if (hasFine_) {
        if (const std::optional<double> error = FineErrorOf(fine_, value)) {
            return *error;
        }
    }
    return ErrorAgainstExactByMpfr(value, x_);
}

double ExactValue(double x) {
    return ExactReference(x).Value();
}

void ReleaseThreadCaches() {
    mpfr_free_cache2(MPFR_FREE_LOCAL_CACHE);
}

double ErrorAgainstExact(double value, double x) {
    return ExactReference(x).ErrorOf(value);
}

long double StandInValue(double x) {
    if (std::fabs(x) < kFastReductionLimit) {
        return -2 * SineSquaredOfReduced(ReducedFast(x));
    }
    const long double sine = std::sin(static_cast<long double>(x));
    return -2 * sine * sine;
}

double ReducedArgument(double x) {
    if (std::fabs(x) < kFastReductionLimit) {
        return static_cast<double>(ReducedFast(x));
    }
    // Far out: k pi to as many bits as k has, and 128 more.
    const mpfr_prec_t bits = kFirstBits + std::ilogb(x) + 2;
    Big pi(bits);
    Big k(bits);
    Big r(bits);
    mpfr_const_pi(pi.get(), MPFR_RNDN);
    mpfr_set_d(r.get(), x, MPFR_RNDN);
    mpfr_div(k.get(), r.get(), pi.get(), MPFR_RNDN);
    mpfr_rint(k.get(), k.get(), MPFR_RNDN);
    mpfr_mul(k.get(), k.get(), pi.get(), MPFR_RNDN);
    mpfr_sub(r.get(), r.get(), k.get(), MPFR_RNDN);
    return mpfr_get_d(r.get(), MPFR_RNDN);
}

const char* MpfrVersion() {
    return mpfr_get_version();
}
