// The number printing and the series checked at scale against independent
// oracles: exact decimal expansion for FormatNumber, the closed form for the
// series.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "evaluation/formulas.h"
#include "support/exactdecimal.h"
#include "support/printcheck.h"

namespace {

// Enough decimals for the oracle's own check.
constexpr int kExpandedDecimals = 13;

TEST(ExactDecimal, AgreesWithTheCLibrary) {
    // glibc's "%.*f" is exact too: the oracle's own check.
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(static_cast<double>(random() >> 11), (i % 120) - 90);
        const DecimalExpansion expansion = ExpandExactly(value, kExpandedDecimals);
        for (int decimals : {0, 3, 9, 12}) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
            ASSERT_EQ(ExactRounded(expansion, decimals), expected) << value;
        }
    }
}

TEST(FormatNumberDifferential, AgreesWithExactRoundingOverEveryBinade) {
    constexpr int kValues = 850'000;
    constexpr std::uint64_t kBinades = 2047;  // every exponent field of a finite real
    std::mt19937_64 random(20261208);
    for (int i = 0; i < kValues; ++i) {
        const std::uint64_t sign = static_cast<std::uint64_t>(i & 1) << 63;
        const std::uint64_t exponentField = static_cast<std::uint64_t>(i / 2) % kBinades;
        const std::uint64_t fraction = random() >> 12;
        const double value = std::bit_cast<double>(sign | exponentField << 52 | fraction);
        ASSERT_TRUE(PrintsExactly(value));
    }
}

TEST(FormatNumberDifferential, AgreesWithExactRoundingOnHalfwayCases) {
    // q / 2^(d + 1) with q odd lies exactly halfway between two d-decimal
    // numbers; the values run from tiny to near 2^53 / 2^(d + 1).
    constexpr int kValuesPerPattern = 50'000;
    std::mt19937_64 random(99);
    for (int decimals : {3, 9, 12}) {
        for (int i = 0; i < kValuesPerPattern; ++i) {
            const int bits = 1 + i % 53;
            const std::uint64_t odd = (random() >> (64 - bits)) | 1;
            const double value = std::ldexp(static_cast<double>(odd), -(decimals + 1));
            ASSERT_TRUE(PrintsExactly(i % 2 == 0 ? value : -value));
        }
    }
}

TEST(SeriesDifferential, AgreesWithClosedFormWithinThePrecision) {
    // For |x| <= 1 the terms alternate and shrink, so the sum stops within
    // the stopping term's magnitude, at most the precision, of the function;
    // the rest is rounding, a few units in the last place of numbers up to 2.
    constexpr double kRounding = 4e-15;
    for (int step = -4096; step <= 4096; ++step) {
        const double x = step / 4096.0;
        for (double precision = 0.5; precision > 1e-16; precision /= 7) {
            const double difference = SeriesValue(x, precision).Sum - ClosedFormValue(x);
            ASSERT_LE(std::fabs(difference), precision + kRounding)
                << "x " << x << ", precision " << precision;
        }
    }
}

TEST(SeriesDifferential, RoundingBoundHoldsAgainstALongDoubleReference) {
    // |series - (cos 2x - 1)| <= bound + precision + the reference's own
    // rounding, the reference as -2 sin^2 x in long double (no cancellation).
    constexpr long double kReferenceRounding = 1e-18L;
    int beyondPrecision = 0;
    for (int step = -14 * 64; step <= 14 * 64; ++step) {
        const double x = step / 64.0 + 1.0 / 1024;  // off the multiples of pi/4's neighbours
        const long double sine = sinl(static_cast<long double>(x));
        const long double reference = -2 * sine * sine;
        for (double precision = 1.0; precision >= 1e-15; precision /= 10) {
            const SeriesResult result = SeriesValue(x, precision);
            const long double error = fabsl(result.Sum - reference);
            ASSERT_LE(error, result.RoundingBound + precision + kReferenceRounding)
                << "x " << x << ", precision " << precision;
            beyondPrecision += error > precision ? 1 : 0;
        }
    }
    EXPECT_GT(beyondPrecision, 100);  // the range does reach where rounding wins
}

}  // namespace
