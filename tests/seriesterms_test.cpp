#include <algorithm>
#include <cmath>
#include <optional>

#include <QAbstractItemModel>
#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <gtest/gtest.h>

#include "analysis/workingprecision.h"
#include "evaluation/formulas.h"
#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "view/coordinatestablemodel.h"
#include "view/runplot.h"
#include "view/seriestermsdialog.h"
#include "view/tableplotdialog.h"
#include "view/termsplot.h"

namespace {

const double kDefaultPrecision = 1.9753086e-05;

// The view of a series run from 13 to 17, shown at its table.
class SeriesTermsTest : public testing::Test {
protected:
    void SetUp() override {
        run_ = RunScripted(Answer::Yes, {"13", "17", "1", std::nullopt});
        view_.emplace(nullptr, run_);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view_));
        table_ = view_->findChild<QTableView*>(QStringLiteral("table"));
        ASSERT_NE(table_, nullptr);
        table_->setFocus();
        table_->setCurrentIndex(table_->model()->index(2, 1));  // x = 15
    }

    Tabulation run_;
    std::optional<TablePlotDialog> view_;
    QTableView* table_ = nullptr;
};

// Reads the terms dialogue of a row and closes it.
ModalAnswerer::Handler ReadTerms(QString& title, int& rows, double& lastSum) {
    return [&](QDialog& box) {
        title = box.windowTitle();
        auto* terms = qobject_cast<SeriesTermsDialog*>(&box);
        ASSERT_NE(terms, nullptr);
        rows = box.findChild<QTableView*>(QStringLiteral("terms"))->model()->rowCount();
        lastSum = terms->Breakdown().steps.back().partialSum;
        ClickButton(box, "closeButton");
    };
}

TEST_F(SeriesTermsTest, EnterOnARowOpensItsTermsAndLeavesTheViewOpen) {
    QString title;
    int rows = 0;
    double lastSum = 0;
    {
        ModalAnswerer answerer({ReadTerms(title, rows, lastSum)});
        QTest::keyClick(table_, Qt::Key_Return);
    }
    EXPECT_EQ(title, QStringLiteral("Разбор ряда при x = 15.0"));
    const SeriesResult value = SeriesValue(15, kDefaultPrecision);
    EXPECT_EQ(rows, value.TermIndex);
    // Bit identity is the point: the terms add up to the run's own y.
    EXPECT_EQ(lastSum, run_.record.Y()[2]);
    EXPECT_TRUE(view_->isVisible());  // Enter went to the row, not to "Закрыть"
}

TEST_F(SeriesTermsTest, ButtonAndDoubleClickOpenTheTermsToo) {
    QString title;
    int rows = 0;
    double lastSum = 0;
    {
        ModalAnswerer answerer({ReadTerms(title, rows, lastSum)});
        view_->findChild<QPushButton*>(QStringLiteral("termsButton"))->click();
    }
    EXPECT_EQ(title, QStringLiteral("Разбор ряда при x = 15.0"));
    title.clear();
    {
        ModalAnswerer answerer({ReadTerms(title, rows, lastSum)});
        const QRect cell = table_->visualRect(table_->model()->index(0, 1));
        // A click first, as a user's double click begins with one.
        QTest::mouseClick(table_->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::mouseDClick(table_->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    EXPECT_EQ(title, QStringLiteral("Разбор ряда при x = 13.0"));
}

TEST(SeriesTerms, ClosedFormRunHasNoSeriesToTake) {
    const Tabulation run = RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt});
    TablePlotDialog view(nullptr, run);
    EXPECT_EQ(view.findChild<QPushButton*>(QStringLiteral("termsButton")), nullptr);
}

TEST(SeriesTerms, FaultIsToldWithTheTermsBeforeIt) {
    SeriesTermsDialog terms(nullptr, 40, kDefaultPrecision);
    const auto* summary = terms.findChild<QLabel*>(QStringLiteral("summary"));
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(summary->text().startsWith(QStringLiteral("Разбор ряда при x = 40, точность ")));
    EXPECT_TRUE(summary->text().endsWith(QStringLiteral("Члены ряда до ошибки (80) показаны.")))
        << summary->text().toStdString();
    EXPECT_EQ(terms.findChild<QTableView*>(QStringLiteral("terms"))->model()->rowCount(), 80);
}

TEST(SeriesTerms, OpensWithRowsALineTallAndColumnsThatFillTheWidth) {
    SeriesTermsDialog terms(nullptr, 15, kDefaultPrecision);
    terms.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&terms));
    QApplication::processEvents();
    auto* table = terms.findChild<QTableView*>(QStringLiteral("terms"));
    ASSERT_NE(table, nullptr);
    EXPECT_LE(table->rowHeight(0), table->fontMetrics().height() + 8);
    int contents = 0;  // what the columns' texts need
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        contents += std::max(static_cast<QAbstractItemView*>(table)->sizeHintForColumn(column),
                             table->horizontalHeader()->sectionSizeHint(column));
    }
    // The columns fill the table, and the table is not much wider than they need.
    int columns = 0;
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        columns += table->columnWidth(column);
    }
    // The columns fill the table, scrolling sideways only where their
    // contents need more than the screen gives.
    EXPECT_GE(columns,
              std::min(contents, table->viewport()->width()) - 1 - table->model()->columnCount());
    EXPECT_LE(columns, std::max(contents, table->viewport()->width() + 1));
    // The room beside the contents shared: no column takes most of it.
    const int room = columns - contents;
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        EXPECT_LE(table->columnWidth(column) -
                      std::max(static_cast<QAbstractItemView*>(table)->sizeHintForColumn(column),
                               table->horizontalHeader()->sectionSizeHint(column)),
                  std::max(room / 2, 8))
            << "column " << column;
    }
}

