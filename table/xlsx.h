#pragma once

#include <string>
#include <string_view>

#include "evaluation/runrecord.h"

class WorkProgress;

// Writes the run's table as an Excel book at `path` (libxlsxwriter, in its
// constant-memory mode, so a million rows never sit in memory whole): a sheet
// "Таблица" with the table's columns under their headings (TableColumns),
// every number a number, in a format that shows what the view shows (x and y
// by the coordinates text's patterns, other reals with four significant
// digits), the guarantee as "да" or "нет", the heading row
// frozen and the columns as wide as their contents; and a sheet "Параметры"
// with the run's recipe: the method, the first abscissa, the bound, the step,
// the precision (series runs), the line count and `program` ("tabulator
// 1.0.0"). A book holds 1,048,576 rows; a run holds at most 1,000,000 lines.
// Debian's libxlsxwriter (1.1.4) writes each number with 16 significant
// digits: a real that needs 17 to be told apart reads back as itself or its
// neighbour. The CSV keeps every digit.
// `progress` (if any) is told after every few thousand rows; where it says
// stop, the book is closed unfinished and ECANCELED returned.
// Returns 0, or the system's error number of what failed (-1 where there is
// none to give).
int WriteTableXlsx(const RunRecord& record, const std::string& path, std::string_view program,
                   WorkProgress* progress = nullptr);

// The libxlsxwriter the program runs with: "1.1.4".
std::string XlsxWriterVersion();
