#include "evaluation/formulas.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "numtext/arithmeticfault.h"

namespace {

const double kDefaultPrecision = std::pow(15.0, -4.0);

// Runs `compute` and expects it to raise an arithmetic fault of `kind` in
// `operation`.
template <typename Compute>
void ExpectFault(FaultKind kind, FaultOperation operation, Compute compute) {
    try {
        compute();
        ADD_FAILURE() << "no fault";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.Kind(), kind);
        EXPECT_EQ(fault.Operation(), operation);
    }
}

TEST(Factorial, GivesExactValues) {
    const struct {
        int m;
        double expected;
    } rows[] = {
        {-1, 1.0}, {0, 1.0},     {1, 1.0},          {2, 2.0},
        {4, 24.0}, {8, 40320.0}, {12, 479001600.0}, {20, 2432902008176640000.0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.m);
        EXPECT_EQ(Factorial(row.m), row.expected);  // these products are exact in doubles
    }
}

TEST(Factorial, OverflowsFrom171On) {
    EXPECT_NEAR(Factorial(170) / 7.257415615307994e306, 1.0, 1e-13);
    ExpectFault(FaultKind::Overflow, FaultOperation::Multiplication, [] { Factorial(171); });
}

TEST(SeriesValue, HeaderExamples) {
    const SeriesResult small = SeriesValue(0.1, kDefaultPrecision);
    EXPECT_EQ(small.TermIndex, 3);
    EXPECT_NEAR(small.Sum, -0.019933422222222226, 1e-17);
    EXPECT_NEAR(small.Term, -0.000064 / 720, 1e-20);

    const SeriesResult one = SeriesValue(1.0, kDefaultPrecision);
    EXPECT_EQ(one.TermIndex, 6);
    EXPECT_NEAR(one.Sum, -1.4161466517022, 1e-12);
    EXPECT_NEAR(one.Term, 4096.0 / 479001600, 1e-18);  // (2)^12 / 12!

    for (double precision : {0.0, 1e-300, 1.0}) {
        const SeriesResult zero = SeriesValue(0.0, precision);
        EXPECT_EQ(zero.Sum, 0.0);
        EXPECT_EQ(zero.TermIndex, 1);
        EXPECT_EQ(zero.Term, 0.0);
    }
}

TEST(SeriesValue, LargePrecisionTakesOneTerm) {
    for (double x : {-0.5, -0.25, 0.001, 0.3, 0.5}) {
        for (double precision : {1.0, 10.0}) {
            SCOPED_TRACE(std::to_string(x) + " at " + std::to_string(precision));
            const SeriesResult result = SeriesValue(x, precision);
            EXPECT_EQ(result.TermIndex, 1);
            EXPECT_DOUBLE_EQ(result.Sum, -(2 * x) * (2 * x) / 2);
            EXPECT_EQ(result.Sum, result.Term);
        }
    }
}

TEST(SeriesValue, StopsOnTheFirstTermNotAbovePrecision) {
    // The stopping term is in the sum, and every earlier term is above the precision.
    for (double x = -1.0; x <= 1.0; x += 0.0625) {
        for (double precision : {1e-3, kDefaultPrecision, 1e-9}) {
            const SeriesResult result = SeriesValue(x, precision);
            EXPECT_LE(std::fabs(result.Term), precision);
            if (result.TermIndex > 1) {
                const int n = result.TermIndex - 1;
                EXPECT_GT(std::pow(2 * x, 2 * n) / Factorial(2 * n), precision);
            }
        }
    }
}

TEST(SeriesValue, TermIsPowerOverFactorialToTheBit) {
    // Bit identity is the point: every term must be ((-1)^n (2x)^(2n)) / (2n)!
    // with (2n)! exactly as Factorial builds it.
    for (double x = -12.0; x <= 12.0; x += 0.37) {
        for (double precision : {1e-3, kDefaultPrecision, 1e-12}) {
            const SeriesResult result = SeriesValue(x, precision);
            const int n = result.TermIndex;
            const double sign = n % 2 == 0 ? 1.0 : -1.0;
            EXPECT_EQ(result.Term, sign * std::pow(2 * x, 2 * n) / Factorial(2 * n))
                << x << " at " << precision;
        }
    }
}

TEST(SeriesValue, AgreesWithClosedForm) {
    // Tail of an alternating series with decreasing terms: below the stopping
    // term's magnitude, so within the precision, plus rounding.
    for (double x = -1.0; x <= 1.0; x += 1.0 / 64) {
        for (double precision : {1e-2, kDefaultPrecision, 1e-8, 1e-12}) {
            SCOPED_TRACE(std::to_string(x) + " at " + std::to_string(precision));
            EXPECT_NEAR(SeriesValue(x, precision).Sum, ClosedFormValue(x), precision + 1e-14);
        }
    }
}

TEST(SeriesValue, IsEvenInX) {
    for (double x : {0.1, 0.7, 1.0, 3.3, 12.5}) {
        const SeriesResult plus = SeriesValue(x, kDefaultPrecision);
        const SeriesResult minus = SeriesValue(-x, kDefaultPrecision);
        // Bit identity is the point: only even powers of x take part.
        EXPECT_EQ(plus.Sum, minus.Sum);
        EXPECT_EQ(plus.TermIndex, minus.TermIndex);
        EXPECT_EQ(ClosedFormValue(x), ClosedFormValue(-x));
    }
}

