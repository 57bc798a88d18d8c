#include "table/table.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "support/scripteddialogues.h"
#include "table/csv.h"

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
        TableCsv(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}).record);
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
void ExpectCsvMatchesText(const ScriptedRun& run) {
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

TEST(Table, SeriesRowsSayWhereThePrecisionIsNotGuaranteed) {
    const RunRecord record = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt}).record;
    const std::string csv = TableCsv(record);
    const std::vector<std::string_view> rows = Split(csv, "\r\n");
    ASSERT_EQ(rows.size(), 8u);
    for (size_t i = 1; i < rows.size(); ++i) {
        const std::vector<std::string_view> fields = Split(rows[i], ";");
        ASSERT_EQ(fields.size(), 9u);
        const double x = Real(fields[1]);
        const SeriesResult value = SeriesValue(x, record.recipe.precision);
        EXPECT_EQ(fields[8], x >= 12 ? "нет" : "да") << rows[i];
        // Bit identity is the point: the CSV holds the reals themselves.
        EXPECT_EQ(Real(fields[2]), value.Sum);
        EXPECT_EQ(std::stoi(std::string(fields[3])), value.TermIndex);
        EXPECT_EQ(Real(fields[4]), value.Term);
        EXPECT_EQ(Real(fields[5]), ClosedFormValue(x));
        EXPECT_EQ(Real(fields[6]), std::fabs(value.Sum - ClosedFormValue(x)));
        EXPECT_EQ(Real(fields[7]), value.RoundingBound);
    }
}

TEST(Table, EmptyRunHasTheHeadingAlone) {
    EXPECT_EQ(TableCsv(RunScripted(Answer::No, {"2", "1", "1"}).record), "№;x;y\r\n");
    EXPECT_EQ(TableCsv(RunRecord{}), "№;x;y\r\n");
}

// A sink that takes a set number of bytes and refuses the rest.
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
