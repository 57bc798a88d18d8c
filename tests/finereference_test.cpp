// The 128-bit exact reference against MPFR alone, bit for bit, over every
// binade, the ranges runs meet, and the abscissas where y* is hardest to
// round: near multiples of pi/2, tiny and subnormal x, the largest reals.

#include "analysis/finereference.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <mpfr.h>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/exactvalue.h"
#include "evaluation/formulas.h"
#include "numtext/arithmeticfault.h"

namespace {

#ifndef FINE_REFERENCE_SAMPLES
#define FINE_REFERENCE_SAMPLES 10000000
#endif
constexpr std::int64_t kSamples = FINE_REFERENCE_SAMPLES;

// Whether the 128-bit path settled y* at x by itself.
bool SettledFine(double x) {
    const std::optional<FineValue> fine = FineMinusTwiceSineSquared(x);
    return fine && RoundedFine(*fine);
}

// The double nearest k pi / 2.
double NearestMultipleOfHalfPi(double k) {
    mpfr_t value;
    mpfr_init2(value, 2200);
    mpfr_const_pi(value, MPFR_RNDN);
    mpfr_mul_d(value, value, k / 2, MPFR_RNDN);
    const double nearest = mpfr_get_d(value, MPFR_RNDN);
    mpfr_clear(value);
    return nearest;
}

// One family of abscissas: the i-th of them.
struct Family {
    const char* name;
    std::function<double(std::mt19937_64&, std::int64_t)> make;
    int share;  // of the samples, in tenths
};

double RandomDigits(std::mt19937_64& random) {
    return 1 + static_cast<double>(random() >> 11) * 0x1p-53;
}

const std::vector<Family>& Families() {
    static const std::vector<Family> families = {
        {"every binade, subnormals to the largest",
         [](std::mt19937_64& r, std::int64_t) {
             const int exponent = static_cast<int>(r() % 2098) - 1074;
             return std::ldexp(RandomDigits(r), exponent) * ((r() & 1) ? 1 : -1);
         },
         3},
        {"what runs meet, |x| up to 100",
         [](std::mt19937_64& r, std::int64_t) {
             return (static_cast<double>(r() >> 11) * 0x1p-53 - 0.5) * 200;
         },
         3},
        {"sweeps by 1e-6 from 0 and from 25",
         [](std::mt19937_64&, std::int64_t i) { return (i % 2 == 0 ? 0.0 : 25.0) + i * 1e-6; }, 2},
        {"within a few units of k pi/2",
         [](std::mt19937_64& r, std::int64_t) {
             const double k =
                 std::ldexp(static_cast<double>(1 + r() % (1u << 20)), static_cast<int>(r() % 40));
             double x = NearestMultipleOfHalfPi(k);
             for (int steps = static_cast<int>(r() % 7) - 3; steps != 0;
                  steps += steps > 0 ? -1 : 1) {
                 x = std::nextafter(x, steps > 0 ? INFINITY : 0.0);
             }
             return x;
         },
         2},
    };
    return families;
}

TEST(FineReference, EqualsMpfrToTheBitOnTenMillionAbscissas) {
    std::mt19937_64 random(20261209);
    std::int64_t fellBack = 0;
    for (const Family& family : Families()) {
        SCOPED_TRACE(family.name);
        const std::int64_t count = kSamples * family.share / 10;
        std::int64_t familyFellBack = 0;
        for (std::int64_t i = 0; i < count; ++i) {
            const double x = family.make(random, i);
            ASSERT_EQ(ExactValue(x), ExactValueByMpfr(x)) << std::hexfloat << x;
            if (!SettledFine(x) && std::fabs(x) >= 0x1p-480) {
                ++familyFellBack;
            }
        }
        std::printf("%s: %lld abscissas, %lld fell back to MPFR\n", family.name,
                    static_cast<long long>(count), static_cast<long long>(familyFellBack));
        fellBack += familyFellBack;
    }
    // The fallback is for the rare abscissa, not a second road taken often.
    EXPECT_LT(fellBack, kSamples / 10000);
}

TEST(FineReference, HardPlacesAndExtremesEqualMpfr) {
    const double cases[] = {
        6381956970095103.0 * 0x1p797,  // of all doubles the nearest a multiple of pi/2
        std::numeric_limits<double>::max(),
        -std::numeric_limits<double>::max(),
        std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(),
        0x1p-480,
        std::nextafter(0x1p-480, 0.0),
        0.75,
        std::nextafter(0.75, 0.0),
        M_PI_4,
        M_PI_2,
        M_PI,
        1e22,
        0x1p53,
        0x1p1023,
    };
    for (double x : cases) {
        EXPECT_EQ(ExactValue(x), ExactValueByMpfr(x)) << std::hexfloat << x;
    }
}

// The values a table measures against y*: the run's own (closed form,
// series), y* rounded and its neighbours, zero, and far-off values.
std::vector<double> MeasuredValues(double x, std::mt19937_64& random) {
    const double exact = ExactValueByMpfr(x);
    std::vector<double> values = {
        ClosedFormValue(x),
        exact,
        std::nextafter(exact, 0.0),
        std::nextafter(exact, -3.0),
        0.0,
        exact * (1 + std::ldexp(RandomDigits(random), -40)),
        std::ldexp(RandomDigits(random), static_cast<int>(random() % 80))};
    if (std::fabs(x) < 30) {
        try {
            values.push_back(SeriesValue(x, 1e-12).Sum);
        } catch (const ArithmeticFault&) {
        }
    }
    return values;
}

TEST(FineReference, ErrorsAreCorrectlyRoundedAsMpfrRoundsThem) {
    std::mt19937_64 random(9);
    std::int64_t measured = 0;
    for (std::int64_t i = 0; i < kSamples / 50; ++i) {
        const double x =
            i % 3 == 0 ? std::ldexp(RandomDigits(random), static_cast<int>(random() % 200) - 150)
                       : (static_cast<double>(random() >> 11) * 0x1p-53 - 0.5) * 80;
        const ExactReference exact(x);
        for (double value : MeasuredValues(x, random)) {
            ASSERT_EQ(exact.ErrorOf(value), ErrorAgainstExactByMpfr(value, x))
                << std::hexfloat << "x " << x << ", value " << value;
            ++measured;
        }
    }
    EXPECT_GT(measured, kSamples / 10);
}

TEST(FineReference, BoundHoldsAgainstMpfrAtTwoHundredBits) {
    // The fine value itself, before rounding, within 2^-kFineErrorBits of y*.
    std::mt19937_64 random(3);
    mpfr_t exact;
    mpfr_t fine;
    mpfr_init2(exact, 200);
    mpfr_init2(fine, 200);
    for (int i = 0; i < 100000; ++i) {
        const double x = std::ldexp(RandomDigits(random), static_cast<int>(random() % 1400) - 470);
        const std::optional<FineValue> value = FineMinusTwiceSineSquared(x);
        ASSERT_TRUE(value || std::fabs(x) < 0x1p-480) << std::hexfloat << x;
        if (!value) {
            continue;
        }
        mpfr_set_d(exact, x, MPFR_RNDN);
        mpfr_sin(exact, exact, MPFR_RNDN);
        mpfr_sqr(exact, exact, MPFR_RNDN);
        mpfr_mul_2ui(exact, exact, 1, MPFR_RNDN);
        mpfr_set_ui(fine, static_cast<unsigned long>(value->mantissa >> 64), MPFR_RNDN);
        mpfr_mul_2ui(fine, fine, 64, MPFR_RNDN);
        mpfr_add_ui(fine, fine, static_cast<unsigned long>(value->mantissa), MPFR_RNDN);
        mpfr_mul_2si(fine, fine, value->exponent - 128, MPFR_RNDN);
        mpfr_sub(fine, fine, exact, MPFR_RNDN);
        mpfr_div(fine, fine, exact, MPFR_RNDN);
        ASSERT_LT(std::fabs(mpfr_get_d(fine, MPFR_RNDN)), std::ldexp(1.0, -kFineErrorBits))
            << std::hexfloat << x;
    }
    mpfr_clear(exact);
    mpfr_clear(fine);
}

}  // namespace
