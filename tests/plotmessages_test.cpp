#include "messages/plotmessages.h"

#include <string>

#include <gtest/gtest.h>

namespace {

constexpr char kKeys[] =
    " Стрелки выбирают точку, плюс и минус увеличивают и уменьшают, Home показывает весь "
    "график.";

TEST(PlotSummary, HeaderExamples) {
    EXPECT_EQ(PlotSummary({{"Ряд"}, 0, 16, -2, 0, -18, -4, true, 95, 320, "", ""}),
              std::string("График. Нарисовано: Ряд. По оси x от 0 до 16, по оси y от -2 до 0, "
                          "погрешность от 1e-18 до 1e-4. Точность не гарантирована в 95 "
                          "точках из 320.") +
                  kKeys);
    EXPECT_EQ(ShownRanges({{}, 0, 16, -2, 0, -18, -4, false, 0, 0, "", ""}),
              "По оси x от 0 до 16, по оси y от -2 до 0, погрешность от 1e-18 до 1e-4.");
}

TEST(PlotSummary, CountsAgreeWithTheirNumber) {
    const struct {
        std::int64_t count;
        const char* told;
    } cases[] = {
        {1, "в 1 точке из 400."},   {2, "в 2 точках из 400."},     {11, "в 11 точках из 400."},
        {21, "в 21 точке из 400."}, {111, "в 111 точках из 400."}, {101, "в 101 точке из 400."},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.count);
        const std::string summary =
            PlotSummary({{"Ряд"}, 0, 1, -1, 0, -17, -3, true, test.count, 400, "", ""});
        EXPECT_NE(summary.find(std::string("Точность не гарантирована ") + test.told),
                  std::string::npos)
            << summary;
    }
}

TEST(PlotSummary, TellsTheRestOfWhatIsShown) {
    const std::string closedForm = PlotSummary({{"Формула", "|Формула − точное|"},
                                                -0.5,
                                                16.5,
                                                -2.06,
                                                0.06,
                                                -19.2,
                                                -15.3,
                                                false,
                                                0,
                                                320,
                                                "x = 1.0; y = -1.416",
                                                "x — накопленная сумма шагов."});
    EXPECT_EQ(closedForm,
              std::string("График. Нарисовано: Формула, |Формула − точное|. По оси x от -0.5 до "
                          "16.5, по оси y от -2.06 до 0.06, погрешность от 6.31e-20 до "
                          "5.012e-16. x — накопленная сумма шагов. Выбрана точка: x = 1.0; "
                          "y = -1.416.") +
                  kKeys);
    const std::string nothing = PlotSummary({{}, -1e-300, 1, -0.0, 1, -3, -1, true, 0, 5, "", ""});
    EXPECT_NE(nothing.find("Нарисовано: ничего."), std::string::npos) << nothing;
    EXPECT_NE(nothing.find("по оси y от 0 до 1"), std::string::npos) << "never -0: " << nothing;
    EXPECT_NE(nothing.find("Точность гарантирована во всех точках."), std::string::npos);
}

}  // namespace

TEST(PointReadout, NumbersAsTheTextPrintsThemOrCompact) {
    struct Case {
        PointFacts facts;
        const char* readout;
    };
    const Case cases[] = {
        {{FormulaChoice::Series, 0.1, -0.019933422222, -0.0199334221587584, 0, 6.3e-11},
         "x = 0.1; y = -0.019933422222; точное = -0.019933422158758402; |ряд − точное| = 6.3e-11; "
         "|формула − точное| = 0"},
        {{FormulaChoice::ClosedForm, 1, -1.416146836547142, -1.416146836547142, 2.2e-16, {}},
         "x = 1.0; y = -1.416; точное = -1.4161468365471419; |формула − точное| = 2.2e-16"},
        // Beyond 24 characters, x and y are told in 8 digits.
        {{FormulaChoice::Series, 1.5e300, -2.5e299, -1, 1e-30, 2.5e299},
         "x = 1.5e300; y = -2.5e299; точное = -1; |ряд − точное| = 2.5e299; "
         "|формула − точное| = 1e-30"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointReadout(c.facts), c.readout);
    }
}

TEST(TermsReadout, EveryLineAtTheTerm) {
    EXPECT_EQ(TermsReadout(3, {{"|Tₙ|", 8.888888888888889e-08}, {"|Sₙ − y*|", 6.3e-11}}),
              "n = 3; |Tₙ| = 8.889e-8; |Sₙ − y*| = 6.3e-11");
    EXPECT_EQ(TermsReadout(85, {}), "n = 85");
}

TEST(TaylorWords, NamesIntervalsAndReadouts) {
    EXPECT_EQ(TaylorName(6), "S₆");
    EXPECT_EQ(TaylorName(20), "S₂₀");
    EXPECT_EQ(TaylorName(85), "S₈₅");
    EXPECT_EQ(GoodIntervalText(6, 1.3977, 6, true), "S₆ в пределах точности при |x| ≤ 1.398");
    EXPECT_EQ(GoodIntervalText(40, 6, 6, true), "S₄₀ в пределах точности на всём отрезке, |x| ≤ 6");
    EXPECT_EQ(GoodIntervalText(1, 0, 6, false), "S₁ не в пределах допуска уже рядом с 0");
    EXPECT_EQ(TaylorReadout(6, 1, -1.4158, -1.4161468365471424),
              "x = 1; S₆(x) = -1.4158; y* = -1.4161468365471424; |S₆ − y*| = 0.0003468");
    EXPECT_EQ(TaylorReadout(85, -40, std::nan(""), -1.5),
              "x = -40; S₈₅(x) = вне диапазона чисел; y* = -1.5");
}
