#include <optional>
#include <random>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <gtest/gtest.h>

#include "dialogues/dialoguelayout.h"
#include "numtext/formatnumber.h"
#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "view/coordinatestablemodel.h"
#include "view/runplot.h"
#include "view/tableplotdialog.h"
#include "window/form1.h"

namespace {

QStringList TextLines(const SweepState& state) {
    QStringList lines = QString::fromStdString(state.CoordinatesText).split(QStringLiteral("\r\n"));
    lines.removeLast();  // after the last CR LF
    return lines;
}

TEST(CoordinatesTable, XAndYAreTheTextsLineForLineOnRandomRuns) {
    std::mt19937 random(88);
    std::uniform_real_distribution<double> start(-15, 5);
    std::uniform_real_distribution<double> length(0, 20);
    std::uniform_int_distribution<int> lines(1, 300);
    for (int trial = 0; trial < 30; ++trial) {
        const double first = start(random);
        const double last = first + length(random);
        const Answer choice = trial % 2 == 0 ? Answer::Yes : Answer::No;
        const Tabulation run =
            RunScripted(choice, {std::to_string(first), std::to_string(last),
                                 std::to_string((last - first) / lines(random)), "1e-7"});
        const CoordinatesTableModel model(run.record, nullptr);
        const QStringList expected = TextLines(run.state);
        ASSERT_EQ(model.rowCount(), expected.size());
        ASSERT_EQ(model.columnCount(), choice == Answer::Yes ? 17 : 5);
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString line = QStringLiteral("(%1;%2)").arg(
                model.index(row, 1).data().toString(), model.index(row, 2).data().toString());
            ASSERT_EQ(line, expected[row]) << "run " << trial << ", row " << row;
        }
    }
}

TEST(CoordinatesTable, MarksRowsWhoseSeriesIsNotGuaranteed) {
    const RunRecord record = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt}).record;
    const CoordinatesTableModel model(record, nullptr);
    EXPECT_EQ(model.headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Точность гарантирована"));
    for (int row = 0; row < model.rowCount(); ++row) {
        const bool guaranteed = row < 2;  // 10 and 11
        SCOPED_TRACE(row);
        EXPECT_EQ(model.index(row, 3).data().toString(),
                  guaranteed ? QStringLiteral("да") : QStringLiteral("нет"));
        EXPECT_EQ(model.index(row, 1).data(Qt::BackgroundRole).isValid(), !guaranteed);
    }
}

// The dialogue, for a run, shown.
class TablePlotTest : public testing::Test {
protected:
    void Open(Tabulation run) {
        run_ = std::move(run);
        view_.emplace(nullptr, run_);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view_));
    }

    void ShowThePlot() {
        view_->findChild<QTabWidget*>()->setCurrentIndex(1);
        QApplication::processEvents();
    }

    template <typename T>
    T* Find(const char* name) {
        return view_->findChild<T*>(QString::fromLatin1(name));
    }

    Tabulation run_;
    std::optional<TablePlotDialog> view_;
};

TEST_F(TablePlotTest, IsAModalResizableDialogueOfItsOwn) {
    Open(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(view_->windowTitle(), QStringLiteral("Таблица и график"));
    EXPECT_NE(view_->windowModality(), Qt::NonModal);
    EXPECT_LT(view_->minimumSize().width(), view_->maximumSize().width());
    EXPECT_NE(Find<QTableView>("table"), nullptr);
    EXPECT_NE(Find<RunPlot>("plot"), nullptr);
    EXPECT_TRUE(Find<QPushButton>("closeButton")->isDefault());
}

TEST_F(TablePlotTest, RunWithoutLinesSaysSoAndOffersNothing) {
    Open(RunScripted(Answer::No, {"2", "1", "1"}));
    ASSERT_NE(Find<QLabel>("empty"), nullptr);
    EXPECT_TRUE(Find<QLabel>("empty")->text().startsWith(QStringLiteral("Нет точек")));
    EXPECT_EQ(Find<QTableView>("table"), nullptr);
    EXPECT_EQ(Find<RunPlot>("plot"), nullptr);
    EXPECT_EQ(Find<QPushButton>("saveButton"), nullptr);
    // As small as its words, not a large empty window.
    EXPECT_LT(view_->width(), 600);
    EXPECT_LT(view_->height(), 250);
}

TEST_F(TablePlotTest, CtrlTabTurnsThePagesFromAnywhereInTheView) {
    Open(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}));
    auto* tabs = view_->findChild<QTabWidget*>();
    for (const char* focused : {"closeButton", "saveButton", "printButton"}) {
        SCOPED_TRACE(focused);
        tabs->setCurrentIndex(0);
        auto* button = Find<QPushButton>(focused);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), 1);
        QWidget* now = QApplication::focusWidget();
        QTest::keyClick(now, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(tabs->currentIndex(), 0);
    }
}

