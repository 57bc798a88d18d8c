#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/runrecord.h"

// A run's lines as a table, read from its record, so x and y are the
// coordinates text's to the bit. A closed-form run has the columns № | x | y;
// a series run adds the number of terms, the last term, the closed form beside
// the series, |series - closed form|, the series' rounding bound and whether
// the precision is guaranteed.

enum class TableColumn {
    Number,
    X,
    Y,
    TermCount,
    LastTerm,
    ClosedForm,
    Difference,
    RoundingBound,
    Guaranteed,
};

// The columns of a run of `choice`, in order.
std::vector<TableColumn> TableColumns(FormulaChoice choice);

// A column's heading: "№", "x", "y", "Членов ряда", "Последний член",
// "Формула", "|Ряд − формула|", "Оценка округления", "Точность гарантирована".
std::string_view ColumnHeading(TableColumn column);

struct TableRow {
    std::int64_t number = 0;  // 1 for the first line
    double x = 0.0;
    double y = 0.0;
    SeriesDetail series;      // series runs only
    double closedForm = 0.0;  // series runs only: the closed form at x, for comparison
    bool guaranteed = true;   // series runs: the rounding bound is within the precision

    double Difference() const;  // |y - closedForm|
};

// The row of the record's line `index` (from 0).
TableRow RowOf(const RunRecord& record, size_t index);

// Appends the cell of `column` in `row` as the table's CSV holds it: numbers
// at full precision (the shortest text that reads back to the same real),
// with "." as the point; the guarantee as "да" or "нет".
void AppendCsvCell(std::string& out, const TableRow& row, TableColumn column);

// The closed form at every abscissa of the run, in sweep order, to set beside
// a series run's values.
std::vector<double> ClosedFormColumn(const RunRecord& record);
