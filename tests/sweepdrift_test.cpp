#include "analysis/sweepdrift.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "messages/runmessages.h"
#include "support/scripteddialogues.h"

namespace {

std::string TextOf(const SweepDrift& drift, const RunRecipe& recipe) {
    return SweepDriftText(drift.lines, drift.lastX, drift.nextX, drift.drift,
                          drift.idealLineWithinBound, recipe.start, recipe.step, recipe.bound);
}

// The two runs users take for a lost line: the running sum passes the bound
// just before the last ideal abscissa.
TEST(SweepDrift, TheSumPassingTheBoundIsTold) {
    struct Case {
        const char* start;
        const char* end;
        const char* step;
        std::int64_t lines;
        const char* text;
    };
    const Case cases[] = {
        {"0", "16", "0.05", 320,
         "x — накопленная сумма шагов: к последней точке, x = 15.95, она ушла от 0 + 319·0.05 "
         "на "},
        {"0", "0.999999", "1e-6", 999'999,
         "x — накопленная сумма шагов: к последней точке, x = 0.999998, она ушла от "
         "0 + 999998·1e-06 на "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end);
        const Tabulation run = RunScripted(Answer::No, {c.start, c.end, c.step});
        const std::optional<SweepDrift> drift = DriftOf(run.record);
        ASSERT_TRUE(drift.has_value());
        EXPECT_EQ(drift->lines, c.lines);
        EXPECT_EQ(drift->lastX, run.record.X().back());
        ASSERT_TRUE(drift->nextX.has_value());
        EXPECT_GT(*drift->nextX, run.record.recipe.bound);
        EXPECT_TRUE(drift->idealLineWithinBound);
        // Exactly the running sum less the ideal abscissa.
        const long double ideal = static_cast<long double>(run.record.recipe.step) *
                                  static_cast<long double>(c.lines - 1);
        EXPECT_NEAR(drift->drift, static_cast<long double>(drift->lastX) - ideal,
                    std::fabs(drift->drift) * 1e-3);
        EXPECT_NE(drift->drift, 0);
        const std::string text = TextOf(*drift, run.record.recipe);
        EXPECT_EQ(text.rfind(c.text, 0), 0u) << text;
        EXPECT_NE(text.find("уже больше конечного значения"), std::string::npos) << text;
    }
    const Tabulation sixteen = RunScripted(Answer::No, {"0", "16", "0.05"});
    EXPECT_EQ(*DriftOf(sixteen.record)->nextX, 16.000000000000092);
}

// Steps a double holds exactly never drift, and a sweep that ends on its
// bound has nothing to tell.
TEST(SweepDrift, ExactStepsTellNothing) {
    for (const std::vector<std::optional<std::string>>& replies :
         {std::vector<std::optional<std::string>>{"0", "16", "0.25"},
          std::vector<std::optional<std::string>>{"1", "-1", "-0.5"},
          std::vector<std::optional<std::string>>{"3", "3", "1"}}) {
        const Tabulation run = RunScripted(Answer::No, replies);
        const std::optional<SweepDrift> drift = DriftOf(run.record);
        ASSERT_TRUE(drift.has_value());
        EXPECT_EQ(drift->drift, 0);
        EXPECT_FALSE(drift->idealLineWithinBound);
        EXPECT_EQ(TextOf(*drift, run.record.recipe), "");
    }
    EXPECT_FALSE(DriftOf(RunRecord{}).has_value());
    // A next sum beyond the reals is not told as a number.
    // (A sweep ends there by its fault, keeping its lines.)
    RunRecord edge;
    edge.recipe = {FormulaChoice::ClosedForm, 1.7e308, 1.79e308, 1e308, 0};
    edge.AddClosedFormLine(1.7e308, -1);
    const std::optional<SweepDrift> edgeDrift = DriftOf(edge);
    ASSERT_TRUE(edgeDrift.has_value());
    EXPECT_FALSE(edgeDrift->nextX.has_value());
    EXPECT_EQ(TextOf(*edgeDrift, edge.recipe), "");
}

}  // namespace

namespace {

// A negative step drifts the same way, and the bound is passed downwards.
TEST(SweepDrift, NegativeStepsPassTheBoundDownwards) {
    const Tabulation down = RunScripted(Answer::No, {"0", "-16", "-0.05"});
    const std::optional<SweepDrift> drift = DriftOf(down.record);
    ASSERT_TRUE(drift.has_value());
    EXPECT_EQ(drift->lines, 320);
    EXPECT_EQ(*drift->nextX, -16.000000000000092);
    EXPECT_TRUE(drift->idealLineWithinBound);
    EXPECT_NE(TextOf(*drift, down.record.recipe).find("уже меньше конечного значения -16.0"),
              std::string::npos);
    // From 1 to -1 by -0.1 the sum drifts, but its last line is the one
    // expected: only the drift is told.
    const Tabulation ends = RunScripted(Answer::No, {"1", "-1", "-0.1"});
    const std::optional<SweepDrift> ended = DriftOf(ends.record);
    EXPECT_EQ(ended->lines, 21);
    EXPECT_NE(ended->drift, 0);
    EXPECT_FALSE(ended->idealLineWithinBound);
    const std::string text = TextOf(*ended, ends.record.recipe);
    EXPECT_EQ(text.rfind("x — накопленная сумма шагов: к последней точке, x = -1.0, ", 0), 0u)
        << text;
    EXPECT_EQ(text.find("Следующая сумма"), std::string::npos) << text;
}

}  // namespace
