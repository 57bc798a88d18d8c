#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/seriesbreakdown.h"
#include "table/table.h"

class ByteSink;

// One abscissa's series, term by term, as a table:
//   n | Tₙ | Sₙ | |Sₙ − y*| | |Tₙ| > точности | Оценка округления
// (BreakDownSeries), for the view, its CSV and "tabulator --terms".

enum class TermColumn { N, Term, PartialSum, Error, AbovePrecision, RoundingBound };

std::vector<TermColumn> TermColumns();

// A column's heading, as listed above.
std::string_view TermHeading(TermColumn column);

Cell TermCell(const TermStep& step, TermColumn column);

// The heading line of the breakdown in words, with y*:
//   "Разбор ряда при x = 15, точность 1.9753086e-05; точное значение y* = -0.01..."
std::string TermsTitle(const SeriesBreakdown& breakdown);

// The table as CSV (";" between fields, CR LF rows, a heading row), numbers
// at full precision with the decimal mark given (the comma form, for
// spreadsheets, starts with a byte-order mark). False when the sink refused.
bool WriteTermsCsv(const SeriesBreakdown& breakdown, ByteSink& sink,
                   DecimalMark mark = DecimalMark::Point);

// The title, then the table with its columns aligned for a terminal, numbers
// at full precision: LF lines.
std::string TermsText(const SeriesBreakdown& breakdown);
