#include "window/runpoints.h"

#include "evaluation/table.h"
#include "window/vectorstate.h"

RunPoints ComputeRunPoints(const SweepState& state) {
    ClearUpperVectorState();  // after painting, pow would run several times slower
    RunPoints points;
    points.choice = state.Choice;
    points.precision = state.Precision;
    points.x = RunAbscissas(state, static_cast<size_t>(LineCount(state)));
    points.y.reserve(points.Size());
    const bool series = state.Choice == FormulaChoice::Series;
    if (series) {
        points.closedForm.reserve(points.Size());
    }
    for (double x : points.x) {
        const double y = EvaluateAt(x, state.Choice, state.Precision).Sum;
        points.y.push_back(y);
        if (series) {
            points.closedForm.push_back(ClosedFormValue(x));
        }
    }
    return points;
}
