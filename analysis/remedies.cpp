#include "analysis/remedies.h"

#include <cmath>

#include "analysis/exactvalue.h"
#include "evaluation/formulas.h"

double ReducedSeriesValue(double x, double precision) {
    return SeriesValue(ReducedArgument(x), precision).Sum;
}

double CompensatedSeriesValue(double x, double precision) {
    SeriesTerms terms(x);
    double sum = 0.0;
    double compensation = 0.0;  // what the additions rounded away
    double term = 0.0;
    do {
        term = terms.Next();
        const double next = sum + term;
        compensation +=
            std::fabs(sum) >= std::fabs(term) ? (sum - next) + term : (term - next) + sum;
        sum = next;
    } while (std::fabs(term) > precision);
    return sum + compensation;
}