TEST(SeriesTerms, PlotShowsTermsErrorFloorAndPrecisionAgainstN) {
    SeriesTermsDialog terms(nullptr, 15, kDefaultPrecision);
    terms.show();
    terms.findChild<QTabWidget*>()->setCurrentIndex(1);
    QApplication::processEvents();
    const auto* plot = terms.findChild<QChartView*>(QStringLiteral("termsPlot"));
    ASSERT_NE(plot, nullptr);
    int lines = 0;
    for (const QLineSeries* line : plot->chart()->findChildren<QLineSeries*>()) {
        ++lines;
        EXPECT_GE(line->count(), 2) << line->name().toStdString();
        for (const QPointF& point : line->points()) {
            EXPECT_TRUE(std::isfinite(point.x()) && std::isfinite(point.y()));
        }
    }
    EXPECT_EQ(lines,
              8);  // |Tₙ|, |Sₙ − y*|, the floor, 24, 64, 113 and the chosen bits, the precision
}

// The terms' plot is a plot as the run's is: its keys tell the values at a
// term, it zooms and shows all again, and it draws as a picture.
TEST(SeriesTerms, PlotKeysTellTermsAndZoom) {
    SeriesTermsDialog terms(nullptr, 15, kDefaultPrecision);
    terms.show();
    terms.findChild<QTabWidget*>()->setCurrentIndex(1);
    QApplication::processEvents();
    auto* plot = terms.findChild<TermsPlot*>(QStringLiteral("termsPlot"));
    ASSERT_NE(plot, nullptr);
    const auto* readout = terms.findChild<QLabel*>(QStringLiteral("pointer"));
    ASSERT_NE(readout, nullptr);
    plot->setFocus();
    QTest::keyClick(plot, Qt::Key_Right);
    EXPECT_TRUE(readout->text().startsWith(QStringLiteral("n = 1; |Tₙ| = 450;")))
        << readout->text().toStdString();
    QTest::keyClick(plot, Qt::Key_Right);
    QTest::keyClick(plot, Qt::Key_Right);
    EXPECT_TRUE(readout->text().startsWith(QStringLiteral("n = 3; ")))
        << readout->text().toStdString();

    const auto shownN = [plot] {
        const auto* axis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).front());
        return axis->max() - axis->min();
    };
    const double whole = shownN();
    QTest::keyClick(plot, Qt::Key_Plus);
    EXPECT_LT(shownN(), whole * 0.9);
    QTest::keyClick(plot, Qt::Key_Home);
    EXPECT_EQ(shownN(), whole);

    QImage picture(plot->ImageSize(), QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    plot->DrawImage(painter, picture.size());
    painter.end();
    EXPECT_GT(plot->LegendHeight(picture.width()), 0);
    EXPECT_NE(picture.pixel(picture.width() / 2, picture.height() / 2),
              QColor(Qt::transparent).rgba());
}

