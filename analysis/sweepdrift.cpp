#include "analysis/sweepdrift.h"

#include <cmath>

#include <mpfr.h>

#include "analysis/bignumber.h"

namespace {

// Enough bits to hold start + k * step exactly for any two doubles and k up
// to 2^63: from the smallest subnormal's place to the largest double's, and
// the count's bits beyond.
constexpr mpfr_prec_t kExactBits = 1074 + 1024 + 64 + 8;

// start + k * step, exactly.
void IdealAbscissa(mpfr_ptr result, double start, double step, std::int64_t k) {
    Big product(kExactBits);
    mpfr_set_d(product.get(), step, MPFR_RNDN);
    mpfr_mul_si(product.get(), product.get(), static_cast<long>(k), MPFR_RNDN);
    mpfr_add_d(result, product.get(), start, MPFR_RNDN);
}

}  // namespace

std::optional<SweepDrift> DriftOf(const RunRecord& record) {
    if (record.LineCount() == 0) {
        return std::nullopt;
    }
    const RunRecipe& recipe = record.recipe;
    SweepDrift drift;
    drift.lines = static_cast<std::int64_t>(record.LineCount());
    drift.lastX = record.X().back();
    const double next = drift.lastX + recipe.step;
    const bool passed = recipe.step >= 0 ? next > recipe.bound : next < recipe.bound;
    if (passed && std::isfinite(next)) {  // a sum beyond the reals has no number to tell
        drift.nextX = next;
    }
    Big ideal(kExactBits);
    IdealAbscissa(ideal.get(), recipe.start, recipe.step, drift.lines - 1);
    Big difference(kExactBits);
    mpfr_d_sub(difference.get(), drift.lastX, ideal.get(), MPFR_RNDN);
    drift.drift = mpfr_get_d(difference.get(), MPFR_RNDN);
    IdealAbscissa(ideal.get(), recipe.start, recipe.step, drift.lines);
    // Rounded once, as start + k * step computed by a formula would give it:
    // the step 0.05 as a double is a little above 0.05, yet 320 of them from
    // 0 round to 16.
    const double expected = mpfr_get_d(ideal.get(), MPFR_RNDN);
    drift.idealLineWithinBound =
        recipe.step >= 0 ? expected <= recipe.bound : expected >= recipe.bound;
    return drift;
}
