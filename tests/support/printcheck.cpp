#include "support/printcheck.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "numtext/formatnumber.h"
#include "numtext/readnumber.h"
#include "support/exactdecimal.h"

namespace {

// Enough decimals to round to any of the patterns.
constexpr int kExpandedDecimals = 13;

}  // namespace

testing::AssertionResult PrintsExactly(double value) {
    const DecimalExpansion expansion = ExpandExactly(value, kExpandedDecimals);
    for (const PatternCase& pattern : kProgramPatterns) {
        const std::string expected = PatternOracle(value, expansion, pattern.decimals,
                                                   pattern.minDecimals, pattern.zeroIntegerDigit);
        const std::string text = FormatNumber(value, pattern.pattern);
        // Bit identity is the point: both readings round the same decimal text.
        if (text != expected || ReadNumber(text) != std::strtod(expected.c_str(), nullptr)) {
            char hex[40];
            std::snprintf(hex, sizeof hex, "%a", value);
            return testing::AssertionFailure() << hex << " by " << pattern.pattern << ": printed "
                                               << text << ", expected " << expected;
        }
    }
    return testing::AssertionSuccess();
}
