#pragma once

#include <string>
#include <string_view>

#include "evaluation/runrecord.h"
#include "table/table.h"
#include "textout/bytesink.h"

class WorkProgress;

// The CSV's two forms are told by their decimal mark (DecimalMark, in
// table/table.h): "." for programs; "," for spreadsheets in a Russian locale,
// with "E" in exponents and a byte-order mark first, which tells a
// spreadsheet opened by a double click that the file is UTF-8.

// The pieces every table's CSV writes alike: ";" between fields, CR LF after
// each row, and what comes before the first (the mark's byte-order mark).
inline constexpr char kCsvSeparator = ';';
inline constexpr std::string_view kCsvRowEnd = "\r\n";
std::string_view CsvOpening(DecimalMark mark);

// Writes the run's table (TableColumns of its kind) as CSV, UTF-8, into
// `sink` as it is made, a few tens of kilobytes at a time, so a million rows
// never sit in memory whole: a heading row, then a row per line; fields
// separated by ";" in both forms, rows ended by CR LF. Returns false when the
// sink refused bytes or `progress` (told after every few thousand rows) said
// stop; the writing stops there.
//   closed form, defaults, Point: "№;x;y;...\r\n1;0.1;-0.01993342215875815;...\r\n..."
//   the same, DecimalMark::Comma: "\xEF\xBB\xBF№;x;y;...\r\n1;0,1;-0,01993342215875815;...\r\n..."
bool WriteTableCsv(const RunRecord& record, ByteSink& sink, DecimalMark mark = DecimalMark::Point,
                   WorkProgress* progress = nullptr);

// The whole CSV as a text: for tests, which compare files and output with it.
std::string TableCsv(const RunRecord& record, DecimalMark mark = DecimalMark::Point);
