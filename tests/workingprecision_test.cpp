#include "analysis/workingprecision.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "analysis/seriesbreakdown.h"
#include "evaluation/formulas.h"

namespace {

const double kDefaultPrecision = 1.0 / (15.0 * 15 * 15 * 15);

// Summed by MPFR at 53 bits with a double's range, the series is the run's
// own, term for term and sum for sum, to the bit.
TEST(WorkingPrecision, FiftyThreeBitsIsTheRunsOwnSum) {
    std::mt19937_64 random(53);
    std::uniform_real_distribution<double> abscissa(-31, 31);
    std::vector<double> xs = {0, 0.1, 1, 5, 15, 20, 1e-200, -3e-310};
    for (int i = 0; i < 400; ++i) {
        xs.push_back(abscissa(random));
    }
    for (const double x : xs) {
        for (const double precision : {kDefaultPrecision, 1e-12}) {
            const SeriesBreakdown doubles = BreakDownSeries(x, precision);
            const SeriesBreakdown wide = BreakDownSeriesAtBits(x, precision, 53);
            ASSERT_EQ(wide.steps.size(), doubles.steps.size()) << x;
            for (size_t i = 0; i < doubles.steps.size(); ++i) {
                ASSERT_EQ(wide.steps[i].term, doubles.steps[i].term) << x << " n " << i + 1;
                ASSERT_EQ(wide.steps[i].partialSum, doubles.steps[i].partialSum) << x;
                EXPECT_EQ(wide.steps[i].error, doubles.steps[i].error) << x;
            }
            EXPECT_EQ(wide.fault.has_value(), doubles.fault.has_value()) << x;
            if (!doubles.fault) {
                EXPECT_EQ(wide.steps.back().partialSum, SeriesValue(x, precision).Sum);
            }
            EXPECT_NEAR(wide.steps.back().roundingBound, doubles.steps.back().roundingBound,
                        doubles.steps.back().roundingBound * 1e-12);
        }
    }
}

// What rounding does, as the lesson tells it: at x = 20 a double's sum is
// off by more than 1 and binary128's within the precision; at x = 5
// binary32's rounding floor is above the precision (its sum happens to land
// 1.7e-5 from y*, just within; from 5.5 on it misses) and a double's meets it.
TEST(WorkingPrecision, TheLessonHolds) {
    const auto finalError = [](double x, int bits) {
        return BreakDownSeriesAtBits(x, kDefaultPrecision, bits).steps.back().error;
    };
    EXPECT_GT(finalError(20, 53), 1);
    EXPECT_LE(finalError(20, 113), kDefaultPrecision);
    EXPECT_GT(BreakDownSeriesAtBits(5, kDefaultPrecision, 24).steps.back().roundingFloor,
              10 * kDefaultPrecision);
    EXPECT_GT(finalError(5.5, 24), kDefaultPrecision);
    EXPECT_GT(finalError(6, 24), kDefaultPrecision);
    EXPECT_LE(finalError(5, 53), kDefaultPrecision);
    // The same errors, summed past the stopping rule, term by term.
    const std::vector<double> at113 = PartialSumErrorsAtBits(20, 113, 80);
    ASSERT_EQ(at113.size(), 80u);
    EXPECT_LE(at113.back(), kDefaultPrecision);
    EXPECT_GT(PartialSumErrorsAtBits(20, 53, 80).back(), 1);
    // (2n)! leaves the double's range at n = 86, at every precision alike.
    EXPECT_EQ(PartialSumErrorsAtBits(20, 113, 90).size(), 85u);
    // The floor drops with u.
    EXPECT_LT(BreakDownSeriesAtBits(20, kDefaultPrecision, 113).steps.back().roundingFloor,
              BreakDownSeriesAtBits(20, kDefaultPrecision, 53).steps.back().roundingFloor * 1e-15);
}

TEST(WorkingPrecision, TermsBeyondTheDoublesRangeEndTheSum) {
    // (2x)^(2n) leaves the reals at every precision alike.
    const SeriesBreakdown wide = BreakDownSeriesAtBits(300, kDefaultPrecision, 113);
    const SeriesBreakdown doubles = BreakDownSeries(300, kDefaultPrecision);
    ASSERT_TRUE(wide.fault.has_value());
    ASSERT_TRUE(doubles.fault.has_value());
    EXPECT_EQ(wide.steps.size(), doubles.steps.size());
    EXPECT_LT(PartialSumErrorsAtBits(300, 24, 200).size(), 200u);
}

// The fewest bits whose rounding bound meets the precision: that many do,
// one fewer does not.
TEST(WorkingPrecision, BitsNeededIsTheFewestThatBound) {
    for (const double x : {0.5, 1.0, 5.0, 12.0, 20.0, 24.0}) {
        const SeriesResult line = SeriesValue(x, kDefaultPrecision);
        const std::optional<int> bits = BitsNeeded(line, kDefaultPrecision);
        ASSERT_TRUE(bits.has_value()) << x;
        const auto bound = [x](int p) {
            return BreakDownSeriesAtBits(x, kDefaultPrecision, p).steps.back().roundingBound;
        };
        EXPECT_LE(bound(*bits), kDefaultPrecision * 1.001) << x;
        EXPECT_GT(bound(*bits - 1), kDefaultPrecision * 0.999) << x;
    }
    const std::optional<int> at20 =
        BitsNeeded(SeriesValue(20, kDefaultPrecision), kDefaultPrecision);
    EXPECT_GE(*at20, 60);
    EXPECT_LE(*at20, 90);
    EXPECT_EQ(BitsNeeded(SeriesValue(0, kDefaultPrecision), kDefaultPrecision), kFewestBits);
    // A precision below what 1024 bits can bound.
    EXPECT_EQ(BitsNeeded(SeriesValue(20, kDefaultPrecision), 1e-300), std::nullopt);
}

}  // namespace

namespace {

// A stricter precision never needs fewer bits, and a looser one never more.
TEST(WorkingPrecision, BitsNeededGrowsAsThePrecisionTightens) {
    const SeriesResult line = SeriesValue(15, kDefaultPrecision);
    int previous = 0;
    for (const double precision : {1e-2, 1e-4, 1e-6, 1e-9, 1e-12, 1e-20, 1e-40}) {
        const std::optional<int> bits = BitsNeeded(line, precision);
        ASSERT_TRUE(bits.has_value()) << precision;
        EXPECT_GE(*bits, previous) << precision;
        previous = *bits;
    }
    // About log2 of the ratio to the bound at 53 bits, one bit a halving.
    const int at = *BitsNeeded(line, 1e-6);
    EXPECT_NEAR(at, 53 + std::log2(line.RoundingBound / 1e-6), 1.0);
}

}  // namespace
