#include "table/table.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/exactvalue.h"
#include "analysis/remedies.h"
#include "analysis/workingprecision.h"
#include "support/scripteddialogues.h"
#include "table/csv.h"
#include "table/rowblocks.h"
#include "table/selectiontext.h"
#include "table/termstable.h"
#include "table/workprogress.h"
#include "table/xlsx.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    for (size_t end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator)) {
        parts.push_back(text.substr(0, end));
        text.remove_prefix(end + separator.size());
    }
    if (!text.empty()) {
        parts.push_back(text);
    }
    return parts;
}

double Real(std::string_view field) {
    return std::strtod(std::string(field).c_str(), nullptr);
}

TEST(Table, ColumnsOfEachKindOfRun) {
    std::string closed;
    for (TableColumn column : TableColumns(FormulaChoice::ClosedForm)) {
        closed.append(ColumnHeading(column)).append("|");
    }
    EXPECT_EQ(closed, "№|x|y|Точное значение||Формула − точное||");
    std::string series;
    for (TableColumn column : TableColumns(FormulaChoice::Series)) {
        series.append(ColumnHeading(column)).append("|");
    }
    EXPECT_EQ(series,
              "№|x|y|Точность гарантирована||Ряд − точное||Точное значение||Формула − точное||"
              "Формула|Членов ряда|Последний член|Σ|Tₖ||Потеряно знаков|Оценка округления|"
              "Оценка отбрасывания|Битов нужно||Приведённый ряд − точное||"
              "|Компенсированная сумма − точное||");
}

// The field of `column` in a row of the run's CSV.
std::string_view Field(const std::vector<std::string_view>& fields, FormulaChoice choice,
                       TableColumn column) {
    const std::vector<TableColumn> columns = TableColumns(choice);
    const auto at =
        static_cast<size_t>(std::find(columns.begin(), columns.end(), column) - columns.begin());
    return at < fields.size() ? fields[at] : std::string_view();
}

TEST(Table, CsvHeaderExample) {
    const std::string csv =
        TableCsv(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}).record);
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], "№;x;y;Точное значение;|Формула − точное|");
    EXPECT_EQ(rows[1].substr(0, 27), "1;0.1;-0.01993342215875815;");
    EXPECT_EQ(rows[10].substr(0, 22), "10;0.9999999999999999;");
    EXPECT_TRUE(csv.ends_with("\r\n"));
    const std::vector<std::string_view> first = Split(rows[1], ";");
    ASSERT_EQ(first.size(), 5u);
    // Bit identity is the point: y* correctly rounded, and the formula's error against it.
    EXPECT_EQ(Real(first[3]), ExactValue(0.1));
    EXPECT_EQ(Real(first[4]), ErrorAgainstExact(ClosedFormValue(0.1), 0.1));
}

// Reads every CSV row back and checks that x and y, printed as a coordinates
// line prints them, give that line of the text, and that the reals read back
// exactly as computed.
void ExpectCsvMatchesText(const Tabulation& run) {
    const std::string csv = TableCsv(run.record);
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    const std::vector<std::string_view> lines = Split(run.state.CoordinatesText, "\r\n");
    ASSERT_EQ(rows.size(), lines.size() + 1);
    const FormulaChoice choice = run.record.recipe.choice;
    const size_t columns = TableColumns(choice).size();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = Split(rows[i + 1], ";");
        ASSERT_EQ(fields.size(), columns) << rows[i + 1];
        EXPECT_EQ(fields[0], std::to_string(i + 1));
        std::string line = "(";
        AppendAbscissaText(line, Real(fields[1]));
        line += ";";
        AppendValueText(line, Real(fields[2]), choice);
        line += ")";
        ASSERT_EQ(line, lines[i]) << "row " << i + 1;
    }
}

TEST(Table, CsvRowsGiveTheTextLineForLineOnRandomRuns) {
    std::mt19937 random(8);
    std::uniform_real_distribution<double> start(-15, 5);  // the series stays within range
    std::uniform_real_distribution<double> length(0, 20);
    std::uniform_int_distribution<int> lines(1, 400);
    for (int run = 0; run < 40; ++run) {
        const double first = start(random);
        const double last = first + length(random);
        const double step = (last - first) / lines(random);
        const Answer choice = run % 2 == 0 ? Answer::Yes : Answer::No;
        SCOPED_TRACE("run " + std::to_string(run));
        ExpectCsvMatchesText(RunScripted(
            choice, {std::to_string(first), std::to_string(last), std::to_string(step), "1e-9"}));
    }
}

