#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "textout/bytesink.h"
#include "textout/shorttext.h"

namespace {

TEST(ShortText, HeaderExamples) {
    EXPECT_EQ(ShortNumber(1.3886407345189977e-09), "1.389e-09");
    EXPECT_EQ(ShortNumber(-0.5), "-0.5");
    EXPECT_EQ(ShortNumber(12), "12");
    EXPECT_EQ(ShortNumber(-0.0), "0");
    EXPECT_EQ(Utf8Length("№"), 1u);
    EXPECT_EQ(Utf8Length("x"), 1u);
    EXPECT_EQ(Utf8Length("Σ|Tₖ|"), 5u);
}

TEST(ShortText, FourDigitsRoundAndNonFiniteValuesShowAsTheyAre) {
    EXPECT_EQ(ShortNumber(0.00072370001), "0.0007237");
    EXPECT_EQ(ShortNumber(12345.6), "1.235e+04");
    EXPECT_EQ(ShortNumber(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(ShortNumber(std::nan("")), "nan");
}

TEST(TextSink, KeepsEveryPieceInOrder) {
    TextSink sink;
    EXPECT_TRUE(sink.Write("(0.1;"));
    EXPECT_TRUE(sink.Write("-0.02)\r\n"));
    EXPECT_EQ(sink.text, "(0.1;-0.02)\r\n");
}

}  // namespace
