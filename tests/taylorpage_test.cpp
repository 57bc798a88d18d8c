#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>
#include <gtest/gtest.h>

#include "analysis/taylor.h"
#include "support/scripteddialogues.h"
#include "view/tableplotdialog.h"
#include "view/taylorplot.h"

namespace {

using Replies = std::vector<std::optional<std::string>>;

// The view of a run, shown at its Taylor page.
class TaylorPageTest : public testing::Test {
protected:
    void Open(Answer choice, Replies replies) {
        run_ = RunScripted(choice, std::move(replies));
        view_.emplace(nullptr, run_);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view_));
        auto* tabs = view_->findChild<QTabWidget*>(QStringLiteral("tabs"));
        ASSERT_EQ(tabs->count(), 3);
        EXPECT_EQ(tabs->tabText(2), QStringLiteral("Многочлены Тейлора"));
        tabs->setCurrentIndex(2);
        QApplication::processEvents();
        plot_ = view_->findChild<TaylorPlot*>(QStringLiteral("taylorPlot"));
        ASSERT_NE(plot_, nullptr);
        degree_ = view_->findChild<QSpinBox*>(QStringLiteral("taylorDegree"));
        interval_ = view_->findChild<QLabel*>(QStringLiteral("taylorInterval"));
        ASSERT_NE(degree_, nullptr);
        ASSERT_NE(interval_, nullptr);
    }

    Tabulation run_;
    std::optional<TablePlotDialog> view_;
    TaylorPlot* plot_ = nullptr;
    QSpinBox* degree_ = nullptr;
    QLabel* interval_ = nullptr;
};

TEST_F(TaylorPageTest, SeriesRunShowsSnAgainstTheExactValueWithItsGoodInterval) {
    Open(Answer::Yes, {"-6", "6", "0.01", std::nullopt});
    int most = 0;
    for (const SeriesDetail& line : run_.record.Series()) {
        most = std::max(most, line.TermIndex);
    }
    EXPECT_EQ(degree_->maximum(), most);
    EXPECT_EQ(degree_->value(), 6);
    EXPECT_EQ(interval_->text(), QStringLiteral("S₆ в пределах точности при |x| ≤ 1.398"));
    EXPECT_TRUE(plot_->accessibleDescription().contains(interval_->text()));
    for (const QLineSeries* line : plot_->Lines()) {
        const auto* entry =
            view_->findChild<QCheckBox*>(QStringLiteral("show") + line->objectName());
        ASSERT_NE(entry, nullptr) << line->objectName().toStdString();
        EXPECT_FALSE(entry->toolTip().isEmpty()) << line->objectName().toStdString();
    }
    EXPECT_TRUE(view_->findChild<QCheckBox*>(QStringLiteral("showtaylor"))
                    ->toolTip()
                    .contains(QStringLiteral("округление")));
    const double r6 = plot_->GoodRadius();

    // The keys on the plot choose n, and the spin box and the slider follow.
    plot_->setFocus();
    QTest::keyClick(plot_, Qt::Key_Right);
    EXPECT_EQ(plot_->Degree(), 7);
    EXPECT_EQ(degree_->value(), 7);
    EXPECT_EQ(view_->findChild<QSlider*>(QStringLiteral("taylorSlider"))->value(), 7);
    EXPECT_GT(plot_->GoodRadius(), r6);
    degree_->setValue(20);
    EXPECT_EQ(plot_->Line("taylor")->name(), QStringLiteral("S₂₀"));
    EXPECT_EQ(plot_->EarlierDegrees(), (std::vector<int>{17, 14, 11, 8, 5}));
    EXPECT_TRUE(interval_->text().startsWith(QStringLiteral("S₂₀ в пределах точности")));

    // Drawn at a few points per pixel column, the run's lines whatever their number.
    const qsizetype columns =
        static_cast<qsizetype>(plot_->chart()->plotArea().width() * plot_->devicePixelRatioF());
    for (const char* name : {"exact", "taylor", "earlier"}) {
        const QLineSeries* line = plot_->Line(name);
        ASSERT_NE(line, nullptr) << name;
        EXPECT_GT(line->count(), columns) << name;
        EXPECT_LE(line->count(), 2 * columns + 2) << name;
    }
    // The pointer's readout.
    const QPointF middle = plot_->mapFromScene(plot_->chart()->plotArea().center());
    QMouseEvent move(QEvent::MouseMove, middle, plot_->viewport()->mapToGlobal(middle),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot_->viewport(), &move);
    const auto* readout = view_->findChild<QLabel*>(QStringLiteral("taylorPointer"));
    ASSERT_NE(readout, nullptr);
    EXPECT_TRUE(readout->text().startsWith(QStringLiteral("x = ")))
        << readout->text().toStdString();
    EXPECT_TRUE(readout->text().contains(QStringLiteral("S₂₀(x) = ")));
}

