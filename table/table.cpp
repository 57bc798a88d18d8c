#include "table/table.h"

#include <cmath>

#include "evaluation/formulas.h"
#include "numtext/formatnumber.h"

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
    return std::fabs(y - closedForm);
}

TableRow RowOf(const RunRecord& record, size_t index) {
    TableRow row;
    row.number = static_cast<std::int64_t>(index) + 1;
    row.x = record.X()[index];
    row.y = record.Y()[index];
    if (record.IsSeries()) {
        row.series = record.Series()[index];
        // The closed form of a finite x is finite: it cannot fault here.
        row.closedForm = ClosedFormValue(row.x);
        row.guaranteed = !(row.series.roundingBound > record.recipe.precision);
    }
    return row;
}

void AppendCsvCell(std::string& out, const TableRow& row, TableColumn column) {
    switch (column) {
        case TableColumn::Number:
            out.append(std::to_string(row.number));
            return;
        case TableColumn::X:
            return AppendShortestNumber(out, row.x);
        case TableColumn::Y:
            return AppendShortestNumber(out, row.y);
        case TableColumn::TermCount:
            out.append(std::to_string(row.series.termCount));
            return;
        case TableColumn::LastTerm:
            return AppendShortestNumber(out, row.series.lastTerm);
        case TableColumn::ClosedForm:
            return AppendShortestNumber(out, row.closedForm);
        case TableColumn::Difference:
            return AppendShortestNumber(out, row.Difference());
        case TableColumn::RoundingBound:
            return AppendShortestNumber(out, row.series.roundingBound);
        case TableColumn::Guaranteed:
            out.append(row.guaranteed ? "да" : "нет");
            return;
    }
}

std::vector<double> ClosedFormColumn(const RunRecord& record) {
    std::vector<double> values;
    values.reserve(record.LineCount());
    for (double x : record.X()) {
        values.push_back(ClosedFormValue(x));
    }
    return values;
}
