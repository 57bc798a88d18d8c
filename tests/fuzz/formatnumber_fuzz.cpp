// FormatNumber on arbitrary finite reals under each of the four patterns: the
// text has the pattern's shape, equals the exact decimal oracle's, and reads
// back through ReadNumber as the real nearest the printed decimal.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzzcheck.h"
#include "numtext/formatnumber.h"
#include "numtext/readnumber.h"
#include "support/exactdecimal.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The shape a pattern allows: "-"?, integer digits without a needless leading
// zero, then "." and decimals within the pattern's bounds and without a
// droppable trailing zero; "-" only before a nonzero digit; never empty.
void RequireShape(const std::string& text, const PatternCase& pattern) {
    const std::string where = "\"" + text + "\" by " + pattern.pattern;
    Require(!text.empty(), "not empty: " + where);
    const bool negative = text.front() == '-';
    const std::string body = negative ? text.substr(1) : text;
    const size_t point = body.find('.');
    const std::string whole = body.substr(0, point);
    const std::string decimals = point == std::string::npos ? "" : body.substr(point + 1);
    for (char c : whole + decimals) {
        Require(IsDigit(c), "digits and one point: " + where);
    }
    Require(whole.size() <= 1 || whole.front() != '0', "no needless leading zero: " + where);
    Require(!whole.empty() || !pattern.zeroIntegerDigit, "an integer digit: " + where);
    Require(point == std::string::npos || !decimals.empty(), "no bare point: " + where);
    Require(static_cast<int>(decimals.size()) >= pattern.minDecimals &&
                static_cast<int>(decimals.size()) <= pattern.decimals,
            "decimals within bounds: " + where);
    Require(static_cast<int>(decimals.size()) == pattern.minDecimals || decimals.back() != '0',
            "no droppable trailing zero: " + where);
    Require(!negative || body.find_first_not_of("0.") != std::string::npos, "no -0: " + where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double value = 0;
    if (size < sizeof value + 1) {
        return 0;
    }
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value)) {
        return 0;
    }
    const PatternCase& pattern = kProgramPatterns[data[sizeof value] % 4];
    const std::string text = FormatNumber(value, pattern.pattern);
    RequireShape(text, pattern);
    const std::string expected =
        PatternOracle(value, ExpandExactly(value, pattern.decimals + 1), pattern.decimals,
                      pattern.minDecimals, pattern.zeroIntegerDigit);
    Require(text == expected, "\"" + text + "\" is the exact rounding \"" + expected + "\"");
    Require(ReadNumber(text) == std::strtod(expected.c_str(), nullptr),
            "\"" + text + "\" reads back as the rounded value");
    return 0;
}
