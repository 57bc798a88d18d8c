#pragma once

#include <vector>

#include "evaluation/sweep.h"

// The last run's lines as numbers, recomputed once for a view through the
// run's own evaluation: the abscissas, y, and in a series run the closed form
// beside it.
struct RunPoints {
    FormulaChoice choice = FormulaChoice::ClosedForm;
    double precision = 0.0;
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> closedForm;  // series runs only

    size_t Size() const { return x.size(); }
};

// Every line of the run recorded in `state`.
// Throws ArithmeticFault where the run itself would have.
RunPoints ComputeRunPoints(const SweepState& state);