TEST_F(TablePlotTest, HeadingsShowWholeEvenInBoldAsTheCurrentColumn) {
    Open(RunScripted(Answer::Yes, {"0", "16", "0.05", std::nullopt}));
    QTableView* table = Find<QTableView>("table");
    QHeaderView* header = table->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetricsF metrics(bold);
    for (int column = 0; column < header->count(); ++column) {
        const QString heading = table->model()->headerData(column, Qt::Horizontal).toString();
        SCOPED_TRACE(heading.toStdString());
        const QStringList lines = LinesAtBlanks(heading, header->sectionSize(column) - 8, metrics);
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), header->sectionSize(column) - 8);
        }
        EXPECT_LE(static_cast<double>(lines.size()) * metrics.lineSpacing(), header->height());
    }
}

TEST_F(TablePlotTest, AbscissaOfManyDigitsIsCappedWithTheWholeValueInItsTooltip) {
    Open(RunScripted(Answer::No, {"1e300", "1e300", "1"}));
    QTableView* table = Find<QTableView>("table");
    const QModelIndex x = table->model()->index(0, 1);
    // 301 digits and ".0" would make the column wider than any screen.
    EXPECT_LT(table->horizontalHeader()->sectionSize(1),
              table->fontMetrics().horizontalAdvance(QString(30, QLatin1Char('8'))));
    EXPECT_EQ(x.data(Qt::ToolTipRole).toString(), QStringLiteral("1e+300"));
    EXPECT_EQ(x.data(Qt::DisplayRole).toString().size(), 303);  // the whole text, elided on screen
}

TEST_F(TablePlotTest, SaveOffersTheTablesFormsFirst) {
    Open(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}));
    QStringList filters;
    QString name;
    ModalAnswerer answerer({[&](QDialog& box) {
        auto* files = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(files, nullptr);
        filters = files->nameFilters();
        name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        box.reject();
    }});
    Find<QPushButton>("saveButton")->click();
    ASSERT_EQ(filters.size(), 4);
    EXPECT_EQ(filters.front(), QStringLiteral("CSV для таблиц, десятичная запятая (*.csv)"));
    EXPECT_EQ(filters.back(), QStringLiteral("Текст (*.txt)"));
    EXPECT_EQ(name, QStringLiteral("таблица.csv"));
}

// The cursor as each view is built and as it is first drawn.
TEST(TablePlotView, BusyCursorShowsWhileALargeViewIsBuilt) {
    const struct {
        const char* last;
        bool busy;
    } runs[] = {{"9", false}, {"299998", false}, {"299999", true}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.last);
        // Closed-form lines from 0 by 1: one more than the last abscissa.
        const Tabulation lines = RunScripted(Answer::No, {"0", run.last, "1"});
        ASSERT_EQ(lines.record.LineCount() >= kBusyViewLines, run.busy);
        std::optional<TablePlotDialog> view(std::in_place, nullptr, lines);
        const QCursor* built = QGuiApplication::overrideCursor();
        EXPECT_EQ(built != nullptr && built->shape() == Qt::WaitCursor, run.busy);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view));
        QTest::qWait(1);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "gone once the view is drawn";
        view.reset();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    // A view closed before it was ever shown leaves the cursor as it was.
    const Tabulation lines = RunScripted(Answer::No, {"0", "299999", "1"});
    std::optional<TablePlotDialog> unseen(std::in_place, nullptr, lines);
    unseen.reset();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(TablePlotTest, CopiesTheSelectionAsTabSeparatedText) {
    Open(RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt}));
    QTableView* table = Find<QTableView>("table");
    ASSERT_NE(table, nullptr);
    table->setFocus();
    const QAbstractItemModel* model = table->model();
    table->selectionModel()->select(QItemSelection(model->index(0, 1), model->index(1, 2)),
                                    QItemSelectionModel::Select);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    // At full precision, as the files hold the reals, though the table shows -0.02.
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("-0.02"));
    std::string expected;
    for (size_t row = 0; row < 2; ++row) {
        AppendShortestNumber(expected, run_.record.X()[row]);
        expected += '\t';
        AppendShortestNumber(expected, run_.record.Y()[row]);
        expected += '\n';
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromStdString(expected));
}

TEST_F(TablePlotTest, CopiesSeveralRangesAsUtf8InOnePass) {
    Open(RunScripted(Answer::Yes, {"0", "1", "0.1", std::nullopt}));
    QTableView* table = Find<QTableView>("table");
    ASSERT_NE(table, nullptr);
    table->setFocus();
    const QAbstractItemModel* model = table->model();
    // Two ranges apart: rows 0-1 of "№" and "x", row 3 of "Точность гарантирована".
    table->selectionModel()->select(QItemSelection(model->index(0, 0), model->index(1, 1)),
                                    QItemSelectionModel::Select);
    table->selectionModel()->select(QItemSelection(model->index(3, 3), model->index(3, 3)),
                                    QItemSelectionModel::Select);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->data(QStringLiteral("text/plain;charset=utf-8")),
              QByteArray("1\t0\t\t\n2\t0.1\t\t\n\t\t\t\n\t\t\tда\n"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("1\t0\t\t\n2\t0.1\t\t\n\t\t\t\n\t\t\tда\n"));
}

