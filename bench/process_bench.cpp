// The program as its users start it, whole processes, each measured beside
// its baseline in the same run, the two timed alternately so that a machine
// that speeds up or slows down touches both alike: CPU time (the child's own,
// from wait4), wall time and peak resident memory.
//   the command line against a driver of the core library alone;
//   a closed-form line through the command line against a bare loop;
//   --csv against --print; --xlsx against libxlsxwriter writing the same
//   cells with nothing computed.
// The same binary is the driver, the bare loop and the floor, started with
// one of their options.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <xlsxwriter.h>

#include <benchmark/benchmark.h>

#include "bench/floorloop.h"
#include "evaluation/sweep.h"
#include "numtext/readnumber.h"
#include "support/scripteddialogues.h"

namespace {

struct Measured {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double peakMegabytes = 0;
};

// Runs a command with standard output and error thrown away.
Measured RunProcess(const std::vector<std::string>& command) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        std::vector<char*> arguments;
        for (const std::string& word : command) {
            arguments.push_back(const_cast<char*>(word.c_str()));
        }
        arguments.push_back(nullptr);
        execv(arguments[0], arguments.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measured measured;
    measured.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    measured.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    measured.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024;
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "%s ended with status %d\n", command[0].c_str(), status);
        std::exit(1);
    }
    return measured;
}

std::string SelfPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return {path, length > 0 ? static_cast<size_t>(length) : 0};
}

// Times `subject` and `baseline` alternately and reports both and their ratios.
void SubjectAgainstBaseline(benchmark::State& state, const std::vector<std::string>& subject,
                            const std::vector<std::string>& baseline) {
    Measured subjectSum;
    Measured baselineSum;
    for (auto _ : state) {
        const Measured s = RunProcess(subject);
        const Measured b = RunProcess(baseline);
        subjectSum.wallSeconds += s.wallSeconds;
        subjectSum.cpuSeconds += s.cpuSeconds;
        subjectSum.peakMegabytes = std::max(subjectSum.peakMegabytes, s.peakMegabytes);
        baselineSum.wallSeconds += b.wallSeconds;
        baselineSum.cpuSeconds += b.cpuSeconds;
        baselineSum.peakMegabytes = std::max(baselineSum.peakMegabytes, b.peakMegabytes);
        state.SetIterationTime(s.wallSeconds);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["cpu_s"] = subjectSum.cpuSeconds / n;
    state.counters["base_cpu_s"] = baselineSum.cpuSeconds / n;
    state.counters["cpu_ratio"] = subjectSum.cpuSeconds / baselineSum.cpuSeconds;
    state.counters["wall_ratio"] = subjectSum.wallSeconds / baselineSum.wallSeconds;
    state.counters["peak_MB"] = subjectSum.peakMegabytes;
    state.counters["base_peak_MB"] = baselineSum.peakMegabytes;
}

const std::string kTabulator = TABULATOR_BINARY;

struct Run {
    const char* mode;  // "--series" or "--closed-form"
    const char* start;
    const char* end;
    const char* step;
    const char* precision;  // series only
};

const Run kSeriesFrom25 = {"--series", "25", "25.199999", "1e-6", "1e-12"};
const Run kClosedForm = {"--closed-form", "0", "0.999999", "1e-6", nullptr};

std::vector<std::string> Print(const Run& run, std::vector<std::string> extra = {}) {
    std::vector<std::string> command = {kTabulator, "--print", run.mode, "--start", run.start,
                                        "--end",    run.end,   "--step", run.step};
    if (run.precision != nullptr) {
        command.insert(command.end(), {"--precision", run.precision});
    }
    command.insert(command.end(), extra.begin(), extra.end());
    return command;
}

std::vector<std::string> CoreDriver(const Run& run) {
    return {SelfPath(),
            "--core-driver",
            run.mode,
            run.start,
            run.end,
            run.step,
            run.precision != nullptr ? run.precision : ""};
}

void CommandLineAgainstCore(benchmark::State& state, const Run& run) {
    SubjectAgainstBaseline(state, Print(run), CoreDriver(run));
}
BENCHMARK_CAPTURE(CommandLineAgainstCore, series_from_25, kSeriesFrom25)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CommandLineAgainstCore, closed_form, kClosedForm)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void ClosedFormAgainstBareLoop(benchmark::State& state) {
    SubjectAgainstBaseline(
        state, Print(kClosedForm),
        {SelfPath(), "--bare-loop", kClosedForm.start, kClosedForm.end, kClosedForm.step});
}
BENCHMARK(ClosedFormAgainstBareLoop)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void CsvAgainstPrint(benchmark::State& state, const Run& run) {
    SubjectAgainstBaseline(state, Print(run, {"--csv"}), Print(run));
}
BENCHMARK_CAPTURE(CsvAgainstPrint, closed_form, kClosedForm)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CsvAgainstPrint, series_from_25, kSeriesFrom25)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void XlsxAgainstFloor(benchmark::State& state) {
    const std::string book = "/tmp/tabulator-bench.xlsx";
    const std::string floor = "/tmp/tabulator-bench-floor.xlsx";
    SubjectAgainstBaseline(state, Print(kClosedForm, {"--xlsx", book}),
                           {SelfPath(), "--xlsx-floor", floor, "1000000"});
    std::remove(book.c_str());
    std::remove(floor.c_str());
}
BENCHMARK(XlsxAgainstFloor)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

