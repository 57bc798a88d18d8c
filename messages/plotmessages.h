#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/runrecord.h"

// What a screen reader says of a run's plot: what is drawn, the ranges shown,
// where the precision is not guaranteed, and the point chosen. UTF-8.

struct PlotFacts {
    std::vector<std::string> lines;  // the names of the lines drawn
    double xLow = 0.0;
    double xHigh = 0.0;
    double yLow = 0.0;
    double yHigh = 0.0;
    double errorLowDecade = 0.0;  // log10 of the error axis's ends
    double errorHighDecade = 0.0;
    bool series = false;
    std::int64_t notGuaranteed = 0;  // series runs
    std::int64_t lineCount = 0;
    std::string point;  // the point under the pointer or the keyboard's marker; none when empty
    std::string sweep;  // how the sweep's own rounding showed (SweepDriftText); none when empty
};

//   PlotSummary({{"Ряд"}, 0, 16, -2, 0, -18, -4, true, 95, 320, "", ""}) ->
//     "График. Нарисовано: Ряд. По оси x от 0 до 16, по оси y от -2 до 0, погрешность от
//      1e-18 до 1e-4. Точность не гарантирована в 95 точках из 320. Стрелки выбирают
//      точку, плюс и минус увеличивают и уменьшают, Home показывает весь график."
std::string PlotSummary(const PlotFacts& facts);

// The ranges the axes show, the summary's second sentence:
//   ShownRanges({{}, 0, 16, -2, 0, -18, -4, false, 0, 0, "", ""}) ->
//     "По оси x от 0 до 16, по оси y от -2 до 0, погрешность от 1e-18 до 1e-4."
std::string ShownRanges(const PlotFacts& facts);

// One line of a run, for the readout under the pointer or the keyboard's
// marker.
struct PointFacts {
    FormulaChoice choice = FormulaChoice::ClosedForm;
    double x = 0.0;
    double y = 0.0;
    double exact = 0.0;                 // y*
    double closedFormError = 0.0;       // |closed form - y*|
    std::optional<double> seriesError;  // |series - y*|, series runs only
};

// x and y as the coordinates text prints them where that takes no more than
// 24 characters (else in the compact form with 8 digits), y* to 17 digits and
// the errors to 4:
//   PointReadout({Series, 0.1, -0.019933422222, -0.0199334221587584, 0, 6.3e-11}) ->
//     "x = 0.1; y = -0.019933422222; точное = -0.019933422158758402;
//      |ряд − точное| = 6.3e-11; |формула − точное| = 0"
std::string PointReadout(const PointFacts& facts);

// A line's name and its value at a point, for a readout.
struct NamedValue {
    std::string name;
    double value = 0.0;
};

// The values of the lines of a plot against the term index n, to 4 digits:
//   TermsReadout(3, {{"|Tₙ|", 8.888888888888889e-08}, {"|Sₙ − y*|", 6.3e-11}}) ->
//     "n = 3; |Tₙ| = 8.889e-8; |Sₙ − y*| = 6.3e-11"
std::string TermsReadout(int n, const std::vector<NamedValue>& values);

// S_n with n in subscript digits: TaylorName(6) -> "S₆", TaylorName(20) -> "S₂₀".
std::string TaylorName(int n);

// Where S_n keeps within the tolerance, under the Taylor plot: the
// precision in a series run, the chosen tolerance in a closed-form one.
//   GoodIntervalText(6, 1.3977, 6, true) -> "S₆ в пределах точности при |x| ≤ 1.398"
//   GoodIntervalText(40, 6, 6, true) -> "S₄₀ в пределах точности на всём отрезке, |x| ≤ 6"
//   GoodIntervalText(1, 0, 6, false) -> "S₁ не в пределах допуска уже рядом с 0"
std::string GoodIntervalText(int n, double radius, double reach, bool series);

// The Taylor plot's readout at x: x to 8 digits, S_n(x) and y* whole, the
// error to 4:
//   TaylorReadout(6, 1, -1.4158, -1.4161468365471424) ->
//     "x = 1; S₆(x) = -1.4158; y* = -1.4161468365471424; |S₆ − y*| = 0.0003468"
std::string TaylorReadout(int n, double x, double sum, double exact);

// What a screen reader is told of the Taylor plot:
//   TaylorSummary(6, -6, 6, "S₆ в пределах точности при |x| ≤ 1.398") ->
//     "Многочлены Тейлора. Нарисованы y* и S₆ на отрезке x от -6 до 6, бледнее — меньшие n.
//      S₆ в пределах точности при |x| ≤ 1.398. Стрелки влево и вправо меняют n, плюс и минус
//      увеличивают, Home показывает весь график."
std::string TaylorSummary(int n, double low, double high, const std::string& interval);