// One runaway polynomial leaves the y axis as it was: the curves run off it.
TEST_F(TaylorPageTest, PolynomialsBeyondTheUsefulHeightAreClipped) {
    Open(Answer::Yes, {"-12", "12", "0.05", std::nullopt});
    const auto* axis = qobject_cast<QValueAxis*>(plot_->chart()->axes(Qt::Vertical).front());
    const double bottom = axis->min();
    const double top = axis->max();
    for (const int n : {2, 3}) {  // S_2 runs off the top at 12, S_3 off the bottom
        degree_->setValue(n);
        double lowest = top;
        double highest = bottom;
        for (const QPointF& point : plot_->Line("taylor")->points()) {
            lowest = std::min(lowest, point.y());
            highest = std::max(highest, point.y());
        }
        EXPECT_EQ(axis->min(), bottom);
        EXPECT_EQ(axis->max(), top);
        EXPECT_TRUE(n == 2 ? highest > top : lowest < bottom) << n;
    }
}

TEST_F(TaylorPageTest, ClosedFormRunMeasuresByATolerance) {
    Open(Answer::No, {"0", "10", "0.01"});
    EXPECT_EQ(degree_->maximum(), kMostTaylorDegree);
    auto* tolerance = view_->findChild<QLineEdit*>(QStringLiteral("taylorTolerance"));
    ASSERT_NE(tolerance, nullptr);
    EXPECT_TRUE(interval_->text().startsWith(QStringLiteral("S₆ в пределах допуска при |x| ≤ ")))
        << interval_->text().toStdString();
    const double strict = plot_->GoodRadius();
    tolerance->setText(QStringLiteral("0.01"));
    emit tolerance->editingFinished();
    EXPECT_GT(plot_->GoodRadius(), strict);
    tolerance->setText(QStringLiteral("0"));
    emit tolerance->editingFinished();
    EXPECT_EQ(interval_->text(), QStringLiteral("Допуск должен быть больше нуля."));
}

}  // namespace

namespace {

// The sweep's own rounding is told under the table and in the plot's
// description, where the running sum passed the bound before start + k·step.
TEST(SweepDriftInTheView, ToldUnderTheTableAndInThePlotsDescription) {
    const Tabulation run = RunScripted(Answer::Yes, {"0", "16", "0.05", std::nullopt});
    TablePlotDialog view(nullptr, run);
    const auto* summary = view.findChild<QLabel*>(QStringLiteral("tableSummary"));
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(
        summary->text().startsWith(QStringLiteral("Степенной ряд: x от 0.0 до 16.0 с шагом "
                                                  "0.05, точность ")))
        << summary->text().toStdString();
    for (const QString& told :
         {summary->text(),
          view.findChild<QWidget*>(QStringLiteral("plot"))->accessibleDescription()}) {
        EXPECT_TRUE(
            told.contains(QStringLiteral("к последней точке, x = 15.95, она ушла от "
                                         "0 + 319·0.05 на ")))
            << told.toStdString();
        EXPECT_TRUE(
            told.contains(QStringLiteral("Следующая сумма, 16.000000000000092, уже больше "
                                         "конечного значения 16.0")));
    }
    // Nothing to tell where the step is exact.
    const Tabulation exact = RunScripted(Answer::No, {"0", "16", "0.25"});
    TablePlotDialog exactView(nullptr, exact);
    EXPECT_FALSE(exactView.findChild<QLabel*>(QStringLiteral("tableSummary"))
                     ->text()
                     .contains(QStringLiteral("накопленная сумма")));
}

}  // namespace
