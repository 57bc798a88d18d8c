#pragma once

#include <cstdint>
#include <string>

#include "evaluation/dialogueservice.h"

// Which way a run computes y: the power series (the user answered Yes) or the
// closed form (No).
enum class FormulaChoice { Series, ClosedForm };

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

// The data-entry run. Empties CoordinatesText, asks through `dialogues`
// whether to use the series (Yes) or the closed form (No), then the first
// abscissa, the last abscissa and the step, and in a series run the precision;
// every answer is read by ReadNumber. It then sweeps x from StartX by running
// sums of the step (x := x + step) while x <= EndX (x >= EndX for a negative
// step) and appends one line per abscissa, "(" x ";" y ")" CR LF. It shows
// no result.
// Refused input, told to the user by ShowMessage, ends the run early: a zero
// step that would never end the sweep and a sweep of more than
// kMaxCoordinateLines lines (both before the precision is asked; no line is
// made), and a precision of 0 or below. A step too small to move x any more
// ends the sweep with a message; the lines made before stay.
//   defaults, closed form: 10 lines, "(0.1;-0.02)\r\n" ... "(1.0;-1.416)\r\n"
//   defaults, series: 10 lines, "(0.1;-0.019933422222)\r\n" ... "(1.0;-1.416146651702)\r\n"
// Throws ArithmeticFault when a real operation (reading a number, the series,
// the closed form, the step addition) leaves the real range or is invalid:
// no further dialogue is shown and the lines made before the fault stay.
void RunDataEntry(SweepState& state, DialogueService& dialogues);

// Appends the line for state.CurrentX and state.Sum to CoordinatesText: x by
// "0.0########", y by "0.############" (series) or "0.###" (closed form).
//   CurrentX 0.1, Sum -0.01993342215875815, ClosedForm -> "(0.1;-0.02)\r\n"
void AppendCoordinateLine(SweepState& state, FormulaChoice choice);
