#include "textout/shorttext.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kShortDigits = 4;

}  // namespace

std::string ShortNumber(double value) {
    if (value == 0) {
        return "0";
    }
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::general, kShortDigits);
    return {buffer, written.ptr};
}

std::size_t Utf8Length(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}