TEST(Table, SeriesRowsHoldWhatTheSeriesWentThrough) {
    const RunRecord record = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt}).record;
    const std::string csv = TableCsv(record);
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), 8u);
    const double precision = record.recipe.precision;
    const auto field = [](const std::vector<std::string_view>& fields, TableColumn column) {
        return Field(fields, FormulaChoice::Series, column);
    };
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string_view> fields = Split(rows[i], ";");
        ASSERT_EQ(fields.size(), 17u) << rows[i];
        const double x = Real(field(fields, TableColumn::X));
        const SeriesResult value = SeriesValue(x, precision);
        const double exact = ExactValue(x);
        EXPECT_EQ(field(fields, TableColumn::Guaranteed), x >= 12 ? "нет" : "да") << rows[i];
        // Bit identity is the point: the CSV holds the reals themselves.
        EXPECT_EQ(Real(field(fields, TableColumn::Y)), value.Sum);
        EXPECT_EQ(Real(field(fields, TableColumn::Exact)), exact);
        EXPECT_EQ(Real(field(fields, TableColumn::SeriesError)), ErrorAgainstExact(value.Sum, x));
        EXPECT_EQ(Real(field(fields, TableColumn::ClosedForm)), ClosedFormValue(x));
        EXPECT_EQ(std::stoi(std::string(field(fields, TableColumn::TermCount))), value.TermIndex);
        EXPECT_EQ(Real(field(fields, TableColumn::LastTerm)), value.Term);
        EXPECT_EQ(Real(field(fields, TableColumn::MagnitudeSum)), value.MagnitudeSum);
        EXPECT_EQ(Real(field(fields, TableColumn::DigitsLost)),
                  std::log10(value.MagnitudeSum / std::fabs(exact)));
        EXPECT_EQ(Real(field(fields, TableColumn::RoundingBound)), value.RoundingBound);
        EXPECT_EQ(Real(field(fields, TableColumn::TruncationBound)),
                  *TruncationBound(x, value.TermIndex, value.Term));
        EXPECT_EQ(std::stoi(std::string(field(fields, TableColumn::BitsNeeded))),
                  *BitsNeeded(value, precision));
        EXPECT_EQ(Real(field(fields, TableColumn::ReducedError)),
                  ErrorAgainstExact(ReducedSeriesValue(x, precision), x));
        EXPECT_EQ(Real(field(fields, TableColumn::CompensatedError)),
                  ErrorAgainstExact(CompensatedSeriesValue(x, precision), x));
    }
}

TEST(Table, EmptyWhereThereIsNothingToShow) {
    // At 0, y* is 0: no digits lost to tell. At 5 with a precision of 1000 the
    // series stops while its terms still grow: no truncation bound.
    const RunRecord record = RunScripted(Answer::Yes, {"0", "5", "5", "1000"}).record;
    const std::string csv = TableCsv(record);  // the rows' fields view into it
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), 3u);
    const std::vector<std::string_view> atZero = Split(rows[1], ";");
    EXPECT_EQ(Field(atZero, FormulaChoice::Series, TableColumn::DigitsLost), "");
    EXPECT_EQ(Field(atZero, FormulaChoice::Series, TableColumn::Exact), "0");
    const std::vector<std::string_view> atFive = Split(rows[2], ";");
    EXPECT_EQ(Field(atFive, FormulaChoice::Series, TableColumn::TruncationBound), "");
    EXPECT_EQ(Field(atFive, FormulaChoice::Series, TableColumn::Guaranteed), "нет");
}

