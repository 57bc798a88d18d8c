#include "table/csv.h"

#include <vector>

#include "table/rowblocks.h"
#include "table/table.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kLineEnd[] = "\r\n";
// UTF-8's byte-order mark.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

void AppendHeading(std::string& out, const std::vector<TableColumn>& columns) {
    for (TableColumn column : columns) {
        out.append(ColumnHeading(column)).push_back(kSeparator);
    }
    out.pop_back();
    out.append(kLineEnd);
}

void AppendRow(std::string& out, const TableRow& row, const std::vector<TableColumn>& columns,
               DecimalMark mark) {
    for (TableColumn column : columns) {
        AppendFileCell(out, CellOf(row, column), mark);
        out.push_back(kSeparator);
    }
    out.pop_back();
    out.append(kLineEnd);
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

bool WriteTableCsv(const RunRecord& record, ByteSink& sink, CsvForm form, WorkProgress* progress) {
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    const DecimalMark mark = form == CsvForm::Comma ? DecimalMark::Comma : DecimalMark::Point;
    std::string heading;
    if (form == CsvForm::Comma) {
        heading.append(kByteOrderMark);
    }
    AppendHeading(heading, columns);
    if (!sink.Write(heading)) {
        return false;
    }
    return WriteRowBlocks(
        record.LineCount(),
        [&](size_t first, size_t last) { return RowsText(record, first, last, columns, mark); },
        sink, progress);
}

std::string TableCsv(const RunRecord& record, CsvForm form) {
    TextSink sink;
    WriteTableCsv(record, sink, form);
    return std::move(sink.text);
}