TEST(SeriesValue, FaultsWhenAPowerOrTheFactorialOverflows) {
    constexpr auto kOverflow = FaultKind::Overflow;
    // 172! at n = 86
    ExpectFault(kOverflow, FaultOperation::Multiplication, [] { SeriesValue(1.0, 0.0); });
    ExpectFault(kOverflow, FaultOperation::Multiplication, [] { SeriesValue(1.0, -1.0); });
    ExpectFault(kOverflow, FaultOperation::Power, [] { SeriesValue(100.0, 1e-5); });  // 200^(2n)
    ExpectFault(kOverflow, FaultOperation::Multiplication, [] { SeriesValue(1e308, 1.0); });  // 2x
}

TEST(SeriesValue, PrecisionZeroStopsWhereTheTermsUnderflow) {
    const struct {
        double x;
        int termIndex;
    } rows[] = {{1e-10, 16}, {0.001, 39}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        const SeriesResult result = SeriesValue(row.x, 0.0);
        EXPECT_EQ(result.TermIndex, row.termIndex);
        EXPECT_EQ(result.Term, 0.0);
        const double sine = std::sin(row.x);
        EXPECT_DOUBLE_EQ(result.Sum, -2 * sine * sine);  // cos 2x - 1 without cancellation
    }
}

TEST(ClosedFormValue, MatchesCosineOfDoubleAngle) {
    EXPECT_EQ(ClosedFormValue(0.0), 0.0);
    EXPECT_NEAR(ClosedFormValue(std::numbers::pi / 2), -2.0, 1e-15);
    EXPECT_NEAR(ClosedFormValue(std::numbers::pi / 4), -1.0, 1e-15);
    for (double x = -20.0; x <= 20.0; x += 0.37) {
        const double y = ClosedFormValue(x);
        EXPECT_NEAR(y, std::cos(2 * x) - 1, 1e-14) << x;
        EXPECT_GE(y, -2.0);
        EXPECT_LE(y, 0.0);
    }
    EXPECT_LE(ClosedFormValue(1e300), 0.0);
}

TEST(SeriesValue, RoundingBoundHeaderExamples) {
    const double precision = kDefaultPrecision;
    const struct {
        double x;
        int termIndex;
        double bound;
    } rows[] = {{1, 6, 3.6e-15}, {10, 31, 1.5e-6}, {13, 40, 7.5e-4}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        const SeriesResult result = SeriesValue(row.x, precision);
        EXPECT_EQ(result.TermIndex, row.termIndex);
        EXPECT_NEAR(result.RoundingBound, row.bound, row.bound * 0.05);
    }
    EXPECT_LT(SeriesValue(1, precision).RoundingBound, 1e-13);  // not absurdly loose
    EXPECT_LT(SeriesValue(10, precision).RoundingBound, precision);
    EXPECT_GT(SeriesValue(13, precision).RoundingBound, precision);
}

TEST(SeriesValue, RoundingBoundOfOneTermIsThatTermsOwn) {
    EXPECT_EQ(SeriesValue(0, 1).RoundingBound, 0.0);
    // One term, no addition to round: the power, the division and 2! alone.
    const double bound = SeriesValue(0.5, 1).RoundingBound;
    EXPECT_GT(bound, 0.0);
    EXPECT_LT(bound, 4e-16);  // 6u of the term's 0.5
}

}  // namespace

namespace {

TEST(TruncationBound, HeaderExamples) {
    const std::optional<double> small = TruncationBound(0.1, 3, -8.888888888888889e-08);
    ASSERT_TRUE(small.has_value());
    EXPECT_NEAR(*small, 6.35e-11, 0.01e-11);
    EXPECT_FALSE(TruncationBound(5, 1, -50).has_value());
    const double precision = std::pow(15.0, -4.0);
    const SeriesResult one = SeriesValue(1, precision);
    EXPECT_TRUE(IsGuaranteed(1, one, precision));
    const SeriesResult thirteen = SeriesValue(13, precision);
    EXPECT_FALSE(IsGuaranteed(13, thirteen, precision));
}

TEST(TruncationBound, BoundsTheFirstTermLeftOut) {
    for (double x : {0.1, 1.0, 3.0, 10.0, 20.0}) {
        for (double precision : {1e-3, 1e-9, 1e-14}) {
            const SeriesResult value = SeriesValue(x, precision);
            SeriesTerms terms(x);
            double next = 0;
            for (int n = 0; n <= value.TermIndex; ++n) {
                next = terms.Next();
            }
            const std::optional<double> bound = TruncationBound(x, value.TermIndex, value.Term);
            SCOPED_TRACE(x);
            ASSERT_TRUE(bound.has_value());
            EXPECT_GE(*bound, std::fabs(next));
            EXPECT_LE(*bound, std::fabs(next) * 1.001 + 1e-300);
        }
    }
}

TEST(TruncationBound, NoneWhereTheTermsStillGrow) {
    // (2x)^2 = 100 against (2n + 1)(2n + 2): 12 for n = 1, 90 for n = 4, 132 for n = 5.
    EXPECT_FALSE(TruncationBound(5, 1, -50).has_value());
    EXPECT_FALSE(TruncationBound(5, 4, 1e3).has_value());
    EXPECT_TRUE(TruncationBound(5, 5, -1e3).has_value());
}

TEST(IsGuaranteed, ZeroIsExactAtAnyPrecision) {
    EXPECT_TRUE(
        IsGuaranteed(0, SeriesDetail{1, 0, 0, 0}, std::numeric_limits<double>::denorm_min()));
}

}  // namespace
