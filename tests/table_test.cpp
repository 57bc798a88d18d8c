#include "evaluation/table.h"

#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "support/scripteddialogues.h"

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
    EXPECT_EQ(closed, "№|x|y|");
    std::string series;
    for (TableColumn column : TableColumns(FormulaChoice::Series)) {
        series.append(ColumnHeading(column)).append("|");
    }
    EXPECT_EQ(series,
              "№|x|y|Членов ряда|Последний член|Формула|"
              "|Ряд − формула||Оценка округления|Точность гарантирована|");
}

TEST(Table, CsvHeaderExample) {
    const std::string csv =
        TableCsv(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}));
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0], "№;x;y");
    EXPECT_EQ(rows[1], "1;0.1;-0.01993342215875815");
    EXPECT_EQ(rows[10].substr(0, 22), "10;0.9999999999999999;");
    EXPECT_TRUE(csv.ends_with("\r\n"));
}

// Reads every CSV row back and checks that x and y, printed as a coordinates
// line prints them, give that line of the text, and that the reals read back
// exactly as computed.
void ExpectCsvMatchesText(const SweepState& state) {
    const std::string csv = TableCsv(state);
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    const std::vector<std::string_view> lines = Split(state.CoordinatesText, "\r\n");
    ASSERT_EQ(rows.size(), lines.size() + 1);
    const size_t columns = TableColumns(state.Choice).size();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = Split(rows[i + 1], ";");
        ASSERT_EQ(fields.size(), columns) << rows[i + 1];
        EXPECT_EQ(fields[0], std::to_string(i + 1));
        std::string line = "(";
        AppendAbscissaText(line, Real(fields[1]));
        line += ";";
        AppendValueText(line, Real(fields[2]), state.Choice);
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

TEST(Table, SeriesRowsSayWhereThePrecisionIsNotGuaranteed) {
    const SweepState state = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt});
    const std::string csv = TableCsv(state);
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), 8u);
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string_view> fields = Split(rows[i], ";");
        ASSERT_EQ(fields.size(), 9u);
        const double x = Real(fields[1]);
        const TableRow row = ComputeTableRow(state, static_cast<std::int64_t>(i), x);
        EXPECT_EQ(fields[8], x >= 12 ? "нет" : "да") << rows[i];
        // Bit identity is the point: the CSV holds the reals themselves.
        EXPECT_EQ(Real(fields[2]), row.value.Sum);
        EXPECT_EQ(std::stoi(std::string(fields[3])), row.value.TermIndex);
        EXPECT_EQ(Real(fields[5]), row.closedForm);
        EXPECT_EQ(Real(fields[6]), row.Difference());
        EXPECT_EQ(Real(fields[7]), row.value.RoundingBound);
    }
}

TEST(Table, EmptyRunHasTheHeadingAlone) {
    EXPECT_EQ(TableCsv(RunScripted(Answer::No, {"2", "1", "1"})), "№;x;y\r\n");
    EXPECT_EQ(TableCsv(SweepState{}), "№;x;y\r\n");
}

}  // namespace
