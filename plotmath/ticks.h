#pragma once

#include <string>
#include <vector>

#include "plotmath/axisrange.h"

// Where an axis puts its ticks, and what their labels say. Labels are finite
// numbers, no two alike, in the shortest form that tells them apart, with
// "." as the point, a compact exponent ("1.5e-5", "2e300") and never "-0".

struct Tick {
    double value = 0.0;  // on a logarithmic axis, in decades
    std::string label;

    bool operator==(const Tick&) const = default;
};

// Ticks at round values (1, 2 or 5 times a power of ten apart), at least two
// and at most about `maxTicks`, within the shown range. Axes take them
// through OffsetTicks; tests check the choice itself here.
//   LinearTicks({0, 16}, 5)  -> 0, 5, 10, 15
//   LinearTicks({-2.1, 0.1}, 12) -> -2, -1.8, ..., -0.2, 0
//   LinearTicks({1e15, 1e15 + 4}, 3) -> "1e15", "1.000000000000002e15", "1.000000000000004e15"
std::vector<Tick> LinearTicks(AxisRange shown, int maxTicks);

// Linear ticks as an axis shows them: where the labels would need more than
// `maxDigits` digits to tell apart (a narrow range far from zero), they give
// the difference from `offset`, which the axis names once.
struct AxisTicks {
    std::vector<Tick> ticks;
    double offset = 0.0;
    std::string offsetLabel;  // empty without an offset

    bool operator==(const AxisTicks&) const = default;
};
//   OffsetTicks({0, 16}, 5, 7)         -> 0, 5, 10, 15; no offset
//   OffsetTicks({1e15, 1e15 + 4}, 3, 7) -> "+0", "+2", "+4" from "1e15"
AxisTicks OffsetTicks(AxisRange shown, int maxTicks, int maxDigits);

// Ticks of a logarithmic axis whose shown range is in decades: at powers of
// ten ("1e-5", "0.01", "1", "1000", "1e5") when the range spans decades
// enough, else also at 2 and 5 (or every digit) times them, else at round
// values between.
//   DecadeTicks({-10.5, -3.5}, 8) -> "1e-10", "1e-9", ..., "1e-4"
//   DecadeTicks({-1.2, 0.8}, 8) -> "0.1", "0.2", "0.5", "1", "2", "5"
std::vector<Tick> DecadeTicks(AxisRange decades, int maxTicks);

// `value` in the compact form of the labels, rounded to `significant` digits
// and the trailing zeros dropped: fixed for values of everyday size where
// that is at most two characters longer, else with an exponent.
//   CompactNumber(0.0000125, 3) -> "1.25e-5"; CompactNumber(-1.5, 5) -> "-1.5";
//   CompactNumber(2000, 1) -> "2000"; CompactNumber(1234567, 3) -> "1.23e6";
//   CompactNumber(-0.0, 3) -> "0"
std::string CompactNumber(long double value, int significant);

// The shortest text that reads back as `value`, in the compact form.
//   ShortestCompact(1e15) -> "1e15"; ShortestCompact(0.1) -> "0.1"
std::string ShortestCompact(double value);
