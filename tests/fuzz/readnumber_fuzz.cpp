// ReadNumber on arbitrary bytes: never crashes, never gives inf or NaN, and
// agrees with strtod reading the number lexeme that a second, independent
// scanner finds at the start of the text.

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzzcheck.h"
#include "numtext/arithmeticfault.h"
#include "numtext/readnumber.h"

namespace {

constexpr std::string_view kDigits = "0123456789";

// The sign and number that the grammar allows at the start of `text`, as one
// string strtod takes ("" when there is none).
std::string LeadingNumber(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    std::string number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number += text.front();
        text.remove_prefix(1);
    }
    const size_t wholeDigits = std::min(text.find_first_not_of(kDigits), text.size());
    size_t length = wholeDigits;
    size_t fractionDigits = 0;
    if (length < text.size() && text[length] == '.') {
        fractionDigits =
            std::min(text.find_first_not_of(kDigits, length + 1), text.size()) - length - 1;
        length += 1 + fractionDigits;
    }
    if (wholeDigits + fractionDigits == 0) {
        return "";
    }
    if (length < text.size() && (text[length] == 'e' || text[length] == 'E')) {
        size_t exponentStart = length + 1;
        if (exponentStart < text.size() &&
            (text[exponentStart] == '+' || text[exponentStart] == '-')) {
            ++exponentStart;
        }
        const size_t exponentEnd =
            std::min(text.find_first_not_of(kDigits, exponentStart), text.size());
        if (exponentEnd > exponentStart) {
            length = exponentEnd;
        }
    }
    return number.append(text.substr(0, length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string number = LeadingNumber(text);
    errno = 0;
    const double expected = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
    const bool overflows = errno == ERANGE && std::isinf(expected);
    try {
        const double value = ReadNumber(text);
        Require(!overflows, "a number beyond the range reads as " + std::to_string(value));
        Require(std::isfinite(value), "a finite result");
        Require(value == expected && std::signbit(value) == std::signbit(expected),
                "agrees with strtod on \"" + number + "\"");
    } catch (const ArithmeticFault& fault) {
        Require(overflows && fault.Kind() == FaultKind::Overflow,
                "overflow only beyond the range: \"" + number + "\"");
    }
    return 0;
}
