#pragma once

#include <cstdint>
#include <optional>

#include "evaluation/runrecord.h"

// Where a run's sweep ended and how far its abscissas drifted. x is the
// running sum of the steps (SweepAbscissas), never start + k * step, so a
// step that a double cannot hold exactly (0.05, 1e-6) makes the sum wander
// from the ideal abscissas; where it has passed the bound just before an
// ideal abscissa that lies within it, a user takes the missing line for a
// lost one.
struct SweepDrift {
    std::int64_t lines = 0;
    double lastX = 0.0;  // the last abscissa, the running sum after lines - 1 steps
    // The next running sum, the one that passed the bound (or none where the
    // sweep stopped another way).
    std::optional<double> nextX;
    // lastX - (start + (lines - 1) * step), computed exactly, rounded once.
    double drift = 0.0;
    // Whether start + lines * step, rounded once to a double, is still within
    // the bound: the line the user expects and the running sum does not reach.
    bool idealLineWithinBound = false;
};

// The drift of a run's sweep; none for a run without lines.
//   0 to 16 by 0.05: 320 lines, last 15.95 (15.950000000000088), next
//     16.000000000000092, drift about 8.8e-14, the ideal line 16 within
//   0 to 0.999999 by 1e-6: 999,999 lines, last 0.999998..., next past
//     0.999999, the ideal line 0.999999 within
std::optional<SweepDrift> DriftOf(const RunRecord& record);
