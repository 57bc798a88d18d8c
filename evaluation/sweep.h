#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "evaluation/dialogueservice.h"
#include "evaluation/formulas.h"
#include "evaluation/runrecord.h"

// The main window's record of the computation, zeroed when the window is made.
// A run sets every field it uses before using it.
struct SweepState {
    std::string CoordinatesText;  // the last run's lines, "(x;y)" CR LF each
    double Precision = 0.0;       // stopping threshold of the series
    int TermIndex = 0;            // n of the last series term computed
    double CurrentX = 0.0;        // the abscissa being evaluated
    double Sum = 0.0;             // y at CurrentX
    double Term = 0.0;            // the last series term computed
    double StartX = 0.0;          // first abscissa, as typed
    double EndX = 0.0;            // bound of the sweep, as typed
};

// The most lines one run makes; a sweep that would make more is refused.
inline constexpr std::int64_t kMaxCoordinateLines = 1'000'000;
// The most bytes of coordinates text one run holds (64 MiB).
inline constexpr std::size_t kMaxCoordinatesTextBytes = std::size_t{64} << 20;

// The limits a run keeps to; the program always runs with these defaults.
struct RunLimits {
    std::int64_t lines = kMaxCoordinateLines;
    std::size_t textBytes = kMaxCoordinatesTextBytes;
};

// Told once when a sweep has run for `after`, so that a front end can show
// that the program is at work. The time is looked at every kLinesPerLook
// lines, so a sweep of fewer lines tells nothing.
struct SlowSweepNotice {
    static constexpr std::size_t kLinesPerLook = 1024;
    std::chrono::steady_clock::duration after = std::chrono::milliseconds(100);
    std::function<void()> tell;  // none: nothing is told
};

// How a run ended. A refused run asked for something it cannot do and made no
// line; a stopped run ended its sweep early and keeps the lines it made.
enum class RunStatus { Completed, Refused, Stopped };

enum class RunReason {
    None,                  // completed
    ZeroStep,              // refused: x would never move
    TooManyLines,          // refused: more lines than the limit
    TooMuchText,           // refused: more text than the limit
    PrecisionNotPositive,  // refused: the series could never stop
    StepTooSmall,          // stopped: adding the step no longer moves x
    TextLimitReached,      // stopped: the next line would pass the text limit
};

// Where a series run's precision is not guaranteed (IsGuaranteed), and why.
struct PrecisionWarning {
    std::int64_t count = 0;         // abscissas whose precision is not guaranteed
    std::int64_t stillGrowing = 0;  // of them, where the terms still grew at the stop
    double firstX = 0.0;            // the first and the last of them, in sweep order
    double lastX = 0.0;
    // The largest bound of rounding and truncation together among the others,
    // where rounding defeated the precision.
    double largestBound = 0.0;

    bool operator==(const PrecisionWarning&) const = default;
};

// How a run ended, for its front end to tell the user (the run itself shows
// no message: the words are the front end's).
struct RunOutcome {
    RunStatus status = RunStatus::Completed;
    RunReason reason = RunReason::None;
    std::optional<PrecisionWarning> warning;  // series runs that made lines only

    bool operator==(const RunOutcome&) const = default;
};

// The data-entry run. Empties CoordinatesText and the record's lines, asks
// through `dialogues` whether to use the series (Yes) or the closed form (No),
// then the first abscissa, the last abscissa and the step, and in a series run
// the precision; every answer is read by ReadNumber and kept in the record's
// recipe as read. It then sweeps x over SweepAbscissas(StartX, EndX, step),
// appending one line per abscissa, "(" x ";" y ")" CR LF, to CoordinatesText
// and what the line was made from to the record. It shows no result and no
// message of its own; it returns how the run ended.
// Refused, before any line: a zero step, a sweep of more than limits.lines
// lines or of more than limits.textBytes of text as foreseen with values of
// their usual width (all three before the precision is asked), and a
// precision of 0 or below. Stopped, keeping the lines made: a step too small
// to move x any more, or a line that would pass the text limit. A series run
// whose precision is not guaranteed at some abscissa carries a warning that
// tells where and why. `slow` is told once if the sweep runs long.
//   defaults, closed form: 10 lines, "(0.1;-0.02)\r\n" ... "(1.0;-1.416)\r\n"
//   defaults, series: 10 lines, "(0.1;-0.019933422222)\r\n" ... "(1.0;-1.416146651702)\r\n"
// Throws ArithmeticFault when a real operation (reading a number, the series,
// the closed form, the step addition) leaves the real range or is invalid: no
// further dialogue is shown, and the text and the record keep the lines made
// before the fault.
RunOutcome RunDataEntry(SweepState& state, DialogueService& dialogues, RunRecord& record,
                        const RunLimits& limits = {}, const SlowSweepNotice& slow = {});

// The precision prompt's default text: 15^-4 by "#.############".
//   DefaultPrecisionText() -> ".000019753086"
std::string DefaultPrecisionText();

// Appends the line for state.CurrentX and state.Sum to CoordinatesText: x by
// "0.0########", y by "0.############" (series) or "0.###" (closed form).
//   CurrentX 0.1, Sum -0.01993342215875815, ClosedForm -> "(0.1;-0.02)\r\n"
void AppendCoordinateLine(SweepState& state, FormulaChoice choice);

// The pieces of a coordinate line: x as the line prints it, and y as a run
// of `choice` prints it.
//   AppendAbscissaText(out, 1) appends "1.0"
//   AppendValueText(out, -0.01993342215875815, FormulaChoice::ClosedForm) appends "-0.02"
void AppendAbscissaText(std::string& out, double x);
void AppendValueText(std::string& out, double y, FormulaChoice choice);
