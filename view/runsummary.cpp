#include "view/runsummary.h"

#include <optional>

#include "analysis/sweepdrift.h"
#include "messages/runmessages.h"

std::string SweepText(const RunRecord& record) {
    const std::optional<SweepDrift> drift = DriftOf(record);
    if (!drift) {
        return {};
    }
    const RunRecipe& recipe = record.recipe;
    return SweepDriftText(drift->lines, drift->lastX, drift->nextX, drift->drift,
                          drift->idealLineWithinBound, recipe.start, recipe.step, recipe.bound);
}

std::string RunSummary(const RunRecord& record) {
    const std::string sweep = SweepText(record);
    return RecipeText(record) + "." + (sweep.empty() ? "" : " " + sweep);
}
