#include <csignal>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <gtest/gtest.h>

#include "evaluation/table.h"
#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "window/coordinatestablemodel.h"
#include "window/decimation.h"
#include "window/form1.h"
#include "window/runplot.h"
#include "window/runpoints.h"
#include "window/tableplotdialog.h"
#include "window/tablesaving.h"

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
    for (int run = 0; run < 30; ++run) {
        const double first = start(random);
        const double last = first + length(random);
        const Answer choice = run % 2 == 0 ? Answer::Yes : Answer::No;
        const SweepState state =
            RunScripted(choice, {std::to_string(first), std::to_string(last),
                                 std::to_string((last - first) / lines(random)), "1e-7"});
        const RunPoints points = ComputeRunPoints(state);
        const CoordinatesTableModel model(state, points, nullptr);
        const QStringList expected = TextLines(state);
        ASSERT_EQ(model.rowCount(), expected.size());
        ASSERT_EQ(model.columnCount(), choice == Answer::Yes ? 9 : 3);
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString line = QStringLiteral("(%1;%2)").arg(
                model.index(row, 1).data().toString(), model.index(row, 2).data().toString());
            ASSERT_EQ(line, expected[row]) << "run " << run << ", row " << row;
        }
    }
}

TEST(CoordinatesTable, MarksRowsWhoseSeriesIsNotGuaranteed) {
    const SweepState state = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt});
    const RunPoints points = ComputeRunPoints(state);
    const CoordinatesTableModel model(state, points, nullptr);
    EXPECT_EQ(model.headerData(8, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Точность гарантирована"));
    for (int row = 0; row < model.rowCount(); ++row) {
        const bool guaranteed = row < 2;  // 10 and 11
        SCOPED_TRACE(row);
        EXPECT_EQ(model.index(row, 8).data().toString(),
                  guaranteed ? QStringLiteral("да") : QStringLiteral("нет"));
        EXPECT_EQ(model.index(row, 1).data(Qt::BackgroundRole).isValid(), !guaranteed);
    }
}

TEST(Decimation, HeaderExamples) {
    const std::vector<double> xs = {0, 1, 2, 3};
    const std::vector<double> ys = {0, 5, -5, 0};
    EXPECT_EQ(DecimatePerColumn(xs, ys, 0, 3, 1), (QList<QPointF>{{1, 5}, {2, -5}}));
    const QList<QPointF> all = {{0, 0}, {1, 5}, {2, -5}, {3, 0}};
    EXPECT_EQ(DecimatePerColumn(xs, ys, 0, 3, 2), all);
    EXPECT_EQ(DecimatePerColumn(xs, ys, 1, 2, 1), all);
    EXPECT_EQ(NearestIndex(xs, 0.4), 0u);
    EXPECT_EQ(NearestIndex(xs, 0.6), 1u);
    EXPECT_EQ(NearestIndex(xs, 9), 3u);
    EXPECT_EQ(NearestIndex({2, 1, 0}, 0.4), 2u);
}

TEST(Decimation, KeepsEveryColumnsLowestAndHighestPoint) {
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 1);
    for (const bool rising : {true, false}) {
        std::vector<double> xs;
        std::vector<double> ys;
        for (int i = 0; i < 100'000; ++i) {
            xs.push_back(rising ? i * 0.01 : -i * 0.01);
            ys.push_back(noise(random) + (i == 31'337 ? 1e6 : 0));  // one lone peak
        }
        const double xMin = rising ? 100 : -900;
        const double xMax = rising ? 900 : -100;
        constexpr int kColumns = 640;
        const QList<QPointF> kept = DecimatePerColumn(xs, ys, xMin, xMax, kColumns);
        EXPECT_LE(kept.size(), 2 * kColumns + 2);
        // Every column's extremes, found the slow way, are among the kept points.
        std::vector<std::optional<size_t>> lowest(kColumns);
        std::vector<std::optional<size_t>> highest(kColumns);
        for (size_t i = 0; i < xs.size(); ++i) {
            if (xs[i] < xMin || xs[i] > xMax) {
                continue;
            }
            const auto column =
                std::min(static_cast<size_t>((xs[i] - xMin) / (xMax - xMin) * kColumns),
                         size_t{kColumns - 1});
            if (!lowest[column] || ys[i] < ys[*lowest[column]]) {
                lowest[column] = i;
            }
            if (!highest[column] || ys[i] > ys[*highest[column]]) {
                highest[column] = i;
            }
        }
        for (int column = 0; column < kColumns; ++column) {
            for (const auto& index : {lowest[column], highest[column]}) {
                ASSERT_TRUE(index.has_value());
                ASSERT_TRUE(kept.contains(QPointF(xs[*index], ys[*index])))
                    << "column " << column << " rising " << rising;
            }
        }
        EXPECT_TRUE(kept.contains(QPointF(xs[31'337], ys[31'337])));
        // In sweep order, as the sweep drew them.
        for (qsizetype i = 1; i < kept.size(); ++i) {
            ASSERT_EQ(kept[i].x() > kept[i - 1].x(), rising);
        }
    }
}

// The dialogue, for a run, shown.
class TablePlotTest : public testing::Test {
protected:
    void Open(const SweepState& run) {
        run_ = run;
        view_.emplace(nullptr, run_);
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*view_));
    }

    template <typename T>
    T* Find(const char* name) {
        return view_->findChild<T*>(QString::fromLatin1(name));
    }

    SweepState run_;
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
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("0.1\t-0.02\n0.2\t-0.079\n"));
}

