#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/formulas.h"
#include "evaluation/sweep.h"

// A run's lines as a table, recomputed from the run recorded in a SweepState
// through the same evaluation the sweep used, so x and y are the text's to
// the bit. A closed-form run has the columns № | x | y; a series run adds the
// number of terms, the last term, the closed form, |series - closed form|,
// the series' rounding bound and whether the precision is guaranteed.

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
    SeriesResult value;       // y in Sum; a series run's terms and bound too
    double closedForm = 0.0;  // series runs only
    bool guaranteed = true;   // the rounding bound is within the precision

    double Difference() const;
};

// The row of line `number` (from 1), at abscissa x.
// Throws ArithmeticFault where the run's own evaluation would.
TableRow ComputeTableRow(const SweepState& state, std::int64_t number, double x);

// How many lines the run's text holds.
std::int64_t LineCount(const SweepState& state);

// Appends the cell of `column` in `row` as the table's CSV holds it: numbers
// at full precision (the shortest text that reads back to the same real),
// with "." as the point; the guarantee as "да" or "нет".
void AppendCsvCell(std::string& out, const TableRow& row, TableColumn column);

// The whole table as CSV, UTF-8: a heading row, then a row per line; fields
// separated by ";", rows ended by CR LF.
//   closed form, defaults: "№;x;y\r\n1;0.1;-0.01993342215875815\r\n..."
std::string TableCsv(const SweepState& state);
