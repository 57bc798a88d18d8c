#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
};

//   PlotSummary({{"Ряд"}, 0, 16, -2, 0, -18, -4, true, 95, 320, ""}) ->
//     "График. Нарисовано: Ряд. По оси x от 0 до 16, по оси y от -2 до 0, погрешность от
//      1e-18 до 1e-4. Точность не гарантирована в 95 точках из 320. Стрелки выбирают
//      точку, плюс и минус увеличивают и уменьшают, Home показывает весь график."
std::string PlotSummary(const PlotFacts& facts);

// The ranges the axes show, the summary's second sentence:
//   ShownRanges({{}, 0, 16, -2, 0, -18, -4, false, 0, 0, ""}) ->
//     "По оси x от 0 до 16, по оси y от -2 до 0, погрешность от 1e-18 до 1e-4."
std::string ShownRanges(const PlotFacts& facts);
