#include "messages/readinghint.h"

#include <charconv>

#include "numtext/readnumber.h"

namespace {

// The longest ignored text quoted in full, in characters; a longer one is cut with "…".
constexpr size_t kQuotedRestLength = 20;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The first `count` characters of UTF-8 `text`, never cutting one in two.
std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t characters = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        const bool startsACharacter = (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80;
        if (startsACharacter && characters++ == count) {
            return text.substr(0, at);
        }
    }
    return text;
}

// The shortest text that reads back as the same real, with "." as the point.
std::string ShortestText(double value) {
    if (value == 0) {
        return "0";  // "-0" reads, and computes, as 0
    }
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {buffer, written.ptr};
}

std::string IgnoredRestNote(std::string_view rest) {
    if (rest.front() == ',') {
        return " Дробную часть отделяйте точкой «.»: запятая и всё после неё не учитываются.";
    }
    const std::string_view shown = FirstCharacters(rest, kQuotedRestLength);
    const std::string quoted = std::string(shown) + (shown.size() < rest.size() ? "…" : "");
    return " Остальное («" + quoted + "») не учитывается.";
}

}  // namespace

std::string ReadingHint(std::string_view typed) {
    const NumberReading reading = ReadNumberReport(typed);
    if (reading.beyondRange) {
        return "Число вне допустимого диапазона: вычисление будет прервано.";
    }
    if (!reading.hasNumber) {
        const std::string_view trimmed = Trimmed(typed);
        return trimmed.empty() || trimmed.front() != ','
                   ? "Число не найдено: будет прочитано 0."
                   : "Число не найдено: будет прочитано 0. Дробную часть отделяйте точкой «.», "
                     "а не запятой.";
    }
    std::string hint = "Будет прочитано: " + ShortestText(reading.value);
    const std::string_view rest = Trimmed(typed.substr(reading.end));
    if (!rest.empty()) {
        hint += '.' + IgnoredRestNote(rest);
    }
    return hint;
}
