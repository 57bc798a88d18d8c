#include <cmath>
#include <limits>
#include <mpfr.h>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/errorcurves.h"
#include "analysis/exactvalue.h"
#include "analysis/remedies.h"
#include "analysis/seriesbreakdown.h"
#include "evaluation/formulas.h"
#include "numtext/arithmeticfault.h"

namespace {

const double kDefaultPrecision = std::pow(15.0, -4.0);
const double kPi = std::acos(-1.0);

// cos 2x - 1 by another road than ExactValue's: the cosine of the doubled
// argument at 4000 bits, less 1, rounded once to a double. (At 4000 bits
// the cancellation near 0 still leaves thousands.)
double OracleValue(double x) {
    mpfr_t value;
    mpfr_init2(value, 4000);
    mpfr_set_d(value, x, MPFR_RNDN);
    mpfr_mul_2ui(value, value, 1, MPFR_RNDN);
    mpfr_cos(value, value, MPFR_RNDN);
    mpfr_sub_ui(value, value, 1, MPFR_RNDN);
    const double rounded = mpfr_get_d(value, MPFR_RNDN);
    mpfr_clear(value);
    return rounded;
}

// Abscissas over every scale the program meets: near 0, near multiples of pi
// and of pi / 2, ordinary, large, and up to the largest real.
std::vector<double> Abscissas(int count, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> exponent(-1074, 1023);
    std::vector<double> xs = {0,
                              1e-6,
                              1,
                              kPi,
                              kPi / 2,
                              1e300,
                              -1e308,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::denorm_min()};
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
            case 0:
                xs.push_back(std::ldexp(unit(random), exponent(random)));
                break;
            case 1:
                xs.push_back(30 * unit(random));
                break;
            case 2:  // the double nearest a multiple of pi / 2
                xs.push_back(std::round(unit(random) * 1e6) * kPi / 2);
                break;
            default:
                xs.push_back(1e7 * unit(random));
        }
    }
    return xs;
}

TEST(ExactValue, HeaderExamples) {
    EXPECT_EQ(ExactValue(0), 0.0);
    EXPECT_EQ(ExactValue(1e-6), -1.9999999999993331e-12);
    EXPECT_EQ(ExactValue(1), -1.4161468365471424);
    const double error = ErrorAgainstExact(-1.4161468365471424, 1);
    EXPECT_GT(error, 0);
    EXPECT_LT(error, 1e-16);
    EXPECT_EQ(ReducedArgument(1), 1.0);
    EXPECT_EQ(ReducedArgument(4), 0.85840734641020677);
}

TEST(ExactValue, IsCorrectlyRoundedOverEveryScale) {
    // Bit identity is the point: two roads to the one correctly rounded double.
    for (double x : Abscissas(4000, 14)) {
        ASSERT_EQ(ExactValue(x), OracleValue(x)) << x;
    }
}

