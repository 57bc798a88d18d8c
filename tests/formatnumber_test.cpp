#include "numtext/formatnumber.h"

#include <cfloat>
#include <cmath>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "numtext/arithmeticfault.h"
#include "numtext/readnumber.h"
#include "support/printcheck.h"

namespace {

struct FormatCase {
    double value;
    std::string pattern;
    std::string expected;
};

void ExpectFormats(const FormatCase& row) {
    SCOPED_TRACE("value " + std::to_string(row.value) + " by \"" + row.pattern + "\"");
    EXPECT_EQ(FormatNumber(row.value, row.pattern), row.expected);
}

TEST(NumberFormatting, HeaderExamples) {
    const FormatCase rows[] = {
        {0.1, "0.0########", "0.1"},
        {1, "0.0########", "1.0"},
        {-0.01993342215875815, "0.###", "-0.02"},
        {0.0004, "0.###", "0"},
        {1.9753086419753087e-05, "#.############", ".000019753086"},
    };
    for (const FormatCase& row : rows) {
        ExpectFormats(row);
    }
}

TEST(NumberFormatting, FollowsThePatterns) {
    const FormatCase rows[] = {
        {0.30000000000000004, "0.0########", "0.3"},
        {0.7999999999999999, "0.0########", "0.8"},
        {0.9999999999999999, "0.0########", "1.0"},
        {-1.416146651702207, "0.############", "-1.416146651702"},
        {std::pow(15.0, -4.0), "#.############", ".000019753086"},
        {0.123456789123, "0.0########", "0.123456789"},
        {9.9999999996, "0.0########", "10.0"},
        {-2.0, "0.###", "-2"},
        {0.5, "#.############", ".5"},
        {12.5, "#.############", "12.5"},
        {0.99999999999995, "0.############", "1"},
        {1234567.891, "0.###", "1234567.891"},
        {4.9406564584124654e-324, "0.0########", "0.0"},
    };
    for (const FormatCase& row : rows) {
        ExpectFormats(row);
    }
}

TEST(NumberFormatting, ZeroPrintsWithoutSignAndNeverEmpty) {
    const FormatCase rows[] = {
        {0.0, "#.############", "0"},     {-0.0, "#.############", "0"},
        {-0.0, "0.0########", "0.0"},     {-0.0, "0.###", "0"},
        {-0.0004, "0.###", "0"},          {-4e-13, "0.############", "0"},
        {-1e-300, "#.############", "0"}, {-0.0000000004, "0.0########", "0.0"},
    };
    for (const FormatCase& row : rows) {
        ExpectFormats(row);
    }
}

TEST(NumberFormatting, ExactTiesGoToTheEvenDigit) {
    const FormatCase rows[] = {
        {0.0625, "0.###", "0.062"},
        {0.1875, "0.###", "0.188"},
        {-0.0625, "0.###", "-0.062"},
        {2.5, "0", "2"},
        {3.5, "0", "4"},
        {-0.5, "0", "0"},
        {0.0009765625, "0.###", "0.001"},  // 0.9765625 thousandths: above the tie
    };
    for (const FormatCase& row : rows) {
        ExpectFormats(row);
    }
    // Every (2k + 1) / 2^(d + 1) lies exactly halfway at d decimals.
    for (int decimals : {3, 9, 12}) {
        const double unit = std::ldexp(1.0, -(decimals + 1));
        for (int k = 0; k < 2000; ++k) {
            ASSERT_TRUE(PrintsExactly((2 * k + 1) * unit));
            ASSERT_TRUE(PrintsExactly(-(2 * k + 1) * unit));
        }
    }
}

TEST(NumberFormatting, PrintsLargeValuesWholeWithoutGrouping) {
    EXPECT_EQ(FormatNumber(123456789012345678.0, "0.###"), "123456789012345680");
    EXPECT_EQ(FormatNumber(-1e20, "0.0########"), "-100000000000000000000.0");
    EXPECT_EQ(FormatNumber(18446744073709551616.0, "0.###"), "18446744073709551616");  // 2^64
    const std::string largest = FormatNumber(DBL_MAX, "0.###");
    EXPECT_EQ(largest.size(), 309u);
    EXPECT_EQ(largest.substr(0, 17), "17976931348623157");
    for (double value = 1e15; std::isfinite(value); value *= 7.3) {
        ASSERT_TRUE(PrintsExactly(value));
    }
}

TEST(NumberFormatting, AgreesWithExactRoundingOnRandomReals) {
    std::mt19937_64 random(20261207);
    // Exponents from about 1e-18 to 1e21, where decimals and integer digits mix.
    std::uniform_int_distribution<int> exponent(-60, 70);
    std::uniform_int_distribution<std::uint64_t> mantissa(0, (std::uint64_t{1} << 53) - 1);
    for (int i = 0; i < 30000; ++i) {
        const double value =
            std::ldexp(static_cast<double>(mantissa(random)), exponent(random) - 53);
        ASSERT_TRUE(PrintsExactly(i % 2 == 0 ? value : -value));
    }
}

TEST(NumberFormatting, RefusesMalformedPatternsAndNonFiniteValues) {
    EXPECT_THROW(FormatNumber(1.0, "0,00"), std::invalid_argument);
    EXPECT_THROW(FormatNumber(1.0, "0." + std::string(19, '#')), std::invalid_argument);
    EXPECT_EQ(FormatNumber(1.0 / 3, "0." + std::string(18, '#')), "0.333333333333333315");
    try {
        FormatNumber(INFINITY, "0.###");
        ADD_FAILURE() << "no fault for infinity";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.Kind(), FaultKind::Overflow);
    }
    try {
        FormatNumber(NAN, "0.###");
        ADD_FAILURE() << "no fault for NaN";
    } catch (const ArithmeticFault& fault) {
        EXPECT_EQ(fault.Kind(), FaultKind::InvalidOperation);
    }
}

TEST(NumberPattern, IsUnderstoodAtCompileTime) {
    constexpr NumberPattern kAbscissa("0.0########");
    static_assert(kAbscissa.MinIntegerDigits() == 1);
    static_assert(kAbscissa.Decimals() == 9);
    static_assert(kAbscissa.MinDecimals() == 1);
    constexpr NumberPattern kPrecision("#.############");
    static_assert(kPrecision.MinIntegerDigits() == 0 && kPrecision.Decimals() == 12);
    EXPECT_THROW(NumberPattern("0.0.0"), std::invalid_argument);
    EXPECT_EQ(FormatNumber(7.25, NumberPattern("000.0")), "007.2");  // ties to even
}

TEST(NumberFormatting, AppendsToExistingText) {
    std::string text = "(";
    AppendFormattedNumber(text, -0.5, NumberPattern("0.###"));
    AppendFormattedNumber(text, 0.0, NumberPattern("#.###"));
    EXPECT_EQ(text, "(-0.50");
}

TEST(ShortestNumber, HeaderExamplesReadBackExactly) {
    const struct {
        double value;
        const char* text;
    } rows[] = {{0.1, "0.1"},
                {1.9753086419753087e-05, "1.9753086419753087e-05"},
                {1e22, "1e+22"},
                {-2, "-2"},
                {-2.2250738585072014e-308, "-2.2250738585072014e-308"}};
    for (const auto& row : rows) {
        std::string text = "(";
        AppendShortestNumber(text, row.value);
        EXPECT_EQ(text, std::string("(") + row.text);
        EXPECT_EQ(ReadNumber(text.substr(1)), row.value);  // bit identity is the point
    }
    std::string text;
    EXPECT_THROW(AppendShortestNumber(text, NAN), ArithmeticFault);
}

}  // namespace
