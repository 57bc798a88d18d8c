#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/runrecord.h"

// A run's lines as a table, read from its record, so x and y are the
// coordinates text's to the bit, and measured against the exact reference
// y* (analysis/exactvalue.h). A closed-form run has the columns
//   № | x | y | Точное значение | |Формула − точное|;
// a series run, the most telling first,
//   № | x | y | Точность гарантирована | |Ряд − точное| | Точное значение |
//   |Формула − точное| | Формула | Членов ряда | Последний член | Σ|Tₖ| |
//   Потеряно знаков | Оценка округления | Оценка отбрасывания | Битов нужно |
//   |Приведённый ряд − точное| | |Компенсированная сумма − точное|.

enum class TableColumn {
    Number,
    X,
    Y,
    Guaranteed,
    SeriesError,      // |y - y*|, series runs
    Exact,            // y*
    ClosedFormError,  // |closed form - y*|
    ClosedForm,       // the closed form beside a series run
    TermCount,
    LastTerm,
    MagnitudeSum,  // |T_1| + ... + |T_n|
    DigitsLost,    // log10(sum |T_k| / |y*|), none where y* is 0
    RoundingBound,
    TruncationBound,   // none where the terms still grew
    BitsNeeded,        // BitsNeeded, none beyond 1024
    ReducedError,      // |series at x - k pi - y*|
    CompensatedError,  // |compensated sum of the same terms - y*|
};

// The columns of a run of `choice`, in order.
std::vector<TableColumn> TableColumns(FormulaChoice choice);

// A column's heading, as listed above.
std::string_view ColumnHeading(TableColumn column);
// What a column is and how it is computed, in a sentence or two, for its
// heading's tooltip and the help.
std::string_view ColumnDescription(TableColumn column);

// One line of a run with everything its columns show.
struct TableRow {
    std::int64_t number = 0;  // 1 for the first line
    double x = 0.0;
    double y = 0.0;
    double exact = 0.0;            // y*, correctly rounded
    double closedFormError = 0.0;  // |closed form - y*|
    // Series runs only:
    SeriesDetail series;
    double closedForm = 0.0;
    double seriesError = 0.0;
    std::optional<double> digitsLost;
    std::optional<double> truncationBound;
    std::optional<int> bitsNeeded;
    double reducedError = 0.0;
    double compensatedError = 0.0;
    bool guaranteed = true;
};

// The row of the record's line `index` (from 0). Takes a few microseconds:
// y* and the remedies are computed here, where the row is looked at.
TableRow RowOf(const RunRecord& record, size_t index);

// What a cell holds.
struct Cell {
    enum class Kind { Empty, Integer, Real, Yes, No };
    Kind kind = Kind::Empty;
    double value = 0.0;  // Integer and Real
};

Cell CellOf(const TableRow& row, TableColumn column);

// The character a number's fractional part follows.
enum class DecimalMark { Point, Comma };

// Appends a cell as the files hold it: numbers at full precision (the
// shortest text that reads back to the same real) with the decimal mark
// given (and, with a comma, "E" in an exponent, as spreadsheets write it),
// the guarantee as "да" or "нет", nothing for an empty cell.
//   {Real, 0.1}, Point -> "0.1"; {Real, -4.2e-06}, Comma -> "-4,2E-06"; {Yes} -> "да"
void AppendFileCell(std::string& out, const Cell& cell, DecimalMark mark = DecimalMark::Point);

// A cell as people read it in the view: x and y exactly as the coordinates
// line prints them, other reals with four significant digits, never "-0".
//   X {Real, 0.30000000000000004} -> "0.3"; LastTerm {Real, 1.3886407345189977e-09}
//   -> "1.389e-09"; LastTerm {Real, -0.0} -> "0"; Empty -> "—"
std::string ShownCell(const Cell& cell, TableColumn column, FormulaChoice choice);

// A spreadsheet's number format that shows a cell as the view does
// (ShownCell): as many decimals as the view's text has, in scientific form
// where it is; the cell itself still holds the whole value. Empty for cells
// that are not numbers.
//   LastTerm {Real, 1.3886407345189977e-09} -> "0.000E+00" (shows 1.389E-09)
//   Exact {Real, -0.5758...} -> "0.0000";  Y {Real, -0.01993}, closed form -> "0.00"
//   Number {Integer, 12} -> "0"
std::string BookNumberFormat(const Cell& cell, TableColumn column, FormulaChoice choice);

// A cell of any table as the view shows a number that is not x or y: reals
// with four significant digits, integers whole, "да", "нет", "—".
//   {Real, 1.3886407345189977e-09} -> "1.389e-09"; {Integer, 12} -> "12"
std::string ShownNumber(const Cell& cell);

// A text as wide as any the column shows for this record, for the view to
// size the column by: the most digits its numbers can print with.
//   Number, 12 lines -> "88"; X, |x| up to 16 -> "-88.888888888"
std::string WidestShownText(TableColumn column, const RunRecord& record);

// The closed form at every abscissa of the run, in sweep order, to set beside
// a series run's values.
std::vector<double> ClosedFormColumn(const RunRecord& record);