// |stand-in - y*|, with y* to 256 bits.
long double StandInError(double x) {
    mpfr_t exact;
    mpfr_t standIn;
    mpfr_inits2(256, exact, standIn, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(exact, x, MPFR_RNDN);
    mpfr_sin(exact, exact, MPFR_RNDN);
    mpfr_sqr(exact, exact, MPFR_RNDN);
    mpfr_mul_si(exact, exact, -2, MPFR_RNDN);
    mpfr_set_ld(standIn, StandInValue(x), MPFR_RNDN);
    mpfr_sub(standIn, standIn, exact, MPFR_RNDN);
    const long double error = std::fabs(mpfr_get_ld(standIn, MPFR_RNDN));
    mpfr_clears(exact, standIn, static_cast<mpfr_ptr>(nullptr));
    return error;
}

TEST(ExactValue, StandInIsFarBelowADoublesRounding) {
    for (double x : Abscissas(100'000, 15)) {
        ASSERT_LE(StandInError(x), 1e-18L) << x;
    }
}

TEST(ExactValue, ReducedArgumentKeepsTheValue) {
    for (double x : Abscissas(20'000, 16)) {
        const double r = ReducedArgument(x);
        ASSERT_LE(std::fabs(r), kPi / 2 * (1 + 1e-15)) << x << " gives " << r;
        // y changes by at most |y'| <= 2 times the rounding of r.
        ASSERT_NEAR(ExactValue(r), ExactValue(x), 4 * std::numeric_limits<double>::epsilon()) << x;
    }
}

TEST(ErrorCurves, HeaderExamplesAndFaultsAsGaps) {
    const std::vector<long double> exact = {-1.5L, 0.0L};
    EXPECT_EQ(AbsoluteErrors(std::vector<double>{-1, 0}, exact), (std::vector<double>{0.5, 0}));
    const std::vector<double> xs = {0.0, 20.0, 1e6};
    const std::vector<double> reduced = RemedyErrorDecades(Remedy::Reduced, xs, 1e-12, -20);
    const std::vector<double> compensated = RemedyErrorDecades(Remedy::Compensated, xs, 1e-12, -20);
    EXPECT_EQ(reduced[0], -20);               // exactly 0 at x = 0: the floor
    EXPECT_LT(reduced[1], -12);               // the reduced series mends x = 20
    EXPECT_GT(compensated[1], 0);             // compensating does not: off by more than 1
    EXPECT_TRUE(std::isnan(compensated[2]));  // the plain terms overflow there: a gap
    EXPECT_EQ(StandInColumn(xs).size(), xs.size());
    EXPECT_NEAR(static_cast<double>(StandInColumn(xs)[1]), ExactValue(20), 1e-15);
}

TEST(ErrorCurves, StandInColumnIsEachLinesStandInOnOneThreadOrTwo) {
    for (size_t lines : {size_t{100}, size_t{60'001}}) {  // below and above a thread's worth
        std::vector<double> xs(lines);
        for (size_t i = 0; i < lines; ++i) {
            xs[i] = -30 + static_cast<double>(i) * 0.001;
        }
        const std::vector<long double> column = StandInColumn(xs);
        ASSERT_EQ(column.size(), lines);
        for (size_t i = 0; i < lines; ++i) {
            ASSERT_EQ(column[i], StandInValue(xs[i])) << "line " << i;  // the same arithmetic
        }
    }
}

TEST(Remedies, ReducingTheArgumentMendsTheSeriesAndCompensatingDoesNot) {
    const double exact = ExactValue(20);
    EXPECT_GT(std::fabs(SeriesValue(20, kDefaultPrecision).Sum - exact), 1);
    EXPECT_GT(std::fabs(CompensatedSeriesValue(20, kDefaultPrecision) - exact), 1);
    EXPECT_LE(std::fabs(ReducedSeriesValue(20, kDefaultPrecision) - exact), kDefaultPrecision);
}

TEST(Remedies, ReducedSeriesIsWithinAFewUnitsInTheLastPlaceEverywhere) {
    for (int i = -3000; i <= 3000; ++i) {
        const double x = i / 100.0;
        ASSERT_LE(ErrorAgainstExact(ReducedSeriesValue(x, 1e-16), x), 3e-15) << x;
    }
}

TEST(Guarantee, EveryGuaranteedLineIsWithinItsPrecision) {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> abscissa(-30, 30);
    std::uniform_real_distribution<double> decades(-15, 3);
    int guaranteed = 0;
    int stillGrowing = 0;
    int rounding = 0;
    for (int i = 0; i < 20'000; ++i) {
        const double x = abscissa(random);
        const double precision = std::pow(10.0, decades(random));
        SeriesResult value;
        try {
            value = SeriesValue(x, precision);
        } catch (const ArithmeticFault&) {
            continue;
        }
        if (IsGuaranteed(x, value, precision)) {
            ++guaranteed;
            ASSERT_LE(ErrorAgainstExact(value.Sum, x), precision)
                << "x " << x << ", precision " << precision;
        } else if (!TruncationBound(x, value.TermIndex, value.Term)) {
            ++stillGrowing;
        } else {
            ++rounding;
        }
    }
    EXPECT_GT(guaranteed, 1000);
    EXPECT_GT(stillGrowing, 100);  // both causes of a lost guarantee occur
    EXPECT_GT(rounding, 100);
}

TEST(SeriesBreakdown, LastPartialSumIsTheRunsValueToTheBit) {
    for (double x : {0.0, 0.1, -1.0, 5.0, 15.0, 25.0}) {
        for (double precision : {kDefaultPrecision, 1e-12, 10.0}) {
            const SeriesBreakdown breakdown = BreakDownSeries(x, precision);
            const SeriesResult value = SeriesValue(x, precision);
            SCOPED_TRACE(std::to_string(x) + " " + std::to_string(precision));
            ASSERT_FALSE(breakdown.fault.has_value());
            ASSERT_EQ(breakdown.steps.size(), static_cast<size_t>(value.TermIndex));
            // Bit identity is the point: the very sum the run made.
            EXPECT_EQ(breakdown.steps.back().partialSum, value.Sum);
            EXPECT_EQ(breakdown.steps.back().roundingBound, value.RoundingBound);
            EXPECT_FALSE(breakdown.steps.back().abovePrecision);
            for (size_t i = 0; i + 1 < breakdown.steps.size(); ++i) {
                EXPECT_TRUE(breakdown.steps[i].abovePrecision);
            }
        }
    }
}

TEST(SeriesBreakdown, HeaderExamples) {
    const SeriesBreakdown small = BreakDownSeries(0.1, kDefaultPrecision);
    ASSERT_EQ(small.steps.size(), 3u);
    EXPECT_EQ(small.steps[2].partialSum, -0.019933422222222226);
    const SeriesBreakdown large = BreakDownSeries(15, kDefaultPrecision);
    double largest = 0;
    for (const TermStep& step : large.steps) {
        largest = std::max(largest, std::fabs(step.term));
    }
    EXPECT_EQ(large.steps.size(), 45u);
    EXPECT_NEAR(largest, 8e11, 0.5e11);
    EXPECT_NEAR(large.steps.back().error, 2e-4, 0.5e-4);
    EXPECT_NEAR(large.steps.back().roundingFloor, 6e-4, 0.5e-4);
}

TEST(SeriesBreakdown, FaultKeepsTheStepsBeforeIt) {
    const SeriesBreakdown breakdown = BreakDownSeries(40, kDefaultPrecision);
    ASSERT_TRUE(breakdown.fault.has_value());
    EXPECT_EQ(breakdown.fault->Kind(), FaultKind::Overflow);
    EXPECT_GT(breakdown.steps.size(), 50u);
}

}  // namespace
