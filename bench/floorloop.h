#pragma once

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

// The bare loop the closed-form line is measured against.
namespace floorloop {

// The least a closed-form line costs: the cosine, the square, x and y each
// printed by std::to_chars with its pattern's trimming, appended to a text
// reserved up front. No checks, no dialogues, no patterns to understand.
inline void AppendTrimmed(std::string& out, double value, int decimals, size_t minDecimals) {
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::fixed, decimals);
    std::string_view digits(buffer, static_cast<size_t>(written.ptr - buffer));
    const size_t point = digits.find('.');
    while (digits.size() > point + 1 + minDecimals && digits.back() == '0') {
        digits.remove_suffix(1);
    }
    if (digits.back() == '.') {
        digits.remove_suffix(1);
    }
    if (value < 0 && digits.find_first_not_of("0.") != std::string_view::npos) {
        out.push_back('-');
    }
    out.append(digits);
}

inline std::string FloorClosedFormText(double start, double end, double step) {
    std::string text;
    text.reserve(static_cast<size_t>((end - start) / step + 1) * 24);
    for (double x = start; x <= end; x += step) {
        const double cosine = std::cos(x);
        const double y = (cosine * cosine - 1.0) * 2.0;
        text.push_back('(');
        AppendTrimmed(text, x, 9, 1);
        text.push_back(';');
        AppendTrimmed(text, y, 3, 0);
        text.append(")\r\n");
    }
    return text;
}

}  // namespace floorloop

using floorloop::FloorClosedFormText;