TEST_F(TablePlotTest, PlotDrawsEveryLineThinnedAndRedrawsOnZoom) {
    Open(RunScripted(Answer::Yes, {"-16", "16", "0.0005", std::nullopt}));  // 64,001 lines
    ShowThePlot();
    RunPlot* plot = Find<RunPlot>("plot");
    ASSERT_NE(plot, nullptr);
    const int columns = static_cast<int>(plot->chart()->plotArea().width());
    for (const char* name : {"values", "closedForm", "seriesError", "closedFormError"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(plot->Line(name), nullptr);
        EXPECT_GT(plot->Line(name)->count(), 2);
        EXPECT_LE(plot->Line(name)->count(), 2 * columns + 2);
    }
    EXPECT_EQ(plot->Line("precision")->count(), 2);
    // A rectangle dragged over the middle tenth of the plot's width.
    const QRectF area = plot->chart()->plotArea();
    const QPoint from = plot->mapFromScene(QPointF(area.left() + 0.45 * area.width(), area.top()));
    const QPoint to = plot->mapFromScene(QPointF(area.left() + 0.55 * area.width(), area.bottom()));
    QTest::mousePress(plot->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(plot->viewport(), to);
    QTest::mouseRelease(plot->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    const auto [low, high] = plot->ShownRange(RunPlot::Axis::X);
    EXPECT_NEAR(low, -1.7, 0.25);  // a tenth of [-16.96, 16.96], to a few pixels
    EXPECT_NEAR(high, 1.7, 0.25);
    auto* xAxis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).front());
    qsizetype outside = 0;
    for (const QPointF& point : plot->Line("values")->points()) {
        outside += point.x() < xAxis->min() || point.x() > xAxis->max() ? 1 : 0;
    }
    EXPECT_LE(outside, 2) << plot->Line("values")->count() << " points in [" << xAxis->min() << ", "
                          << xAxis->max() << "]";  // the neighbours just outside
    plot->ResetZoom();
    EXPECT_LE(plot->ShownRange(RunPlot::Axis::X).first, -16);
    EXPECT_GE(plot->ShownRange(RunPlot::Axis::X).second, 16);
}

TEST_F(TablePlotTest, PointerShowsTheNearestLine) {
    Open(RunScripted(Answer::No, {"0", "10", "1"}));
    ShowThePlot();
    RunPlot* plot = Find<RunPlot>("plot");
    QLabel* pointer = Find<QLabel>("pointer");
    ASSERT_NE(plot, nullptr);
    ASSERT_NE(pointer, nullptr);
    const QPointF position = plot->PositionOf(3.1, -1);
    QMouseEvent move(QEvent::MouseMove, position, plot->viewport()->mapToGlobal(position),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot->viewport(), &move);
    // The line's own texts, then y* and the error against it.
    EXPECT_TRUE(pointer->text().startsWith(QStringLiteral("x = 3.0; y = -0.04; точное = ")))
        << pointer->text().toStdString();
    EXPECT_TRUE(pointer->text().contains(QStringLiteral("; |формула − точное| = ")));
}

TEST(CoordinatesBox, OffersTheViewAndSavingBesideOk) {
    Form1 form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QString viewTitle;
    QPointer<QDialog> coordinatesBox;
    const auto checkAndOpenTheView = [&](QDialog& box) {
        coordinatesBox = &box;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Вывод функции"));
        EXPECT_EQ(ShownText(box), QStringLiteral("Полученные координаты\n\n"));
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("okButton"));
        auto* view = box.findChild<QPushButton*>(QStringLiteral("tablePlotButton"));
        auto* save = box.findChild<QPushButton*>(QStringLiteral("saveButton"));
        ASSERT_NE(view, nullptr);
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(view->text(), QStringLiteral("Таблица и график…"));
        EXPECT_EQ(save->text(), QStringLiteral("Сохранить…"));
        EXPECT_TRUE(ok->isDefault());
        // Tab walks from the text along the buttons as they stand.
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("prompt"));
        for (const QPushButton* next : {view, save, ok}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next) << next->text().toStdString();
        }
        // Enter presses the button that has the keys; "ОК" again once the text has them.
        QWidget* prompt = box.findChild<QWidget*>(QStringLiteral("prompt"));
        for (QWidget* back : std::initializer_list<QWidget*>{save, view, prompt}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_EQ(QApplication::focusWidget(), back) << back->objectName().toStdString();
        }
        EXPECT_TRUE(ok->isDefault());
        QTest::keyClick(prompt, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), view);
        EXPECT_TRUE(view->isDefault());
        // The view opens over the box.
        QTimer::singleShot(0, view, [view] { QTest::keyClick(view, Qt::Key_Return); });
    };
    ModalAnswerer answerer(
        {checkAndOpenTheView, [&](QDialog& view) {
             viewTitle = view.windowTitle();
             EXPECT_NE(view.findChild<QLabel*>(QStringLiteral("empty")), nullptr);
             ClickButton(view, "closeButton");
             // Back in the box, which a timer of the answerer's own
             // cannot reach from inside this handler.
             QTimer::singleShot(0, coordinatesBox,
                                [&] { ClickButton(*coordinatesBox, "okButton"); });
         }});
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
    EXPECT_EQ(viewTitle, QStringLiteral("Таблица и график"));
}

}  // namespace
