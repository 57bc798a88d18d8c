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

// A column's heading, as listed above, and what it is, for its tooltip and
// the help.
std::string_view TermHeading(TermColumn column);
std::string_view TermDescription(TermColumn column);

// A number of bits in words: "24 бита", "53 бита", "113 бит", "1 бит".
std::string BitsText(int bits);
// The heading of the partial sums' errors summed at `bits` bits:
//   ErrorAtBitsHeading(24) -> "|Sₙ − y*|, 24 бита"
std::string ErrorAtBitsHeading(int bits);
// What that column is, for its tooltip.
std::string ErrorAtBitsDescription(int bits);

Cell TermCell(const TermStep& step, TermColumn column);

// The heading line of the breakdown in words, with y*, and the working
// precision where it is not a double's:
//   "Разбор ряда при x = 15, точность 1.9753086e-05; точное значение y* = -0.01..."
//   "Разбор ряда при x = 20, точность 1e-06, рабочая точность 113 бит; точное ..."
std::string TermsTitle(const SeriesBreakdown& breakdown);

// The table as CSV (";" between fields, CR LF rows, a heading row), numbers
// at full precision with the decimal mark given (the comma form, for
// spreadsheets, starts with a byte-order mark). False when the sink refused.
bool WriteTermsCsv(const SeriesBreakdown& breakdown, ByteSink& sink,
                   DecimalMark mark = DecimalMark::Point);

// The title, then the table with its columns aligned for a terminal, numbers
// at full precision: LF lines.
std::string TermsText(const SeriesBreakdown& breakdown);
