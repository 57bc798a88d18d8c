#include "table/csv.h"

#include <vector>

#include "table/rowblocks.h"
#include "table/table.h"

namespace {

// UTF-8's byte-order mark.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void AppendHeading(std::string& out, const std::vector<TableColumn>& columns) {
    for (TableColumn column : columns) {
        out.append(ColumnHeading(column)).push_back(kCsvSeparator);
    }
    out.pop_back();
    out.append(kCsvRowEnd);
}

void AppendRow(std::string& out, const TableRow& row, const std::vector<TableColumn>& columns,
               DecimalMark mark) {
    for (TableColumn column : columns) {
        AppendFileCell(out, CellOf(row, column), mark);
        out.push_back(kCsvSeparator);
    }
    out.pop_back();
    out.append(kCsvRowEnd);
}

// The text of the rows [first, last).
std::string RowsText(const RunRecord& record, size_t first, size_t last,
                     const std::vector<TableColumn>& columns, DecimalMark mark) {
    std::string text;
    text.reserve((last - first) * columns.size() * 24);
    for (size_t i = first; i < last; ++i) {
        AppendRow(text, RowOf(record, i), columns, mark);
    }
    return text;
}

}  // namespace

std::string_view CsvOpening(DecimalMark mark) {
    return mark == DecimalMark::Comma ? kByteOrderMark : std::string_view();
}

bool WriteTableCsv(const RunRecord& record, ByteSink& sink, DecimalMark mark,
                   WorkProgress* progress) {
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    std::string heading(CsvOpening(mark));
    AppendHeading(heading, columns);
    if (!sink.Write(heading)) {
        return false;
    }
    return WriteRowBlocks(
        record.LineCount(),
        [&](size_t first, size_t last) { return RowsText(record, first, last, columns, mark); },
        sink, progress);
}

std::string TableCsv(const RunRecord& record, DecimalMark mark) {
    TextSink sink;
    WriteTableCsv(record, sink, mark);
    return std::move(sink.text);
}