void XlsxAgainstPrint(benchmark::State& state) {
    const std::string book = "/tmp/tabulator-bench.xlsx";
    SubjectAgainstBaseline(state, Print(kClosedForm, {"--xlsx", book}), Print(kClosedForm));
    std::remove(book.c_str());
}
BENCHMARK(XlsxAgainstPrint)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

// The data-entry run through the core library alone, its text to standard output.
int RunCoreDriver(char* argv[]) {
    const bool series = std::strcmp(argv[2], "--series") == 0;
    std::vector<std::optional<std::string>> answers = {argv[3], argv[4], argv[5]};
    if (series) {
        answers.emplace_back(argv[6]);
    }
    SweepState sweep;
    RunRecord record;
    ScriptedDialogues dialogues(series ? Answer::Yes : Answer::No, std::move(answers));
    RunDataEntry(sweep, dialogues, record);
    std::fwrite(sweep.CoordinatesText.data(), 1, sweep.CoordinatesText.size(), stdout);
    return 0;
}

int RunBareLoop(char* argv[]) {
    const std::string text =
        FloorClosedFormText(ReadNumber(argv[2]), ReadNumber(argv[3]), ReadNumber(argv[4]));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

// A book of the closed-form table's shape: a heading row and `rows` rows of
// five numbers, the columns formatted, written as the program writes it.
int RunXlsxFloor(char* argv[]) {
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(argv[2], &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Таблица");
    lxw_format* numbers = workbook_add_format(book);
    format_set_num_format(numbers, "0.000E+00");
    for (lxw_col_t column = 0; column < 5; ++column) {
        worksheet_write_string(sheet, 0, column, "heading", nullptr);
    }
    const long rows = std::atol(argv[3]);
    for (long row = 1; row <= rows; ++row) {
        const double x = static_cast<double>(row) * 1e-6;
        for (lxw_col_t column = 0; column < 5; ++column) {
            worksheet_write_number(sheet, static_cast<lxw_row_t>(row), column,
                                   -x * 0.123456789012345 * (column + 1), numbers);
        }
    }
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "--core-driver") == 0) {
        return RunCoreDriver(argv);
    }
    if (argc > 1 && std::strcmp(argv[1], "--bare-loop") == 0) {
        return RunBareLoop(argv);
    }
    if (argc > 1 && std::strcmp(argv[1], "--xlsx-floor") == 0) {
        return RunXlsxFloor(argv);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
