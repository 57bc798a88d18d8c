#include "table/csv.h"

#include <algorithm>
#include <future>
#include <vector>

#include "analysis/exactvalue.h"
#include "table/table.h"

namespace {

constexpr char kSeparator = ';';
constexpr char kLineEnd[] = "\r\n";
// UTF-8's byte-order mark.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// Rows made at a time: about a millisecond's work, some hundred kilobytes.
constexpr size_t kBlockRows = 2048;

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

bool WriteTableCsv(const RunRecord& record, ByteSink& sink, CsvForm form) {
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
    // Rows cost microseconds each (y*, the remedies, the shortest texts) and
    // depend on no other row: two blocks at a time, one on a second thread,
    // written in the sweep's order.
    const size_t lines = record.LineCount();
    const auto rows = [&](size_t first) {
        return RowsText(record, first, std::min(first + kBlockRows, lines), columns, mark);
    };
    for (size_t first = 0; first < lines; first += 2 * kBlockRows) {
        const size_t second = first + kBlockRows;
        std::future<std::string> other;
        if (second < lines) {
            other = std::async(std::launch::async, [&rows, second] {
                std::string text = rows(second);
                ReleaseThreadCaches();  // the thread ends here
                return text;
            });
        }
        const bool written = sink.Write(rows(first));
        const std::string otherText = other.valid() ? other.get() : std::string();
        if (!written || !sink.Write(otherText)) {
            return false;
        }
    }
    return true;
}

std::string TableCsv(const RunRecord& record, CsvForm form) {
    TextSink sink;
    WriteTableCsv(record, sink, form);
    return std::move(sink.text);
}
