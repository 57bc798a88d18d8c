#include "table/termstable.h"

#include <algorithm>
#include <cmath>

#include "numtext/formatnumber.h"
#include "table/csv.h"
#include "textout/shorttext.h"

namespace {

constexpr size_t kColumnGap = 2;
constexpr int kDoubleBits = 53;

std::string Shortest(double value) {
    std::string text;
    AppendShortestNumber(text, value);
    return text;
}

std::string FileText(const Cell& cell, DecimalMark mark = DecimalMark::Point) {
    std::string text;
    AppendFileCell(text, cell, mark);
    return text;
}

}  // namespace

std::vector<TermColumn> TermColumns() {
    return {TermColumn::N,     TermColumn::Term,           TermColumn::PartialSum,
            TermColumn::Error, TermColumn::AbovePrecision, TermColumn::RoundingBound};
}

namespace {

struct TermColumnText {
    TermColumn column;
    std::string_view heading;
    std::string_view description;
};

// In the order of TermColumn.
constexpr TermColumnText kTermColumnTexts[] = {
    {TermColumn::N, "n", "Номер члена ряда."},
    {TermColumn::Term, "Tₙ",
     "Член ряда Tₙ = (−1)ⁿ(2x)²ⁿ/(2n)!, вычисленный так же, как при табулировании: степень, "
     "делённая на факториал."},
    {TermColumn::PartialSum, "Sₙ",
     "Частичная сумма T₁ + … + Tₙ, сложенная по порядку, как её складывает программа."},
    {TermColumn::Error, "|Sₙ − y*|",
     "Фактическая погрешность частичной суммы относительно точного значения y*: сначала "
     "падает вместе с членами, потом упирается в предел округления."},
    {TermColumn::AbovePrecision, "|Tₙ| > точности",
     "«да», пока модуль члена больше точности и суммирование продолжается; на первом «нет» "
     "оно останавливается."},
    {TermColumn::RoundingBound, "Оценка округления",
     "Доказанная граница ошибки округления частичной суммы: γ(n − 1)·Σ|Tₖ| + Σγ(2k + 4)·|Tₖ|, "
     "γ(m) = mu/(1 − mu), u = 2⁻ᵖ для рабочей точности p бит (у double 53)."},
};
static_assert(std::size(kTermColumnTexts) == static_cast<size_t>(TermColumn::RoundingBound) + 1);

}  // namespace

std::string_view TermHeading(TermColumn column) {
    return kTermColumnTexts[static_cast<size_t>(column)].heading;
}

std::string_view TermDescription(TermColumn column) {
    return kTermColumnTexts[static_cast<size_t>(column)].description;
}

std::string BitsText(int bits) {
    const int lastTwo = bits % 100;
    const int last = bits % 10;
    // "бит" is alike for one and for many: only 2, 3 and 4 take "бита".
    const bool few = last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14);
    return std::to_string(bits) + (few ? " бита" : " бит");
}

std::string ErrorAtBitsHeading(int bits) {
    return "|Sₙ − y*|, " + BitsText(bits);
}

std::string ErrorAtBitsDescription(int bits) {
    return "Погрешность той же частичной суммы, если каждое действие округлять до " +
           BitsText(bits) +
           " вместо 53 у double (при том же диапазоне порядков). Предел округления u·Σ|Tₖ| "
           "с u = 2⁻ᵖ опускается с ростом p.";
}

Cell TermCell(const TermStep& step, TermColumn column) {
    switch (column) {
        case TermColumn::N:
            return {Cell::Kind::Integer, static_cast<double>(step.n)};
        case TermColumn::Term:
            return {Cell::Kind::Real, step.term};
        case TermColumn::PartialSum:
            return {Cell::Kind::Real, step.partialSum};
        case TermColumn::Error:
            return {Cell::Kind::Real, step.error};
        case TermColumn::AbovePrecision:
            return {step.abovePrecision ? Cell::Kind::Yes : Cell::Kind::No};
        case TermColumn::RoundingBound:
            // None where too few bits leave the bound nothing to hold to.
            return std::isfinite(step.roundingBound) ? Cell{Cell::Kind::Real, step.roundingBound}
                                                     : Cell{};
    }
    return {};
}

std::string TermsTitle(const SeriesBreakdown& breakdown) {
    std::string title = "Разбор ряда при x = " + Shortest(breakdown.x) + ", точность " +
                        Shortest(breakdown.precision);
    if (breakdown.bits != kDoubleBits) {
        title += ", рабочая точность " + BitsText(breakdown.bits);
    }
    return title + "; точное значение y* = " + Shortest(breakdown.exact);
}

bool WriteTermsCsv(const SeriesBreakdown& breakdown, ByteSink& sink, DecimalMark mark) {
    std::string text(CsvOpening(mark));
    for (TermColumn column : TermColumns()) {
        text.append(TermHeading(column)).push_back(kCsvSeparator);
    }
    text.pop_back();
    text.append(kCsvRowEnd);
    for (const TermStep& step : breakdown.steps) {
        for (TermColumn column : TermColumns()) {
            text.append(FileText(TermCell(step, column), mark)).push_back(kCsvSeparator);
        }
        text.pop_back();
        text.append(kCsvRowEnd);
    }
    return sink.Write(text);
}

std::string TermsText(const SeriesBreakdown& breakdown) {
    const std::vector<TermColumn> columns = TermColumns();
    std::vector<std::vector<std::string>> rows = {{}};
    for (TermColumn column : columns) {
        rows.front().emplace_back(TermHeading(column));
    }
    for (const TermStep& step : breakdown.steps) {
        std::vector<std::string>& row = rows.emplace_back();
        for (TermColumn column : columns) {
            row.push_back(FileText(TermCell(step, column)));
        }
    }
    std::vector<size_t> widths(columns.size(), 0);
    for (const std::vector<std::string>& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], Utf8Length(row[i]));
        }
    }
    std::string text = TermsTitle(breakdown) + "\n";
    for (const std::vector<std::string>& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            text.append(widths[i] - Utf8Length(row[i]) + (i > 0 ? kColumnGap : 0), ' ');
            text.append(row[i]);
        }
        text.push_back('\n');
    }
    return text;
}
