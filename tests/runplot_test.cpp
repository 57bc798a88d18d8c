#include "view/runplot.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "numtext/arithmeticfault.h"
#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "view/tableplotdialog.h"

namespace {

using Replies = std::vector<std::optional<std::string>>;
using Axis = RunPlot::Axis;

constexpr Axis kAxes[] = {Axis::X, Axis::Y, Axis::Error};

const char* AxisName(Axis axis) {
    return axis == Axis::X ? "x" : axis == Axis::Y ? "y" : "error";
}

// The view of a run, shown, with its plot.
class RunPlotTest : public testing::Test {
protected:
    // Runs to the end or to a fault, keeping the lines made, then opens the view.
    void Open(Answer choice, Replies replies) {
        run_ = {};
        ScriptedDialogues dialogues(choice, std::move(replies));
        try {
            RunDataEntry(run_.state, dialogues, run_.record);
        } catch (const ArithmeticFault&) {
        }
        view_.emplace(nullptr, run_);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view_));
        view_->findChild<QTabWidget*>()->setCurrentIndex(1);  // the plot, at its opening size
        QApplication::processEvents();
        plot_ = view_->findChild<RunPlot*>(QStringLiteral("plot"));
        ASSERT_NE(plot_, nullptr);
    }

    // Turns the wheel over the middle of the plot; positive notches zoom in.
    void Wheel(int notches) {
        const QPointF middle = plot_->mapFromScene(plot_->chart()->plotArea().center());
        QWheelEvent wheel(middle, plot_->viewport()->mapToGlobal(middle), QPoint(),
                          QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(plot_->viewport(), &wheel);
    }

    // Every shown range is finite, ordered and not empty.
    void ExpectShowableRanges(const std::string& when) {
        for (Axis axis : kAxes) {
            const auto [low, high] = plot_->ShownRange(axis);
            EXPECT_TRUE(std::isfinite(low) && std::isfinite(high) && low < high)
                << AxisName(axis) << " axis [" << low << ", " << high << "] " << when;
        }
    }

    // Every tick label is a finite number, and no two are alike.
    void ExpectReadableTicks(const std::string& when) {
        for (Axis axis : kAxes) {
            QStringList labels = plot_->TickLabels(axis);
            EXPECT_GE(labels.size(), 2) << AxisName(axis) << " " << when;
            for (const QString& label : labels) {
                EXPECT_FALSE(label.contains(QLatin1String("inf")) ||
                             label.contains(QLatin1String("nan")))
                    << AxisName(axis) << " label " << label.toStdString() << " " << when;
            }
            EXPECT_EQ(labels.removeDuplicates(), 0)
                << AxisName(axis) << ": " << labels.join(QLatin1Char(' ')).toStdString() << " "
                << when;
        }
    }

    Tabulation run_;
    std::optional<TablePlotDialog> view_;
    RunPlot* plot_ = nullptr;
};

TEST_F(RunPlotTest, HugePrecisionKeepsTheErrorAxisFinite) {
    for (const char* precision : {"1e308", "2e307"}) {
        SCOPED_TRACE(precision);
        Open(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, precision});
        ExpectShowableRanges("at opening");
        const auto [low, high] = plot_->ShownRange(Axis::Error);
        EXPECT_LT(low, std::log10(std::stod(precision)));
        EXPECT_GT(high, std::log10(std::stod(precision)));  // the precision line is in view
    }
}

