// Speed and memory of the computation. A coordinate line's cost is measured
// through the whole data-entry run, as a click of the data-entry button pays it.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "analysis/exactvalue.h"
#include "bench/floorloop.h"
#include "evaluation/formulas.h"
#include "evaluation/sweep.h"
#include "numtext/formatnumber.h"
#include "numtext/readnumber.h"
#include "support/scripteddialogues.h"

namespace {

// Live and peak heap bytes, counted by the replaced operator new and delete.
size_t liveBytes = 0;
size_t peakBytes = 0;

struct Range {
    const char* start;
    const char* end;
    const char* step;
};

// Closed form over 1..1e6: both runs make lines of the same shape, the second
// half as many.
const Range kClosedFormRanges[] = {{"1", "1000000", "1"}, {"1", "999999", "2"}};
// Series over [-1, 1), where the default precision takes at most six terms.
const Range kSeriesRanges[] = {{"-1", "0.999998", "0.000002"}, {"-1", "1", "0.000004"}};

void SweepLines(benchmark::State& state, Answer choice, const Range& range) {
    size_t lines = 0;
    double peakToText = 0.0;
    SweepState sweep;  // one window's, across its runs
    RunRecord record;
    for (auto _ : state) {
        ScriptedDialogues dialogues(choice, {range.start, range.end, range.step, std::nullopt});
        const size_t liveBefore = liveBytes;
        peakBytes = liveBytes;
        RunDataEntry(sweep, dialogues, record);
        const std::string& text = sweep.CoordinatesText;
        lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
        if (peakToText == 0) {  // the first run, into a fresh state
            peakToText =
                static_cast<double>(peakBytes - liveBefore) / static_cast<double>(text.size());
        }
        if (dialogues.calls.size() != (choice == Answer::Yes ? 5u : 4u)) {
            state.SkipWithError("the run refused its range or showed a message");
        }
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["ns_per_line"] =
        benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["peak_heap_per_text_byte"] = peakToText;
}

// Each sweep runs for at least 3 s: shorter runs of this machine vary too much
// to compare the two line counts.
void ClosedFormSweep(benchmark::State& state) {
    SweepLines(state, Answer::No, kClosedFormRanges[state.range(0)]);
}
BENCHMARK(ClosedFormSweep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);

void SeriesSweep(benchmark::State& state) {
    SweepLines(state, Answer::Yes, kSeriesRanges[state.range(0)]);
}
BENCHMARK(SeriesSweep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(3);

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A closed-form line through the whole data-entry run against a line of the
// floor above, timed alternately in the same run; the ratio is what counts.
void ClosedFormAgainstFloor(benchmark::State& state) {
    const Range& range = kClosedFormRanges[0];
    double runSeconds = 0;
    double floorSeconds = 0;
    size_t lines = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        SweepState sweep;
        RunRecord record;
        ScriptedDialogues dialogues(Answer::No, {range.start, range.end, range.step});
        RunDataEntry(sweep, dialogues, record);
        runSeconds += SecondsSince(start);

        start = std::chrono::steady_clock::now();
        const std::string floor = FloorClosedFormText(1, 1'000'000, 1);
        floorSeconds += SecondsSince(start);
        if (floor != sweep.CoordinatesText) {
            state.SkipWithError("the floor loop printed another text");
            break;
        }
        lines = static_cast<size_t>(std::count(floor.begin(), floor.end(), '\n'));
    }
    const auto perLine = [&](double seconds) {
        return seconds * 1e9 / static_cast<double>(lines * state.iterations());
    };
    state.counters["run_ns_per_line"] = perLine(runSeconds);
    state.counters["floor_ns_per_line"] = perLine(floorSeconds);
    state.counters["run_to_floor"] = runSeconds / floorSeconds;
}
BENCHMARK(ClosedFormAgainstFloor)->Unit(benchmark::kMillisecond)->MinTime(6);

constexpr NumberPattern kSeriesValuePattern("0.############");

void FormatNumberCall(benchmark::State& state) {
    double value = -1.416146651702207;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(value, kSeriesValuePattern));
        value += 1e-9;
    }
}
BENCHMARK(FormatNumberCall);

void ReadNumberCall(benchmark::State& state) {
    const std::string text = ".000019753086";
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadNumber(text));
    }
}
BENCHMARK(ReadNumberCall);

void SeriesValueCall(benchmark::State& state) {
    const double precision = std::pow(15.0, -4.0);
    double x = 1.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(SeriesValue(x, precision));
    }
}
BENCHMARK(SeriesValueCall);

void ClosedFormValueCall(benchmark::State& state) {
    double x = 0.7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(ClosedFormValue(x));
    }
}
BENCHMARK(ClosedFormValueCall);

// y* over the abscissas of the two million-line runs (closed form from 0,
// series from 25, both by 1e-6), beside the closed form over the same
// abscissas and beside MPFR on a thousandth of them, in one run.
void ExactValueOverRun(benchmark::State& state) {
    const double start = state.range(0) == 0 ? 0.0 : 25.0;
    constexpr int kLines = 1'000'000;
    double exactSeconds = 0;
    double closedFormSeconds = 0;
    double mpfrSeconds = 0;
    for (auto _ : state) {
        auto began = std::chrono::steady_clock::now();
        for (int i = 0; i < kLines; ++i) {
            benchmark::DoNotOptimize(ExactValue(start + i * 1e-6));
        }
        exactSeconds += SecondsSince(began);
        began = std::chrono::steady_clock::now();
        for (int i = 0; i < kLines; ++i) {
            benchmark::DoNotOptimize(ClosedFormValue(start + i * 1e-6));
        }
        closedFormSeconds += SecondsSince(began);
        began = std::chrono::steady_clock::now();
        for (int i = 0; i < kLines; i += 1000) {
            benchmark::DoNotOptimize(ExactValueByMpfr(start + i * 1e-6));
        }
        mpfrSeconds += SecondsSince(began) * 1000;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["exact_ns"] = exactSeconds / runs / kLines * 1e9;
    state.counters["closed_form_ns"] = closedFormSeconds / runs / kLines * 1e9;
    state.counters["mpfr_ns"] = mpfrSeconds / runs / kLines * 1e9;
    state.counters["exact_to_closed_form"] = exactSeconds / closedFormSeconds;
}
BENCHMARK(ExactValueOverRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

void* operator new(size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    liveBytes += malloc_usable_size(block);
    peakBytes = std::max(peakBytes, liveBytes);
    return block;
}

void operator delete(void* block) noexcept {
    if (block != nullptr) {
        liveBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

void operator delete(void* block, size_t) noexcept {
    operator delete(block);
}

BENCHMARK_MAIN();
