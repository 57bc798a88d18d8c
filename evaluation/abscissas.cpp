#include "evaluation/abscissas.h"

#include <algorithm>
#include <cmath>

SweepExtent SweepForesight(double start, double bound, double step, std::int64_t maxLines) {
    SweepExtent extent;
    for (SweepAbscissas walk(start, bound, step); walk.InRange();) {
        extent.widestX = std::max(extent.widestX, std::fabs(walk.Current()));
        if (++extent.lines > maxLines || walk.Advance() != SweepAbscissas::Step::Moved) {
            break;
        }
    }
    return extent;
}
