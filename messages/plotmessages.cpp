#include "messages/plotmessages.h"

#include <charconv>
#include <cmath>

#include "evaluation/sweep.h"
#include "numtext/formatnumber.h"
#include "plotmath/ticks.h"
#include "textout/shorttext.h"

namespace {

// The longest number a readout shows as the coordinates text prints it.
constexpr size_t kLongestReadoutNumber = 24;
constexpr int kReadoutDigits = 4;

// A number for the readout: as the coordinates text prints it where that is
// short, else in the compact form with a few digits.
std::string ReadoutNumber(double value, FormulaChoice choice, bool abscissa) {
    std::string text;
    if (abscissa) {
        AppendAbscissaText(text, value);
    } else {
        AppendValueText(text, value, choice);
    }
    return text.size() <= kLongestReadoutNumber ? text : CompactNumber(value, kReadoutDigits + 4);
}

// ShortNumber, and "0" where there is no finite number to tell.
std::string Short(double value) {
    return std::isfinite(value) ? ShortNumber(value) : "0";
}

// Ten to a decade: "1e-18".
std::string PowerOfTen(double decade) {
    const double rounded = std::round(decade);
    if (std::fabs(decade - rounded) < 1e-9) {
        return "1e" + std::to_string(static_cast<long>(rounded));
    }
    return Short(std::pow(10.0, decade));
}

// "в 1 точке", "в 21 точке", "в 5 точках".
std::string AtPoints(std::int64_t count) {
    const bool singular = count % 10 == 1 && count % 100 != 11;
    return "в " + std::to_string(count) + (singular ? " точке" : " точках");
}

}  // namespace

std::string ShownRanges(const PlotFacts& facts) {
    return "По оси x от " + Short(facts.xLow) + " до " + Short(facts.xHigh) + ", по оси y от " +
           Short(facts.yLow) + " до " + Short(facts.yHigh) + ", погрешность от " +
           PowerOfTen(facts.errorLowDecade) + " до " + PowerOfTen(facts.errorHighDecade) + ".";
}

std::string PlotSummary(const PlotFacts& facts) {
    std::string text = "График. Нарисовано: ";
    for (size_t i = 0; i < facts.lines.size(); ++i) {
        text += (i > 0 ? ", " : "") + facts.lines[i];
    }
    if (facts.lines.empty()) {
        text += "ничего";
    }
    text += ". " + ShownRanges(facts);
    if (facts.series) {
        text += facts.notGuaranteed == 0
                    ? " Точность гарантирована во всех точках."
                    : " Точность не гарантирована " + AtPoints(facts.notGuaranteed) + " из " +
                          std::to_string(facts.lineCount) + ".";
    }
    if (!facts.sweep.empty()) {
        text += " " + facts.sweep;
    }
    if (!facts.point.empty()) {
        text += " Выбрана точка: " + facts.point + ".";
    }
    return text +
           " Стрелки выбирают точку, плюс и минус увеличивают и уменьшают, Home показывает весь "
           "график.";
}

std::string PointReadout(const PointFacts& facts) {
    std::string text = "x = " + ReadoutNumber(facts.x, facts.choice, true);
    text += "; y = " + ReadoutNumber(facts.y, facts.choice, false);
    text += "; точное = " + CompactNumber(facts.exact, 17);
    if (facts.seriesError) {
        text += "; |ряд − точное| = " + CompactNumber(*facts.seriesError, kReadoutDigits);
    }
    text += "; |формула − точное| = " + CompactNumber(facts.closedFormError, kReadoutDigits);
    return text;
}

std::string TermsReadout(int n, const std::vector<NamedValue>& values) {
    std::string text = "n = " + std::to_string(n);
    for (const NamedValue& value : values) {
        text += "; " + value.name + " = " + CompactNumber(value.value, kReadoutDigits);
    }
    return text;
}

std::string TaylorName(int n) {
    static constexpr const char* kDigits[] = {"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
    std::string name = "S";
    for (const char digit : std::to_string(n)) {
        name += kDigits[digit - '0'];
    }
    return name;
}

std::string GoodIntervalText(int n, double radius, double reach, bool series) {
    const std::string within =
        TaylorName(n) + (series ? " в пределах точности" : " в пределах допуска");
    if (radius >= reach) {
        return within + " на всём отрезке, |x| ≤ " + CompactNumber(reach, kReadoutDigits);
    }
    if (radius <= 0) {
        return TaylorName(n) + (series ? " не в пределах точности" : " не в пределах допуска") +
               " уже рядом с 0";
    }
    return within + " при |x| ≤ " + CompactNumber(radius, kReadoutDigits);
}

std::string TaylorReadout(int n, double x, double sum, double exact) {
    const std::string name = TaylorName(n);
    std::string text = "x = " + CompactNumber(x, 8) + "; " + name + "(x) = ";
    if (std::isfinite(sum)) {
        AppendShortestNumber(text, sum);
    } else {
        text += "вне диапазона чисел";
    }
    text += "; y* = ";
    AppendShortestNumber(text, exact);
    if (std::isfinite(sum)) {
        text += "; |" + name + " − y*| = " + CompactNumber(std::fabs(sum - exact), kReadoutDigits);
    }
    return text;
}

std::string TaylorSummary(int n, double low, double high, const std::string& interval) {
    return "Многочлены Тейлора. Нарисованы y* и " + TaylorName(n) + " на отрезке x от " +
           CompactNumber(low, 8) + " до " + CompactNumber(high, 8) + ", бледнее — меньшие n. " +
           interval +
           ". Стрелки влево и вправо меняют n, плюс и минус увеличивают, Home показывает весь "
           "график.";
}
