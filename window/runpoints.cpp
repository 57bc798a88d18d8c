#include "window/runpoints.h"

#include <cmath>

#include "evaluation/table.h"

RunPoints ComputeRunPoints(const SweepState& state) {
    RunPoints points;
    points.choice = state.Choice;
    points.precision = state.Precision;
    points.x = RunAbscissas(state, static_cast<size_t>(LineCount(state)));
    points.y.reserve(points.Size());
    const bool series = state.Choice == FormulaChoice::Series;
    if (series) {
        points.closedForm.reserve(points.Size());
        points.difference.reserve(points.Size());
    }
    for (double x : points.x) {
        const double y = EvaluateAt(x, state.Choice, state.Precision).Sum;
        points.y.push_back(y);
        if (series) {
            const double closedForm = ClosedFormValue(x);
            points.closedForm.push_back(closedForm);
            points.difference.push_back(std::fabs(y - closedForm));
        }
    }
    return points;
}
