#include "analysis/seriesbreakdown.h"

#include <cmath>

#include "analysis/exactvalue.h"
#include "evaluation/checkedmath.h"
#include "evaluation/formulas.h"

SeriesBreakdown BreakDownSeries(double x, double precision) {
    SeriesBreakdown breakdown;
    breakdown.x = x;
    breakdown.precision = precision;
    breakdown.exact = ExactValue(x);
    try {
        SeriesTerms terms(x);
        RoundingTally rounding;
        double sum = 0.0;
        for (;;) {
            TermStep step;
            step.term = terms.Next();
            step.n = terms.Index();
            sum = CheckedAdd(sum, step.term);
            rounding.Add(step.term, step.n);
            step.partialSum = sum;
            step.error = ErrorAgainstExact(sum, x);
            step.roundingBound = rounding.Bound();
            step.roundingFloor = series_detail::kUnitRoundoff * rounding.MagnitudeSum();
            if (!KeepStep(breakdown, step)) {
                break;
            }
        }
    } catch (const ArithmeticFault& fault) {
        breakdown.fault = fault;
    }
    return breakdown;
}

bool KeepStep(SeriesBreakdown& breakdown, TermStep step) {
    step.abovePrecision = std::fabs(step.term) > breakdown.precision;
    breakdown.steps.push_back(step);
    return step.abovePrecision;
}
