#include "analysis/taylor.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/exactvalue.h"
#include "evaluation/formulas.h"

namespace {

const double kDefaultPrecision = 1.0 / (15.0 * 15 * 15 * 15);

// The polynomials are the run's own partial sums: where the run stopped, S_n
// is its y to the bit.
TEST(Taylor, PartialSumsAreTheRunsSums) {
    EXPECT_EQ(PartialSums(0.1, 3).front(), -(0.2 * 0.2) / 2);
    for (const double x : {0.0, 0.3, 1.0, 5.0, -7.5, 15.0, 20.0}) {
        const SeriesResult run = SeriesValue(x, kDefaultPrecision);
        const std::vector<double> sums = PartialSums(x, run.TermIndex);
        ASSERT_EQ(static_cast<int>(sums.size()), run.TermIndex) << x;
        EXPECT_EQ(sums.back(), run.Sum) << x;
    }
    // (2n)! leaves the reals at n = 86; (2x)^(2n) sooner for large x.
    EXPECT_EQ(PartialSums(1, 100).size(), static_cast<size_t>(kMostTaylorDegree));
    EXPECT_LT(PartialSums(400, kMostTaylorDegree).size(), 60u);
}

TEST(Taylor, SamplesSpanTheRangeWithTheirEnds) {
    const std::vector<int> degrees = {2, 6, 85};
    const TaylorSamples samples = SampleTaylor(-40, 6, 47, degrees);
    ASSERT_EQ(samples.x.size(), 47u);
    EXPECT_EQ(samples.x.front(), -40);
    EXPECT_EQ(samples.x.back(), 6);
    EXPECT_EQ(samples.x[40], 0);
    ASSERT_EQ(samples.sums.size(), 3u);
    for (size_t i = 0; i < samples.x.size(); ++i) {
        EXPECT_EQ(samples.exact[i], ExactValue(samples.x[i]));
        EXPECT_EQ(samples.sums[1][i], PartialSums(samples.x[i], 6).back());
    }
    EXPECT_TRUE(std::isnan(samples.sums[2].front())) << "S_85 at -40 leaves the reals";
    EXPECT_FALSE(std::isnan(samples.sums[2].back()));
    // Over the whole of the reals every sample is a real, the middle 0.
    const TaylorSamples whole = SampleTaylor(-1.7e308, 1.7e308, 5, degrees);
    ASSERT_EQ(whole.x.size(), 5u);
    EXPECT_DOUBLE_EQ(whole.x[1], -0.85e308);
    EXPECT_EQ(whole.x[2], 0);
    EXPECT_DOUBLE_EQ(whole.x[3], 0.85e308);
    for (const double y : whole.exact) {
        EXPECT_TRUE(std::isfinite(y));
    }
}

// The good interval: within the tolerance up to r, not just beyond, and
// wider as n grows.
TEST(Taylor, GoodRadiusIsWhereTheErrorMeetsTheTolerance) {
    // Where the first term left out, (2x)^14 / 14!, reaches the tolerance.
    const double r6 = GoodRadius(6, kDefaultPrecision, 10);
    EXPECT_NEAR(r6, std::pow(kDefaultPrecision * Factorial(14), 1.0 / 14) / 2, 0.01);
    EXPECT_NEAR(r6, 1.40, 0.005);
    const auto error = [](int n, double x) {
        return std::fabs(PartialSums(x, n).back() - ExactValue(x));
    };
    EXPECT_LE(error(6, r6), kDefaultPrecision);
    EXPECT_GT(error(6, r6 * (1 + 1e-6)), kDefaultPrecision);
    double previous = 0;
    for (const int n : {1, 2, 6, 12, 20, 40}) {
        const double r = GoodRadius(n, kDefaultPrecision, 30);
        EXPECT_GT(r, previous) << n;
        previous = r;
    }
    EXPECT_EQ(GoodRadius(40, 1e-3, 2), 2) << "within on the whole reach";
    // A reach of the whole reals: the grid is coarse, the halving finds it still.
    EXPECT_NEAR(GoodRadius(6, kDefaultPrecision, 1.7e308), r6, 1e-12);
    EXPECT_LT(GoodRadius(1, 1e-30, 1), 1e-6);
}

}  // namespace
