#include "evaluation/table.h"

#include <algorithm>
#include <cmath>

#include "numtext/formatnumber.h"

namespace {

constexpr char kCsvSeparator = ';';
constexpr char kCsvLineEnd[] = "\r\n";
// A series row: the number, seven reals of up to 24 characters and a word.
constexpr size_t kCsvRowReserve = 8 + 7 * 25 + 4;

}  // namespace

std::vector<TableColumn> TableColumns(FormulaChoice choice) {
    if (choice == FormulaChoice::ClosedForm) {
        return {TableColumn::Number, TableColumn::X, TableColumn::Y};
    }
    return {TableColumn::Number,     TableColumn::X,
            TableColumn::Y,          TableColumn::TermCount,
            TableColumn::LastTerm,   TableColumn::ClosedForm,
            TableColumn::Difference, TableColumn::RoundingBound,
            TableColumn::Guaranteed};
}

std::string_view ColumnHeading(TableColumn column) {
    switch (column) {
        case TableColumn::Number:
            return "№";
        case TableColumn::X:
            return "x";
        case TableColumn::Y:
            return "y";
        case TableColumn::TermCount:
            return "Членов ряда";
        case TableColumn::LastTerm:
            return "Последний член";
        case TableColumn::ClosedForm:
            return "Формула";
        case TableColumn::Difference:
            return "|Ряд − формула|";
        case TableColumn::RoundingBound:
            return "Оценка округления";
        case TableColumn::Guaranteed:
            return "Точность гарантирована";
    }
    return "";
}

double TableRow::Difference() const {
    return std::fabs(value.Sum - closedForm);
}

TableRow ComputeTableRow(const SweepState& state, std::int64_t number, double x) {
    TableRow row;
    row.number = number;
    row.x = x;
    row.value = EvaluateAt(x, state.Choice, state.Precision);
    if (state.Choice == FormulaChoice::Series) {
        row.closedForm = ClosedFormValue(x);
        row.guaranteed = !(row.value.RoundingBound > state.Precision);
    }
    return row;
}

std::int64_t LineCount(const SweepState& state) {
    const std::string& text = state.CoordinatesText;
    return std::count(text.begin(), text.end(), '\n');
}

void AppendCsvCell(std::string& out, const TableRow& row, TableColumn column) {
    switch (column) {
        case TableColumn::Number:
            out.append(std::to_string(row.number));
            return;
        case TableColumn::X:
            return AppendShortestNumber(out, row.x);
        case TableColumn::Y:
            return AppendShortestNumber(out, row.value.Sum);
        case TableColumn::TermCount:
            out.append(std::to_string(row.value.TermIndex));
            return;
        case TableColumn::LastTerm:
            return AppendShortestNumber(out, row.value.Term);
        case TableColumn::ClosedForm:
            return AppendShortestNumber(out, row.closedForm);
        case TableColumn::Difference:
            return AppendShortestNumber(out, row.Difference());
        case TableColumn::RoundingBound:
            return AppendShortestNumber(out, row.value.RoundingBound);
        case TableColumn::Guaranteed:
            out.append(row.guaranteed ? "да" : "нет");
            return;
    }
}

std::string TableCsv(const SweepState& state) {
    const std::vector<TableColumn> columns = TableColumns(state.Choice);
    const std::int64_t lines = LineCount(state);
    const std::vector<double> abscissas = RunAbscissas(state, static_cast<size_t>(lines));
    std::string csv;
    csv.reserve((abscissas.size() + 1) * kCsvRowReserve);
    for (TableColumn column : columns) {
        csv.append(ColumnHeading(column)).push_back(kCsvSeparator);
    }
    csv.back() = '\r';
    csv.push_back('\n');
    std::int64_t number = 0;
    for (double x : abscissas) {
        const TableRow row = ComputeTableRow(state, ++number, x);
        for (TableColumn column : columns) {
            AppendCsvCell(csv, row, column);
            csv.push_back(kCsvSeparator);
        }
        csv.pop_back();
        csv.append(kCsvLineEnd);
    }
    return csv;
}