// The same terms at other working precisions: at x = 20 a double's sum is off
// by more than 1, binary128's within the precision, and the user's precision
// starts at what the line needs.
TEST(SeriesTerms, ErrorsAtOtherPrecisions) {
    SeriesTermsDialog terms(nullptr, 20, kDefaultPrecision);
    terms.show();
    const QAbstractItemModel* model =
        terms.findChild<QTableView*>(QStringLiteral("terms"))->model();
    const auto heading = [model](int column) {
        return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    const auto lastError = [model](int column) {
        return model
            ->data(model->index(model->rowCount() - 1, column), CoordinatesTableModel::FullTextRole)
            .toString()
            .toDouble();
    };
    ASSERT_EQ(model->columnCount(), 10);
    EXPECT_EQ(heading(3), QStringLiteral("|Sₙ − y*|"));
    EXPECT_EQ(heading(6), QStringLiteral("|Sₙ − y*|, 24 бита"));
    EXPECT_EQ(heading(7), QStringLiteral("|Sₙ − y*|, 64 бита"));
    EXPECT_EQ(heading(8), QStringLiteral("|Sₙ − y*|, 113 бит"));
    EXPECT_GT(lastError(3), 1);
    EXPECT_LE(lastError(8), kDefaultPrecision);
    auto* bits = terms.findChild<QSpinBox*>(QStringLiteral("chosenBits"));
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(bits->value(), *BitsNeeded(SeriesValue(20, kDefaultPrecision), kDefaultPrecision));
    EXPECT_LE(lastError(9), kDefaultPrecision);
    bits->setValue(30);
    EXPECT_EQ(heading(9), QStringLiteral("|Sₙ − y*|, 30 бит"));
    EXPECT_GT(lastError(9), lastError(3));
    auto* plot = terms.findChild<TermsPlot*>(QStringLiteral("termsPlot"));
    EXPECT_EQ(plot->Line("errorAtChosenBits")->name(), QStringLiteral("|Sₙ − y*|, 30 бит"));
    // Every heading and every legend entry says what it is.
    for (int column = 0; column < model->columnCount(); ++column) {
        EXPECT_FALSE(
            model->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty())
            << column;
    }
    for (const QCheckBox* entry : terms.findChildren<QCheckBox*>()) {
        EXPECT_FALSE(entry->toolTip().isEmpty()) << entry->text().toStdString();
    }
}

TEST(PlotLegend, HidesAndShowsItsLine) {
    const Tabulation run =
        RunScripted(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    TablePlotDialog view(nullptr, run);
    auto* plot = view.findChild<RunPlot*>(QStringLiteral("plot"));
    auto* show = view.findChild<QCheckBox*>(QStringLiteral("showseriesError"));
    ASSERT_NE(show, nullptr);
    EXPECT_TRUE(show->isChecked());
    EXPECT_EQ(show->text(), QStringLiteral("|Ряд − точное|"));
    show->click();
    EXPECT_FALSE(plot->Line("seriesError")->isVisible());
    show->click();
    EXPECT_TRUE(plot->Line("seriesError")->isVisible());
}

}  // namespace

namespace {

// Where the series faults, the columns at other precisions stop where their
// own terms left the range, and show nothing past it.
TEST(SeriesTerms, PrecisionColumnsEndWhereTheirTermsLeaveTheRange) {
    SeriesTermsDialog terms(nullptr, 40, 1.9753086e-05);
    const QAbstractItemModel* model =
        terms.findChild<QTableView*>(QStringLiteral("terms"))->model();
    ASSERT_EQ(model->rowCount(), 80);
    for (int column = 6; column < model->columnCount(); ++column) {
        const QString last = model->index(79, column).data().toString();
        EXPECT_FALSE(last.isEmpty()) << column;
        EXPECT_NE(last, QStringLiteral("nan")) << column;
    }
}

}  // namespace

namespace {

// A series that faults at its first term has nothing to sum at other
// precisions: no table rows, no plot, no precision to choose.
TEST(SeriesTerms, NoTermsNoPrecisionToChoose) {
    SeriesTermsDialog terms(nullptr, 1.7e308, 1.9753086e-05);
    EXPECT_EQ(terms.findChild<QTableView*>(QStringLiteral("terms"))->model()->rowCount(), 0);
    EXPECT_EQ(terms.findChild<QSpinBox*>(QStringLiteral("chosenBits")), nullptr);
    EXPECT_EQ(terms.findChild<QTabWidget*>()->count(), 1);
}

}  // namespace