TEST_F(TablePlotTest, PlotDrawsEveryLineThinnedAndRedrawsOnZoom) {
    Open(RunScripted(Answer::Yes, {"-16", "16", "0.0005", std::nullopt}));  // 64,001 lines
    RunPlot* plot = Find<RunPlot>("plot");
    ASSERT_NE(plot, nullptr);
    const int columns = static_cast<int>(plot->chart()->plotArea().width());
    for (const char* name : {"values", "closedForm", "difference"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(plot->Line(name), nullptr);
        EXPECT_GT(plot->Line(name)->count(), 2);
        EXPECT_LE(plot->Line(name)->count(), 2 * columns + 2);
    }
    EXPECT_EQ(plot->Line("precision")->count(), 2);
    auto* xAxis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).front());
    xAxis->setRange(1, 2);
    for (const QPointF& point : plot->Line("values")->points()) {
        EXPECT_GE(point.x(), 1 - 0.0005 - 1e-9);  // the neighbours just outside are kept
        EXPECT_LE(point.x(), 2 + 0.0005 + 1e-9);
    }
    plot->ResetZoom();
    EXPECT_LE(xAxis->min(), -16);
    EXPECT_GE(xAxis->max(), 16);
}

TEST_F(TablePlotTest, PointerShowsTheNearestLine) {
    Open(RunScripted(Answer::No, {"0", "10", "1"}));
    RunPlot* plot = Find<RunPlot>("plot");
    QLabel* pointer = Find<QLabel>("pointer");
    ASSERT_NE(plot, nullptr);
    ASSERT_NE(pointer, nullptr);
    const QPointF scene = plot->chart()->mapToPosition(QPointF(3.1, -1));
    const QPointF position = plot->mapFromScene(scene);
    QMouseEvent move(QEvent::MouseMove, position, plot->viewport()->mapToGlobal(position),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot->viewport(), &move);
    EXPECT_EQ(pointer->text(), QStringLiteral("x = 3.0; y = -0.04"));
}

