// Speed of the window: from process start to a shown window, the opening of
// the coordinates box for a 1,000,000-line run, and for 1,000,000-line series
// runs the table-and-plot view: opening it (and the memory it adds), a zoom
// redraw of its plot, and saving its table as CSV. Runs on Qt's offscreen
// platform unless another is asked for.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QValueAxis>
#include <QWindow>
#include <benchmark/benchmark.h>

#include "analysis/taylor.h"
#include "app/russiantranslations.h"
#include "saving/runsaving.h"
#include "support/modalanswerer.h"
#include "support/scripteddialogues.h"
#include "view/runplot.h"
#include "view/tableplotdialog.h"
#include "view/taylorplot.h"
#include "window/form1.h"

extern char** environ;

namespace {

constexpr char kProbeVariable[] = "TABULATOR_STARTUP_PROBE";

std::int64_t MonotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Processes events until `window` is on screen.
void WaitUntilExposed(QWidget& window) {
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
}

// The probe process: starts as the program does and prints the monotonic
// time at which its window is first shown.
int RunStartupProbe(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tabulator.Tabulator"));
    InstallRussianTranslations(app);
    Form1 form;
    form.show();
    WaitUntilExposed(form);
    std::printf("%lld\n", static_cast<long long>(MonotonicNs()));
    return 0;
}

std::string selfPath;

void StartupToShownWindow(benchmark::State& state) {
    for (auto _ : state) {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            state.SkipWithError("pipe failed");
            break;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        char* childArgv[] = {selfPath.data(), nullptr};
        const std::int64_t start = MonotonicNs();
        pid_t child = 0;
        const int spawned =
            posix_spawn(&child, selfPath.c_str(), &actions, nullptr, childArgv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        char line[32] = {};
        const ssize_t got = spawned == 0 ? read(pipeEnds[0], line, sizeof line - 1) : -1;
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got <= 0) {
            state.SkipWithError("the probe did not report");
            break;
        }
        state.SetIterationTime(static_cast<double>(std::atoll(line) - start) * 1e-9);
    }
}
BENCHMARK(StartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

ModalAnswerer::Handler Press(const char* button) {
    return [button](QDialog& dialogue) {
        dialogue.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
}

ModalAnswerer::Handler Type(const char* text) {
    return [text](QDialog& dialogue) {
        dialogue.findChild<QLineEdit*>(QStringLiteral("input"))->setText(QString::fromLatin1(text));
        dialogue.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    };
}

void OpenMillionLineCoordinates(benchmark::State& state) {
    Form1 form;
    form.show();
    WaitUntilExposed(form);
    {
        ModalAnswerer answers({Press("noButton"), Type("1"), Type("1000000"), Type("1")});
        form.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
    }
    for (auto _ : state) {
        QElapsedTimer clock;
        double openSeconds = 0;
        ModalAnswerer answers({[&](QDialog& box) {
            WaitUntilExposed(box);
            openSeconds = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
            box.accept();
        }});
        clock.start();
        form.findChild<QPushButton*>(QStringLiteral("Command5"))->click();
        state.SetIterationTime(openSeconds);
    }
}
BENCHMARK(OpenMillionLineCoordinates)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The 1,000,000-line series runs the view is measured on: over [-1, 1), where
// the series takes at most six terms, and over [25, 26) at precision 1e-12,
// where it takes about 80 and its sweep alone takes seconds.
const Tabulation& MillionLineSeriesRun(int which) {
    static const Tabulation runs[] = {
        RunScripted(Answer::Yes, {"-1", "0.999998", "0.000002", std::nullopt}),
        RunScripted(Answer::Yes, {"25", "25.999999", "1e-6", "1e-12"}),
    };
    return runs[which];
}

// The process's resident memory, in bytes.
double ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

void OpenMillionLineView(benchmark::State& state) {
    const Tabulation& run = MillionLineSeriesRun(static_cast<int>(state.range(0)));
    double addedBytes = 0;
    for (auto _ : state) {
        const double before = ResidentBytes();
        QElapsedTimer clock;
        clock.start();
        TablePlotDialog view(nullptr, run);
        view.show();
        WaitUntilExposed(view);
        QCoreApplication::processEvents();  // the first paint of the table and the plot
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        addedBytes = std::max(addedBytes, ResidentBytes() - before);
    }
    state.counters["added_MB"] = addedBytes / (1 << 20);
}
BENCHMARK(OpenMillionLineView)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void ZoomMillionLinePlot(benchmark::State& state) {
    const Tabulation& run = MillionLineSeriesRun(0);
    TablePlotDialog view(nullptr, run);
    view.show();
    WaitUntilExposed(view);
    auto* plot = view.findChild<RunPlot*>(QStringLiteral("plot"));
    auto* xAxis = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).front());
    double width = 1.0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        xAxis->setRange(-width, width);  // redraws every line for the new range
        plot->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        width = width > 0.01 ? width / 2 : 1.0;
    }
}
BENCHMARK(ZoomMillionLinePlot)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The Taylor page choosing another n through its spin box, redrawn, against
// its arithmetic alone (the samples at two per pixel column and the good
// interval) in the same run; for a million-line run of 6 and of 80 terms.
void TaylorChangeN(benchmark::State& state) {
    const Tabulation& run = MillionLineSeriesRun(static_cast<int>(state.range(0)));
    TablePlotDialog view(nullptr, run);
    view.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(2);
    view.show();
    WaitUntilExposed(view);
    auto* plot = view.findChild<TaylorPlot*>(QStringLiteral("taylorPlot"));
    auto* degree = view.findChild<QSpinBox*>(QStringLiteral("taylorDegree"));
    const int columns = static_cast<int>(plot->chart()->plotArea().width());
    const auto [low, high] = std::ranges::minmax(run.record.X());
    const double reach = std::max(std::fabs(low), std::fabs(high));
    int n = 1;
    double frontEnd = 0;
    double core = 0;
    for (auto _ : state) {
        n = n % degree->maximum() + 1;
        QElapsedTimer clock;
        clock.start();
        degree->setValue(n);
        plot->viewport()->repaint();
        const double shown = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        clock.restart();
        std::vector<int> degrees = {n};
        const std::vector<int> earlier = plot->EarlierDegrees();
        degrees.insert(degrees.end(), earlier.begin(), earlier.end());
        benchmark::DoNotOptimize(SampleTaylor(low, high, 2 * columns, degrees));
        benchmark::DoNotOptimize(GoodRadius(n, run.record.recipe.precision, reach));
        const double alone = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        state.SetIterationTime(shown);
        frontEnd += shown;
        core += alone;
    }
    state.counters["core_ms"] = core * 1e3 / static_cast<double>(state.iterations());
    state.counters["over_core"] = frontEnd / core;
}
// The Taylor page made and drawn the first time its tab is shown, for a
// million-line run of 6 and of 80 terms.
void TaylorFirstShown(benchmark::State& state) {
    const Tabulation& run = MillionLineSeriesRun(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TablePlotDialog view(nullptr, run);
        view.show();
        WaitUntilExposed(view);
        QCoreApplication::processEvents();
        auto* tabs = view.findChild<QTabWidget*>(QStringLiteral("tabs"));
        QElapsedTimer clock;
        clock.start();
        tabs->setCurrentIndex(2);
        view.findChild<TaylorPlot*>(QStringLiteral("taylorPlot"))->viewport()->repaint();
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    }
}
BENCHMARK(TaylorFirstShown)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(TaylorChangeN)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void SaveMillionLineCsv(benchmark::State& state) {
    const Tabulation& run = MillionLineSeriesRun(static_cast<int>(state.range(0)));
    const QString path = QDir::temp().filePath(QStringLiteral("tabulator-bench.csv"));
    for (auto _ : state) {
        if (!SaveRunAs(run, {path, SaveForm::CsvComma}).isEmpty()) {
            state.SkipWithError("the CSV could not be written");
            break;
        }
    }
    QFile::remove(path);
}
BENCHMARK(SaveMillionLineCsv)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ctrl+A, Ctrl+C over a million rows in the view, beside saving the same
// table as CSV, in one run: the time of each and their ratio, the memory the
// copy adds (its text stays on the clipboard) beside the CSV file's size.
void CopyAgainstCsv(benchmark::State& state) {
    const Tabulation& run = MillionLineSeriesRun(static_cast<int>(state.range(0)));
    const QString path = QDir::temp().filePath(QStringLiteral("tabulator-bench-copy.csv"));
    double copySeconds = 0;
    double csvSeconds = 0;
    double addedBytes = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        SaveRunAs(run, {path, SaveForm::CsvPoint});
        csvSeconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        TablePlotDialog view(nullptr, run);
        view.show();
        WaitUntilExposed(view);
        auto* table = view.findChild<QTableView*>(QStringLiteral("table"));
        table->setFocus();
        table->selectAll();
        QGuiApplication::clipboard()->clear();
        const double before = ResidentBytes();
        clock.restart();
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        copySeconds += static_cast<double>(clock.nsecsElapsed()) * 1e-9;
        addedBytes = std::max(addedBytes, ResidentBytes() - before);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        if (QGuiApplication::clipboard()->text().isEmpty()) {
            state.SkipWithError("nothing was copied");
            break;
        }
        QGuiApplication::clipboard()->clear();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["copy_s"] = copySeconds / runs;
    state.counters["csv_s"] = csvSeconds / runs;
    state.counters["copy_to_csv"] = copySeconds / csvSeconds;
    state.counters["copy_added_MB"] = addedBytes / (1 << 20);
    state.counters["csv_file_MB"] = static_cast<double>(QFileInfo(path).size()) / (1 << 20);
    QFile::remove(path);
}
BENCHMARK(CopyAgainstCsv)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (std::getenv(kProbeVariable) != nullptr) {
        return RunStartupProbe(argc, argv);
    }
    selfPath = argv[0];
    setenv(kProbeVariable, "1", 1);  // for the probes only: this process reads it no more
    QApplication app(argc, argv);
    InstallRussianTranslations(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