TEST_F(RunPlotTest, WheelOutwardsStaysWithinShowableRanges) {
    Open(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    for (int notch = 1; notch <= 40; ++notch) {
        Wheel(-1);
        ExpectShowableRanges("after " + std::to_string(notch) + " notches out");
    }
    ExpectReadableTicks("after 40 notches out");
}

TEST_F(RunPlotTest, ResetShowsAllThreeAxesAsAtOpening) {
    Open(Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    std::vector<std::pair<double, double>> opening;
    for (Axis axis : kAxes) {
        opening.push_back(plot_->ShownRange(axis));
    }
    Wheel(-8);
    Wheel(3);
    plot_->ResetZoom();
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(AxisName(kAxes[i]));
        EXPECT_EQ(plot_->ShownRange(kAxes[i]), opening[i]);
    }
}

TEST_F(RunPlotTest, ThousandsOfNotchesEachWayLeaveALineToSee) {
    Open(Answer::No, {std::nullopt, std::nullopt, std::nullopt});
    for (int turn = 0; turn < 40; ++turn) {
        Wheel(-100);
    }
    ExpectShowableRanges("after 4000 notches out");
    ExpectReadableTicks("after 4000 notches out");
    for (int turn = 0; turn < 80; ++turn) {
        Wheel(100);
    }
    ExpectShowableRanges("after 4000 notches back in and 4000 more");
    ExpectReadableTicks("after 4000 notches back in and 4000 more");
    plot_->ResetZoom();
    EXPECT_EQ(plot_->Line("values")->count(), 10);
}

TEST_F(RunPlotTest, ZoomingInStopsAtAFewUnitsInTheLastPlace) {
    Open(Answer::No, {"1", "1.000000000000004", "0.0000000000000002"});
    for (int turn = 0; turn < 30; ++turn) {
        Wheel(100);
    }
    const auto [low, high] = plot_->ShownRange(Axis::X);
    EXPECT_GE(high - low, 2 * (std::nextafter(1.0, 2.0) - 1.0));
    EXPECT_LE(high - low, 64 * (std::nextafter(1.0, 2.0) - 1.0));
    ExpectReadableTicks("zoomed in as far as it goes");
}

struct ExtremeRun {
    const char* name;
    Answer choice;
    Replies replies;
};

const ExtremeRun kExtremeRuns[] = {
    {"the whole reals", Answer::No, {"-1.7e308", "1.7e308", "1e308"}},
    {"downwards over the whole reals",
     Answer::No,
     {"1.7976931348623157e308", "-1.7976931348623157e308", "-1e308"}},
    {"subnormal steps", Answer::No, {"0", "5e-324", "5e-324"}},
    {"one line near the largest real", Answer::No, {"1e308", "1e308", "1"}},
    {"a few units in the last place of 1e15", Answer::No, {"1e15", "1.000000000000004e15", "0.3"}},
    {"one line", Answer::No, {"1", "1", "-0.1"}},
    {"one series line", Answer::Yes, {"1", "1", "-0.1", std::nullopt}},
    {"the smallest precision", Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, "5e-324"}},
    {"the largest precision", Answer::Yes, {std::nullopt, std::nullopt, std::nullopt, "1e308"}},
};

TEST_F(RunPlotTest, AxesOfExtremeRunsAreShowableAndShowEveryLine) {
    for (const ExtremeRun& extreme : kExtremeRuns) {
        SCOPED_TRACE(extreme.name);
        Open(extreme.choice, extreme.replies);
        ExpectShowableRanges("at opening");
        ExpectReadableTicks("at opening");
        const auto [low, high] = plot_->ShownRange(Axis::X);
        for (double x : run_.record.X()) {
            EXPECT_TRUE(low <= x && x <= high) << x << " outside [" << low << ", " << high << "]";
        }
        for (const char* name : {"values", "closedForm", "seriesError", "closedFormError",
                                 "reducedError", "compensatedError", "precision"}) {
            QLineSeries* line = plot_->Line(name);
            if (line == nullptr) {
                continue;
            }
            EXPECT_GE(line->count(), 1) << name;
            if (line->count() == 1) {
                EXPECT_TRUE(line->pointsVisible()) << name << ": a lone point needs a marker";
            }
        }
    }
}

TEST_F(RunPlotTest, ReadoutOfAHugeAbscissaKeepsTheViewOnTheScreen) {
    Open(Answer::No, {"1e300", "1e300", "1"});
    QLabel* pointer = view_->findChild<QLabel*>(QStringLiteral("pointer"));
    ASSERT_NE(pointer, nullptr);
    const QPointF middle = plot_->mapFromScene(plot_->chart()->plotArea().center());
    QMouseEvent move(QEvent::MouseMove, middle, plot_->viewport()->mapToGlobal(middle),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot_->viewport(), &move);
    QApplication::processEvents();
    EXPECT_TRUE(pointer->text().startsWith(QStringLiteral("x = ")))
        << pointer->text().toStdString();
    EXPECT_LE(pointer->text().size(), 120);
    EXPECT_LE(view_->frameGeometry().width(), view_->screen()->availableGeometry().width());
}

}  // namespace

namespace {

// Every column heading and every curve of the view says what it is.
TEST_F(RunPlotTest, EveryHeadingAndCurveHasATooltip) {
    for (const Answer choice : {Answer::Yes, Answer::No}) {
        Open(choice, {"0", "16", "0.5", std::nullopt});
        const QAbstractItemModel* model =
            view_->findChild<QTableView*>(QStringLiteral("table"))->model();
        for (int column = 0; column < model->columnCount(); ++column) {
            EXPECT_FALSE(
                model->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty())
                << model->headerData(column, Qt::Horizontal, Qt::DisplayRole)
                       .toString()
                       .toStdString();
        }
        const std::vector<QLineSeries*> lines = plot_->Lines();
        ASSERT_FALSE(lines.empty());
        for (const QLineSeries* line : lines) {
            const auto* entry =
                view_->findChild<QCheckBox*>(QStringLiteral("show") + line->objectName());
            ASSERT_NE(entry, nullptr) << line->objectName().toStdString();
            EXPECT_FALSE(entry->toolTip().isEmpty()) << line->objectName().toStdString();
        }
    }
}

}  // namespace