TEST(TableSaving, ChoosesTheFormByTheNameThenByTheFilter) {
    const struct {
        const char* typed;
        bool csvFilter;
        const char* path;
        bool csv;
    } rows[] = {
        {"a.csv", false, "a.csv", true},    {"a.TXT", true, "a.TXT", false},
        {"a", true, "a.csv", true},         {"a", false, "a.txt", false},
        {"a.dat", true, "a.dat.csv", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        const SaveTarget target = ChooseSaveTarget(QString::fromLatin1(row.typed), row.csvFilter);
        EXPECT_EQ(target.path, QString::fromLatin1(row.path));
        EXPECT_EQ(target.csv, row.csv);
    }
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

TEST(TableSaving, WritesTheBytesExactly) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("координаты.txt"));
    const std::string text = "(0.1;-0.02)\r\n(0.2;-0.079)\r\n";
    EXPECT_EQ(WriteFileAtomically(path, text), QString());
    EXPECT_EQ(FileBytes(path), QByteArray::fromStdString(text));
}

TEST(TableSaving, FailureNamesTheCauseAndLeavesTheEarlierFileIntact) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.txt"));
    ASSERT_EQ(WriteFileAtomically(path, "earlier"), QString());
    // A folder that vanished, and a "folder" that is a file.
    EXPECT_TRUE(WriteFileAtomically(folder.filePath(QStringLiteral("gone/a.txt")), "x")
                    .startsWith(QStringLiteral("папка «")));
    EXPECT_TRUE(WriteFileAtomically(path + QStringLiteral("/b.txt"), "x")
                    .endsWith(QStringLiteral("— не папка")));
    // A disk that fills up: the process may write no more than 4 KiB per file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = WriteFileAtomically(path, std::string(100'000, 'y'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(failure,
              QStringLiteral("данные не записаны до конца (возможно, на диске нет места)"));
    EXPECT_EQ(FileBytes(path), QByteArray("earlier"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"a.txt"}));  // no leftovers
}

// Saves the run through the file dialogue, typing `name` and choosing the
// filter; answers a failure message into `failure`.
void SaveThroughTheDialogue(const SweepState& run, const QString& path, bool csv,
                            QString* failure = nullptr) {
    QString title;
    QString text;
    std::vector<ModalAnswerer::Handler> handlers = {[&](QDialog& box) {
        auto* files = qobject_cast<QFileDialog*>(&box);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->nameFilters(),
                  QStringList({QStringLiteral("Текст (*.txt)"), QStringLiteral("CSV (*.csv)")}));
        files->selectNameFilter(files->nameFilters()[csv ? 1 : 0]);
        files->setDirectory(QFileInfo(path).path());
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QFileInfo(path).fileName());  // as typed
        EXPECT_EQ(files->selectedFiles(), QStringList({path}));
        static_cast<QDialog*>(files)->accept();  // as its "Save" button does
    }};
    if (failure != nullptr) {
        handlers.push_back(ReadMessage(title, text));
    }
    ModalAnswerer answerer(handlers);
    QWidget owner;
    SaveRun(&owner, run);
    if (failure != nullptr) {
        EXPECT_EQ(title, QStringLiteral("Файл не сохранён"));
        *failure = text;
    }
}

TEST(TableSaving, SavesTheTextOrTheCsvThroughTheFileDialogue) {
    const SweepState run = RunScripted(Answer::Yes, {"10", "16", "1", std::nullopt});
    QTemporaryDir folder;
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("run")), false);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("run.txt"))),
              QByteArray::fromStdString(run.CoordinatesText));
    SaveThroughTheDialogue(run, folder.filePath(QStringLiteral("run")), true);
    EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("run.csv"))),
              QByteArray::fromStdString(TableCsv(run)));
}

TEST(TableSaving, DialogueTellsOfAFailure) {
    const SweepState run = RunScripted(Answer::No, {std::nullopt, std::nullopt, std::nullopt});
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("file.txt"));
    ASSERT_EQ(WriteFileAtomically(path, "x"), QString());
    QString failure;
    SaveThroughTheDialogue(run, path + QStringLiteral("/inside.txt"), false, &failure);
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Не удалось сохранить файл «")))
        << failure.toStdString();
    EXPECT_TRUE(failure.contains(QStringLiteral("Прежний файл, если он был, не изменён")));
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
        QTimer::singleShot(0, view, &QPushButton::click);  // the view opens over the box
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
