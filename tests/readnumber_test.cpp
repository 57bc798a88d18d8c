#include "numtext/readnumber.h"

#include <cfloat>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "numtext/arithmeticfault.h"

namespace {

struct ReadCase {
    std::string text;
    double expected;
};

// Values are compared for bit identity: a correctly rounded reading of the
// same decimal text gives the same real as the compiler's reading of the
// literal beside it.
void ExpectReads(const ReadCase& row) {
    SCOPED_TRACE("text: \"" + row.text + "\"");
    const double value = ReadNumber(row.text);
    EXPECT_EQ(value, row.expected);
    EXPECT_EQ(std::signbit(value), std::signbit(row.expected));
}

TEST(NumberReading, HeaderExamples) {
    const ReadCase rows[] = {
        {"0.1", 0.1},   {".1", 0.1},  {"  2", 2.0}, {"0.5 м", 0.5},
        {"1e-5", 1e-5}, {"0,5", 0.0}, {"", 0.0},
    };
    for (const ReadCase& row : rows) {
        ExpectReads(row);
    }
}

TEST(NumberReading, FollowsTheGrammar) {
    const ReadCase rows[] = {
        // blanks are spaces and tabs only
        {"\t 2", 2.0},
        {"\xc2\xa0"
         "2",
         0.0},
        {"\n2", 0.0},
        // sign
        {"-0.5", -0.5},
        {"+3", 3.0},
        {"-.5", -0.5},
        {"-", 0.0},
        {"+", 0.0},
        {"- 1", 0.0},
        {"--1", 0.0},
        {"-0", -0.0},
        // digits around at most one point
        {"1.", 1.0},
        {".", 0.0},
        {"1.5.5", 1.5},
        {"00012", 12.0},
        {"12abc", 12.0},
        // a blank inside a number ends it
        {"1 2", 1.0},
        {"1 .5", 1.0},
        // exponent: E or e, optional sign, digits; otherwise not part of the number
        {"1E3", 1000.0},
        {"1e+2", 100.0},
        {"2.5e-1", 0.25},
        {"1e0005", 1e5},
        {".5e1", 5.0},
        {"1.e2", 100.0},
        {"2e", 2.0},
        {"2e+", 2.0},
        {"2ex", 2.0},
        {"2e 3", 2.0},
        {"e5", 0.0},
        {".e5", 0.0},
        {"1d3", 1.0},
        {"1E3E4", 1000.0},
        // no other forms are numbers
        {"abc", 0.0},
        {",", 0.0},
        {"1,5", 1.0},
        {"inf", 0.0},
        {"-inf", 0.0},
        {"nan", 0.0},
        {"infinity", 0.0},
        {"0x10", 0.0},
        {"\xe2\x88\x92"
         "1",
         0.0},
        {"\xd9\xa1", 0.0},
        {"\xef\xbc\x91", 0.0},
        {"\xff\xfe", 0.0},
    };
    for (const ReadCase& row : rows) {
        ExpectReads(row);
    }
}

TEST(NumberReading, GivesTheNearestReal) {
    const ReadCase rows[] = {
        {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
        {"9007199254740993", 9007199254740992.0},  // a tie goes to the even mantissa
        {"9007199254740995", 9007199254740996.0},
        {"0.30000000000000004", 0.30000000000000004},
        {".000019753086", 1.9753086e-05},
        {"1.7976931348623157e308", DBL_MAX},
        {"2.2250738585072014e-308", DBL_MIN},
        {std::string(400, '0') + "1.5", 1.5},
        {"1." + std::string(400, '0') + "1", 1.0},
    };
    for (const ReadCase& row : rows) {
        ExpectReads(row);
    }
}

TEST(NumberReading, TooSmallReadsAsZeroOrSubnormal) {
    const ReadCase rows[] = {
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"0.0001e-99999999999999999999", 0.0},
        {"2.4703282292062328e-324", 4.9406564584124654e-324},
        {"1e-320", 1e-320},
        {"0e99999", 0.0},
        {"0.000e999999999999999999", 0.0},
    };
    for (const ReadCase& row : rows) {
        ExpectReads(row);
    }
}

TEST(NumberReading, BeyondTheRangeIsAnOverflow) {
    const std::string texts[] = {
        "1e400",
        "-1e309",
        "1.7976931348623159e308",
        "1e99999999999999999999",
        std::string(400, '9'),
        "0.001e312",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE("text: " + text);
        try {
            ReadNumber(text);
            ADD_FAILURE() << "no fault";
        } catch (const ArithmeticFault& fault) {
            EXPECT_EQ(fault.Kind(), FaultKind::Overflow);
            EXPECT_EQ(fault.Operation(), FaultOperation::ReadingNumber);
        }
        EXPECT_TRUE(ReadNumberReport(text).beyondRange);
    }
}

TEST(NumberReport, TellsWhatWasReadAndWhere) {
    const struct {
        std::string text;
        double value;
        size_t end;
        bool hasNumber;
        bool beyondRange;
    } rows[] = {
        // the header's examples
        {"0.5 м", 0.5, 3, true, false},
        {"0,5", 0.0, 1, true, false},
        {" abc", 0.0, 0, false, false},
        {"-1e400", 0.0, 6, true, true},
        // blanks and sign belong to the reading; an exponent without digits does not
        {"  -.25e1x", -2.5, 8, true, false},
        {"7e", 7.0, 1, true, false},
        {"1e-400", 0.0, 6, true, false},
        {"+", 0.0, 0, false, false},
        {"", 0.0, 0, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("text: \"" + row.text + "\"");
        const NumberReading reading = ReadNumberReport(row.text);
        EXPECT_EQ(reading.value, row.value);
        EXPECT_EQ(reading.end, row.end);
        EXPECT_EQ(reading.hasNumber, row.hasNumber);
        EXPECT_EQ(reading.beyondRange, row.beyondRange);
        if (!row.beyondRange) {
            EXPECT_EQ(ReadNumber(row.text), row.value);  // the same reading
        }
    }
}

}  // namespace
