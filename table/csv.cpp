#include "table/csv.h"

#include <vector>

#include "table/table.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kLineEnd[] = "\r\n";
// Bytes gathered before they go to the sink.
constexpr size_t kChunkBytes = size_t{64} << 10;

void AppendHeading(std::string& out, const std::vector<TableColumn>& columns) {
    for (TableColumn column : columns) {
        out.append(ColumnHeading(column)).push_back(kSeparator);
    }
    out.pop_back();
    out.append(kLineEnd);
}

void AppendRow(std::string& out, const TableRow& row, const std::vector<TableColumn>& columns) {
    for (TableColumn column : columns) {
        AppendFileCell(out, CellOf(row, column));
        out.push_back(kSeparator);
    }
    out.pop_back();
    out.append(kLineEnd);
}

}  // namespace

bool WriteTableCsv(const RunRecord& record, ByteSink& sink) {
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    std::string chunk;
    chunk.reserve(kChunkBytes + 1024);
    AppendHeading(chunk, columns);
    for (size_t i = 0; i < record.LineCount(); ++i) {
        AppendRow(chunk, RowOf(record, i), columns);
        if (chunk.size() >= kChunkBytes) {
            if (!sink.Write(chunk)) {
                return false;
            }
            chunk.clear();
        }
    }
    return sink.Write(chunk);
}

std::string TableCsv(const RunRecord& record) {
    TextSink sink;
    WriteTableCsv(record, sink);
    return std::move(sink.text);
}
