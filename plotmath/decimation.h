#pragma once

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

// Thins a plotted line to what a screen can show of it: of the points whose x
// lies in [xMin, xMax], each of `columns` equal slices of that range (a pixel
// column each) keeps its lowest and its highest point, so no peak is lost.
// The nearest point on either side of the range is kept too, so the line runs
// on to the edges. `xs` runs one way, up or down, as a sweep does; the result
// is the kept points' indices in the sweep's order. Points whose y is not
// finite are left out.
//   xs {0, 1, 2, 3}, ys {0, 5, -5, 0}, range [0, 3], 1 column  -> {1, 2}
//   the same, 2 columns                                       -> {0, 1, 2, 3}
//   the same, range [1, 2], 1 column                          -> {0, 1, 2, 3}
std::vector<size_t> DecimatePerColumn(std::span<const double> xs, std::span<const double> ys,
                                      double xMin, double xMax, int columns);

// DecimatePerColumn of each curve over the same abscissas, the curves shared
// between two threads where they are long: the result's i-th entry is the
// i-th curve's.
std::vector<std::vector<size_t>> DecimateEachPerColumn(
    std::span<const double> xs, const std::vector<std::span<const double>>& curves, double xMin,
    double xMax, int columns);

// The index range [first, last) of the points with x in [xMin, xMax], in a
// sweep that runs up or down.
//   xs {0, 1, 2, 3}: [0.5, 2.5] -> [1, 3);  xs {3, 2, 1, 0}: [0.5, 2.5] -> [1, 3)
std::pair<size_t, size_t> VisibleIndices(std::span<const double> xs, double xMin, double xMax);

// The index of the abscissa nearest `x` among a sweep's abscissas `xs` (not
// empty), which run one way, up or down.
//   xs {0, 1, 2}: x 0.4 -> 0; x 0.6 -> 1; x 9 -> 2.   xs {2, 1, 0}: x 0.4 -> 2
size_t NearestIndex(std::span<const double> xs, double x);
