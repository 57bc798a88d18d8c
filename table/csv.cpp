#include "table/csv.h"

#include <vector>

#include "table/table.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kLineEnd[] = "\r\n";
// UTF-8's byte-order mark.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// Bytes gathered before they go to the sink.
constexpr size_t kChunkBytes = size_t{64} << 10;

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

}  // namespace

bool WriteTableCsv(const RunRecord& record, ByteSink& sink, CsvForm form) {
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    const DecimalMark mark = form == CsvForm::Comma ? DecimalMark::Comma : DecimalMark::Point;
    std::string chunk;
    chunk.reserve(kChunkBytes + 1024);
    if (form == CsvForm::Comma) {
        chunk.append(kByteOrderMark);
    }
    AppendHeading(chunk, columns);
    for (size_t i = 0; i < record.LineCount(); ++i) {
        AppendRow(chunk, RowOf(record, i), columns, mark);
        if (chunk.size() >= kChunkBytes) {
            if (!sink.Write(chunk)) {
                return false;
            }
            chunk.clear();
        }
    }
    return sink.Write(chunk);
}

std::string TableCsv(const RunRecord& record, CsvForm form) {
    TextSink sink;
    WriteTableCsv(record, sink, form);
    return std::move(sink.text);
}