TEST(Table, ShownCellsHeaderExamples) {
    using K = Cell::Kind;
    EXPECT_EQ(ShownCell({K::Real, 0.30000000000000004}, TableColumn::X, FormulaChoice::Series),
              "0.3");
    EXPECT_EQ(
        ShownCell({K::Real, 1.3886407345189977e-09}, TableColumn::LastTerm, FormulaChoice::Series),
        "1.389e-09");
    EXPECT_EQ(ShownCell({K::Real, -0.0}, TableColumn::LastTerm, FormulaChoice::Series), "0");
    EXPECT_EQ(ShownCell({}, TableColumn::DigitsLost, FormulaChoice::Series), "—");
    std::string file;
    AppendFileCell(file, {K::Real, 0.1});
    file += '|';
    AppendFileCell(file, {K::Real, -4.2e-06}, DecimalMark::Comma);
    file += '|';
    AppendFileCell(file, {K::Yes});
    EXPECT_EQ(file, "0.1|-4,2E-06|да");
}

TEST(Table, BookFormatsShowWhatTheViewShows) {
    using C = TableColumn;
    using K = Cell::Kind;
    const struct {
        Cell cell;
        TableColumn column;
        FormulaChoice choice;
        const char* format;
    } rows[] = {
        {{K::Real, 1.3886407345189977e-09}, C::LastTerm, FormulaChoice::Series, "0.000E+00"},
        {{K::Real, -0.5757883676}, C::Exact, FormulaChoice::Series, "0.0000"},
        {{K::Real, 0.000723700001}, C::DigitsLost, FormulaChoice::Series, "0.0000000"},
        {{K::Real, 1e-05}, C::SeriesError, FormulaChoice::Series, "0E+00"},
        {{K::Real, 12.8}, C::MagnitudeSum, FormulaChoice::Series, "0.0"},
        {{K::Real, 0.0}, C::RoundingBound, FormulaChoice::Series, "0"},
        {{K::Real, -0.01993342215875815}, C::Y, FormulaChoice::ClosedForm, "0.00"},
        {{K::Real, -0.01993342215875815}, C::Y, FormulaChoice::Series, "0.000000000000"},
        {{K::Real, 0.30000000000000004}, C::X, FormulaChoice::Series, "0.0"},
        {{K::Integer, 12}, C::Number, FormulaChoice::Series, "0"},
        {{K::Yes}, C::Guaranteed, FormulaChoice::Series, ""},
        {{}, C::TruncationBound, FormulaChoice::Series, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(BookNumberFormat(row.cell, row.column, row.choice), row.format);
    }
}

TEST(Table, EmptyRunHasTheHeadingAlone) {
    const std::string heading = "№;x;y;Точное значение;|Формула − точное|\r\n";
    EXPECT_EQ(TableCsv(RunScripted(Answer::No, {"2", "1", "1"}).record), heading);
    EXPECT_EQ(TableCsv(RunRecord{}), heading);
}

// A sink that takes a set number of bytes and refuses the rest.
TEST(Table, CsvRowsKeepTheSweepsOrderAcrossTheBlocksMadeOnTwoThreads) {
    // Ten thousand and one lines: blocks on both threads and a short last one.
    ExpectCsvMatchesText(RunScripted(Answer::No, {"0", "10", "0.001"}));
    ExpectCsvMatchesText(RunScripted(Answer::Yes, {"-3", "3", "0.0006", "1e-9"}));
}

// The selection's text as the view's copy made it, cell by cell.
std::string SelectionTextCellByCell(const RunRecord& record, const std::vector<CellBlock>& blocks) {
    if (blocks.empty()) {
        return {};
    }
    CellBlock bounds = blocks.front();
    for (const CellBlock& b : blocks) {
        bounds = {std::min(bounds.top, b.top), std::max(bounds.bottom, b.bottom),
                  std::min(bounds.left, b.left), std::max(bounds.right, b.right)};
    }
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    std::string text;
    for (size_t row = bounds.top; row <= bounds.bottom; ++row) {
        for (size_t column = bounds.left; column <= bounds.right; ++column) {
            for (const CellBlock& b : blocks) {
                if (b.top <= row && row <= b.bottom && b.left <= column && column <= b.right) {
                    AppendFileCell(text, CellOf(RowOf(record, row), columns[column]));
                    break;
                }
            }
            text.push_back(column < bounds.right ? '\t' : '\n');
        }
    }
    return text;
}

TEST(Table, SelectionTextIsTheCellsOfEveryBlockInOnePass) {
    const RunRecord record = RunScripted(Answer::Yes, {"0", "5", "0.001", "1e-9"}).record;
    const struct {
        const char* name;
        std::vector<CellBlock> blocks;
    } rows[] = {
        {"nothing", {}},
        {"one cell", {{3, 3, 4, 4}}},
        {"a rectangle", {{10, 20, 1, 2}}},
        {"two blocks apart", {{1, 2, 0, 1}, {7, 9, 5, 6}}},
        {"overlapping blocks", {{0, 4, 0, 3}, {2, 6, 2, 8}}},
        {"every row, past the blocks of rows", {{0, record.LineCount() - 1, 0, 16}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TextSink sink;
        ASSERT_TRUE(WriteSelectionText(record, row.blocks, sink));
        EXPECT_EQ(sink.text, SelectionTextCellByCell(record, row.blocks));
    }
    // Beyond the table: cut to it, never read past it.
    TextSink beyond;
    ASSERT_TRUE(WriteSelectionText(record, {{4998, 9000, 14, 40}, {7000, 8000, 0, 1}}, beyond));
    EXPECT_EQ(beyond.text, SelectionTextCellByCell(record, {{4998, 4999, 14, 16}}));
}

// A progress that says stop at once.
class StopAtOnce : public WorkProgress {
public:
    bool Advance(size_t done, size_t total) override {
        heard = {done, total};
        return false;
    }
    std::pair<size_t, size_t> heard;
};

TEST(Table, LongWorkStopsWhereItsProgressSaysStop) {
    const RunRecord record = RunScripted(Answer::No, {"1", "20000", "1"}).record;
    StopAtOnce csvProgress;
    TextSink csv;
    EXPECT_FALSE(WriteTableCsv(record, csv, DecimalMark::Point, &csvProgress));
    EXPECT_EQ(csvProgress.heard, std::make_pair(2 * kBlockRows, size_t{20000}));
    EXPECT_EQ(std::count(csv.text.begin(), csv.text.end(), '\n'), 1 + 2 * kBlockRows);
    StopAtOnce copyProgress;
    TextSink copy;
    EXPECT_FALSE(WriteSelectionText(record, {{0, 19999, 0, 4}}, copy, &copyProgress));
    EXPECT_EQ(std::count(copy.text.begin(), copy.text.end(), '\n'), 2 * kBlockRows);
    StopAtOnce bookProgress;
    const std::string book = testing::TempDir() + "stopped.xlsx";
    EXPECT_EQ(WriteTableXlsx(record, book, "tabulator", &bookProgress), ECANCELED);
    EXPECT_EQ(bookProgress.heard, std::make_pair(size_t{4096}, size_t{20000}));
    std::remove(book.c_str());
}

class FillingSink : public ByteSink {
public:
    explicit FillingSink(size_t room) : room_(room) {}
    bool Write(std::string_view bytes) override {
        ++writes;
        if (bytes.size() > room_) {
            return false;
        }
        room_ -= bytes.size();
        taken.append(bytes);
        return true;
    }
    std::string taken;
    int writes = 0;

private:
    size_t room_;
};

TEST(Table, CsvGoesToItsSinkInPiecesAndStopsWhereTheSinkRefuses) {
    const RunRecord record = RunScripted(Answer::No, {"1", "200000", "1"}).record;
    const std::string whole = TableCsv(record);
    FillingSink roomy(whole.size());
    EXPECT_TRUE(WriteTableCsv(record, roomy));
    EXPECT_EQ(roomy.taken, whole);
    EXPECT_GT(roomy.writes, 20);  // never whole in memory
    FillingSink full(whole.size() / 2);
    EXPECT_FALSE(WriteTableCsv(record, full));
    EXPECT_LT(full.taken.size(), whole.size() / 2 + 1);
    EXPECT_EQ(whole.substr(0, full.taken.size()), full.taken);
}

}  // namespace

namespace {

TEST(TermsTable, BitsInWords) {
    const std::pair<int, const char*> cases[] = {
        {1, "1 бит"},    {2, "2 бита"},   {12, "12 бит"},   {24, "24 бита"},
        {53, "53 бита"}, {64, "64 бита"}, {113, "113 бит"}, {1024, "1024 бита"}};
    for (const auto& [bits, words] : cases) {
        EXPECT_EQ(BitsText(bits), words);
    }
    EXPECT_EQ(ErrorAtBitsHeading(113), "|Sₙ − y*|, 113 бит");
}

}  // namespace
