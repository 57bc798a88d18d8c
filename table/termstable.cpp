#include "table/termstable.h"

#include <algorithm>

#include "numtext/formatnumber.h"
#include "table/csv.h"
#include "textout/shorttext.h"

namespace {

constexpr size_t kColumnGap = 2;

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

std::string_view TermHeading(TermColumn column) {
    switch (column) {
        case TermColumn::N:
            return "n";
        case TermColumn::Term:
            return "Tₙ";
        case TermColumn::PartialSum:
            return "Sₙ";
        case TermColumn::Error:
            return "|Sₙ − y*|";
        case TermColumn::AbovePrecision:
            return "|Tₙ| > точности";
        case TermColumn::RoundingBound:
            return "Оценка округления";
    }
    return "";
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
            return {Cell::Kind::Real, step.roundingBound};
    }
    return {};
}

std::string TermsTitle(const SeriesBreakdown& breakdown) {
    return "Разбор ряда при x = " + Shortest(breakdown.x) + ", точность " +
           Shortest(breakdown.precision) + "; точное значение y* = " + Shortest(breakdown.exact);
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
