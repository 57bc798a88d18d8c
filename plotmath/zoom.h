#pragma once

#include "plotmath/axisrange.h"

// Zooming an axis in and out within what it can show: never narrower than a
// few units in the last place (MinimumSpan), never wider than its widest
// range, always finite, ordered and not empty.

// How far an axis may zoom out: a range about its whole range, 16 times as
// wide, within `bounds` (the reals, or the decades a logarithmic axis shows).
//   WidestRange({0, 1}, reals) -> [-7.5, 8.5]
AxisRange WidestRange(AxisRange whole, AxisRange bounds);

// The shown range zoomed by `factor` (below 1 zooms in) about `anchor`,
// which keeps its place on the axis; limited as above.
//   Zoomed({0, 10}, 5, 0.5, {-100, 100}) -> [2.5, 7.5]
//   Zoomed({0, 10}, 0, 0.5, {-100, 100}) -> [0, 5]
AxisRange Zoomed(AxisRange shown, double anchor, double factor, AxisRange widest);

// The range asked for (a dragged rectangle's, in either order), limited as above.
//   Limited({7, 3}, {0, 10}) -> [3, 7]; Limited({-50, 50}, {0, 10}) -> [0, 10]
AxisRange Limited(AxisRange wanted, AxisRange widest);
