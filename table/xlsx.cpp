#include "table/xlsx.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>
#include <xlsxwriter.h>

#include "table/table.h"
#include "table/workprogress.h"
#include "textout/shorttext.h"

namespace {

constexpr double kWidthRoom = 2;  // characters beside a column's widest text

// The sheet's formats: the headings', the guarantee's, and a number format
// for each way the view shows a number, made once each.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : book_(book) {
        heading = workbook_add_format(book);
        format_set_bold(heading);
        format_set_text_wrap(heading);
        format_set_align(heading, LXW_ALIGN_CENTER);
        format_set_align(heading, LXW_ALIGN_VERTICAL_CENTER);
        text = workbook_add_format(book);
        format_set_align(text, LXW_ALIGN_RIGHT);
    }

    // The format that shows `cell` of `column` as the view does.
    lxw_format* Of(const Cell& cell, TableColumn column, FormulaChoice choice) {
        if (cell.kind == Cell::Kind::Yes || cell.kind == Cell::Kind::No) {
            return text;
        }
        const std::string code = BookNumberFormat(cell, column, choice);
        if (code.empty()) {
            return nullptr;
        }
        auto [known, added] = numbers_.try_emplace(code, nullptr);
        if (added) {
            known->second = workbook_add_format(book_);
            format_set_num_format(known->second, code.c_str());
        }
        return known->second;
    }

    lxw_format* heading = nullptr;
    lxw_format* text = nullptr;

private:
    lxw_workbook* book_;
    std::unordered_map<std::string, lxw_format*> numbers_;
};

// Characters of UTF-8 text.
double Characters(std::string_view text) {
    return static_cast<double>(Utf8Length(text));
}

// Wide enough for the column's widest number, or its heading's longest word.
double ColumnWidth(TableColumn column, const RunRecord& record) {
    double widest = Characters(WidestShownText(column, record));
    std::string_view heading = ColumnHeading(column);
    for (size_t start = 0; start < heading.size();) {
        const size_t end = std::min(heading.find(' ', start), heading.size());
        widest = std::max(widest, Characters(heading.substr(start, end - start)));
        start = end + 1;
    }
    return widest + kWidthRoom;
}

void WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const Cell& cell,
               lxw_format* format) {
    switch (cell.kind) {
        case Cell::Kind::Empty:
            return;
        case Cell::Kind::Integer:
        case Cell::Kind::Real:
            worksheet_write_number(sheet, row, column, cell.value, format);
            return;
        case Cell::Kind::Yes:
            worksheet_write_string(sheet, row, column, "да", format);
            return;
        case Cell::Kind::No:
            worksheet_write_string(sheet, row, column, "нет", format);
            return;
    }
}

// Rows written between two words to the progress.
constexpr size_t kRowsPerProgress = 4096;

// Writes the table on `sheet`; false where `progress` said stop.
bool WriteTableSheet(lxw_workbook* book, lxw_worksheet* sheet, const RunRecord& record,
                     WorkProgress* progress) {
    Formats formats(book);
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    const auto columnCount = static_cast<lxw_col_t>(columns.size());  // a few dozen at most
    for (lxw_col_t i = 0; i < columnCount; ++i) {
        worksheet_set_column(sheet, i, i, ColumnWidth(columns[i], record), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);
    worksheet_set_row(sheet, 0, LXW_DEF_ROW_HEIGHT * 2, nullptr);  // headings wrap in two lines
    for (lxw_col_t i = 0; i < columnCount; ++i) {
        worksheet_write_string(sheet, 0, i, std::string(ColumnHeading(columns[i])).c_str(),
                               formats.heading);
    }
    const size_t lines = record.LineCount();
    for (size_t line = 0; line < lines; ++line) {
        const TableRow row = RowOf(record, line);
        for (lxw_col_t i = 0; i < columnCount; ++i) {
            const Cell cell = CellOf(row, columns[i]);
            WriteCell(sheet, static_cast<lxw_row_t>(line + 1), i, cell,
                      formats.Of(cell, columns[i], record.recipe.choice));
        }
        if (progress != nullptr && (line + 1) % kRowsPerProgress == 0 &&
            !progress->Advance(line + 1, lines)) {
            return false;
        }
    }
    return true;
}

void WriteRecipeSheet(lxw_workbook* book, const RunRecord& record, std::string_view program) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Параметры");
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);
    worksheet_set_column(sheet, 0, 0, 24, nullptr);
    worksheet_set_column(sheet, 1, 1, 28, nullptr);
    worksheet_write_string(sheet, 0, 0, "Параметр", heading);
    worksheet_write_string(sheet, 0, 1, "Значение", heading);
    const RunRecipe& recipe = record.recipe;
    lxw_row_t row = 1;
    const auto number = [&](const char* name, double value) {
        worksheet_write_string(sheet, row, 0, name, nullptr);
        worksheet_write_number(sheet, row++, 1, value, nullptr);
    };
    worksheet_write_string(sheet, row, 0, "Способ вычисления", nullptr);
    worksheet_write_string(
        sheet, row++, 1, record.IsSeries() ? "степенной ряд" : "формула 2((cos(x))^2-1)", nullptr);
    number("Начальное значение Х", recipe.start);
    number("Конечное значение Х", recipe.bound);
    number("Шаг", recipe.step);
    if (record.IsSeries()) {
        number("Точность", recipe.precision);
    }
    number("Число строк", static_cast<double>(record.LineCount()));
    worksheet_write_string(sheet, row, 0, "Программа", nullptr);
    worksheet_write_string(sheet, row, 1, std::string(program).c_str(), nullptr);
}

// The system's error number for a failure of the library's.
int ErrorNumberOf(lxw_error error, int errorNumber) {
    if (error == LXW_ERROR_MEMORY_MALLOC_FAILED) {
        return ENOMEM;
    }
    return errorNumber != 0 ? errorNumber : -1;
}

}  // namespace

int WriteTableXlsx(const RunRecord& record, const std::string& path, std::string_view program,
                   WorkProgress* progress) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    errno = 0;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    if (book == nullptr) {
        return ErrorNumberOf(LXW_ERROR_CREATING_XLSX_FILE, errno);
    }
    lxw_doc_properties properties = {};
    properties.title = const_cast<char*>("Табулирование функций");
    workbook_set_properties(book, &properties);
    lxw_worksheet* table = workbook_add_worksheet(book, "Таблица");
    if (!WriteTableSheet(book, table, record, progress)) {
        // Closing would first zip every row written, seconds for a large
        // table: the sheet's rows are dropped and the book freed unwritten.
        std::fclose(table->optimize_tmpfile);
        table->optimize_tmpfile = nullptr;
        lxw_workbook_free(book);
        return ECANCELED;
    }
    WriteRecipeSheet(book, record, program);
    errno = 0;
    const lxw_error closed = workbook_close(book);
    return closed == LXW_NO_ERROR ? 0 : ErrorNumberOf(closed, errno);
}

std::string XlsxWriterVersion() {
    return lxw_version();
}
