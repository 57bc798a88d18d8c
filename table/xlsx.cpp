#include "table/xlsx.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <vector>
#include <xlsxwriter.h>

#include "table/table.h"
#include "table/workprogress.h"

namespace {

constexpr double kWidthRoom = 2;  // characters beside a column's widest text

// The sheet's number formats, as the view shows the numbers.
struct Formats {
    lxw_format* heading;
    lxw_format* integer;
    lxw_format* abscissa;
    lxw_format* value;
    lxw_format* real;
    lxw_format* digits;
    lxw_format* text;
};

Formats MakeFormats(lxw_workbook* book, FormulaChoice choice) {
    const auto numbers = [book](const char* pattern) {
        lxw_format* format = workbook_add_format(book);
        format_set_num_format(format, pattern);
        return format;
    };
    Formats formats{};
    formats.heading = workbook_add_format(book);
    format_set_bold(formats.heading);
    format_set_text_wrap(formats.heading);
    format_set_align(formats.heading, LXW_ALIGN_CENTER);
    format_set_align(formats.heading, LXW_ALIGN_VERTICAL_CENTER);
    formats.integer = numbers("0");
    formats.abscissa = numbers("0.0########");
    formats.value = numbers(choice == FormulaChoice::Series ? "0.############" : "0.###");
    formats.real = numbers("0.000E+00");
    formats.digits = numbers("0.00");
    formats.text = workbook_add_format(book);
    format_set_align(formats.text, LXW_ALIGN_RIGHT);
    return formats;
}

lxw_format* FormatOf(const Formats& formats, TableColumn column) {
    switch (column) {
        case TableColumn::Number:
        case TableColumn::TermCount:
            return formats.integer;
        case TableColumn::X:
            return formats.abscissa;
        case TableColumn::Y:
            return formats.value;
        case TableColumn::DigitsLost:
            return formats.digits;
        case TableColumn::Guaranteed:
            return formats.text;
        default:
            return formats.real;
    }
}

// Characters of UTF-8 text.
double Characters(std::string_view text) {
    return static_cast<double>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
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
    const Formats formats = MakeFormats(book, record.recipe.choice);
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
            WriteCell(sheet, static_cast<lxw_row_t>(line + 1), i, CellOf(row, columns[i]),
                      FormatOf(formats, columns[i]));
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
