#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plotmath/axismapping.h"
#include "plotmath/axisrange.h"
#include "plotmath/ticks.h"
#include "plotmath/zoom.h"

namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();
const AxisRange kReals = {-kLargest, kLargest};
const AxisRange kDecades = PositiveDecades();

std::vector<std::string> Labels(const std::vector<Tick>& ticks) {
    std::vector<std::string> labels;
    for (const Tick& tick : ticks) {
        labels.push_back(tick.label);
    }
    return labels;
}

std::vector<double> Values(const std::vector<Tick>& ticks) {
    std::vector<double> values;
    for (const Tick& tick : ticks) {
        values.push_back(tick.value);
    }
    return values;
}

TEST(AxisRange, HeaderExamples) {
    const AxisRange run = DataRange(std::vector<double>{0, 16});
    EXPECT_NEAR(run.low, -0.48, 1e-12);
    EXPECT_NEAR(run.high, 16.48, 1e-12);
    const AxisRange lone = DataRange(std::vector<double>{2});
    EXPECT_NEAR(lone.low, 1.9, 1e-12);
    EXPECT_NEAR(lone.high, 2.1, 1e-12);
    EXPECT_EQ(DataRange(std::vector<double>{0}), (AxisRange{-1, 1}));
    EXPECT_EQ(DataRange(std::vector<double>{-1.7e308, 1.7e308}), kReals);
    EXPECT_EQ(MinimumSpan({1, 1}), 8 * 0x1p-52);
    EXPECT_EQ(MinimumSpan({0, 0}), 8 * kTiniest);
    const AxisRange decades = DecadeRange(std::vector<double>{1e-10, 1e-4}, 1e-5);
    EXPECT_NEAR(decades.low, -10.5, 1e-12);
    EXPECT_NEAR(decades.high, -3.5, 1e-12);
    const AxisRange precisionOnly = DecadeRange({}, 1e308);
    EXPECT_NEAR(precisionOnly.low, 307.5, 1e-9);
    EXPECT_NEAR(precisionOnly.high, std::log10(kLargest), 1e-9);
}

// Sets of values a run can give an axis, from the subnormals to the whole reals.
const std::vector<std::vector<double>> kExtremeValues = {
    {-1.7e308, -0.7e308, 0.3e308, 1.3e308},
    {kLargest, -kLargest},
    {0, kTiniest},
    {kTiniest},
    {-kTiniest, kTiniest},
    {1e308},
    {kLargest},
    {-kLargest},
    {1e15, 1e15 + 0.25, 1e15 + 4},
    {1},
    {0},
    {},
    {-2, 0},
};

TEST(AxisRange, EveryDataRangeIsShowableAndHoldsItsValues) {
    for (const std::vector<double>& values : kExtremeValues) {
        const AxisRange range = DataRange(values);
        SCOPED_TRACE(values.empty() ? 0.0 : values.front());
        EXPECT_TRUE(IsShowable(range)) << range.low << " " << range.high;
        EXPECT_GE(range.high - range.low, MinimumSpan(range) * 0.75);
        for (double value : values) {
            EXPECT_TRUE(range.low <= value && value <= range.high) << value;
        }
    }
}

TEST(AxisRange, DecadesOfEveryPrecisionAndErrorAreShowable) {
    const std::vector<double> precisions = {5e-324, 1e-320, 1.9753086e-05, 1,
                                            2e307,  1e308,  kLargest};
    const std::vector<std::vector<double>> errors = {{}, {0}, {kTiniest}, {1e-18, 1e300}};
    for (double precision : precisions) {
        for (const std::vector<double>& values : errors) {
            const AxisRange decades = DecadeRange(values, precision);
            SCOPED_TRACE(precision);
            EXPECT_TRUE(IsShowable(decades)) << decades.low << " " << decades.high;
            EXPECT_GE(decades.low, kDecades.low);
            EXPECT_LE(decades.high, kDecades.high);
            EXPECT_TRUE(decades.low <= std::log10(precision) &&
                        std::log10(precision) <= decades.high);
        }
    }
}

TEST(AxisMapping, HeaderExamples) {
    EXPECT_NEAR(AxisMapping({-1.7e308, 1.7e308}).ToPlot(1.7e308), 1.7e308 / 0x1p1023, 1e-12);
    EXPECT_EQ(AxisMapping({0, kTiniest}).ToPlot(kTiniest), 1.0);
    EXPECT_EQ(AxisMapping({0, 16}).ToPlot(8), 0.0);
}

TEST(AxisMapping, DrawsEveryRangeAtModerateCoordinatesAndMapsBack) {
    for (const std::vector<double>& values : kExtremeValues) {
        const AxisRange whole = DataRange(values);
        const AxisMapping mapping(whole);
        const AxisRange plot = mapping.ToPlot(whole);
        SCOPED_TRACE(whole.low);
        EXPECT_TRUE(IsShowable(plot));
        EXPECT_LE(std::fabs(plot.low), 2);
        EXPECT_LE(std::fabs(plot.high), 2);
        EXPECT_GE(plot.high - plot.low, 0.5);
        for (double value : values) {
            EXPECT_NEAR(mapping.ToValue(mapping.ToPlot(value)), value, MinimumSpan(whole) / 4);
        }
    }
}

TEST(Zoom, HeaderExamples) {
    const AxisRange widest = WidestRange({0, 1}, kReals);
    EXPECT_EQ(widest, (AxisRange{-7.5, 8.5}));
    EXPECT_EQ(Zoomed({0, 10}, 5, 0.5, {-100, 100}), (AxisRange{2.5, 7.5}));
    EXPECT_EQ(Zoomed({0, 10}, 0, 0.5, {-100, 100}), (AxisRange{0, 5}));
    EXPECT_EQ(Limited({7, 3}, {0, 10}), (AxisRange{3, 7}));
    EXPECT_EQ(Limited({-50, 50}, {0, 10}), (AxisRange{0, 10}));
}

TEST(Zoom, ThousandsOfStepsEachWayStayShowable) {
    for (const std::vector<double>& values : kExtremeValues) {
        const AxisRange whole = DataRange(values);
        const AxisRange widest = WidestRange(whole, kReals);
        SCOPED_TRACE(whole.low);
        AxisRange shown = whole;
        for (int step = 0; step < 4000; ++step) {
            shown = Zoomed(shown, whole.high, 1.25, widest);
            ASSERT_TRUE(IsShowable(shown)) << "out, step " << step;
        }
        EXPECT_EQ(shown, widest);  // as far out as it goes
        for (int step = 0; step < 8000; ++step) {
            shown = Zoomed(shown, whole.low / 3, 0.8, widest);
            ASSERT_TRUE(IsShowable(shown)) << "in, step " << step;
        }
        EXPECT_LE(shown.high - shown.low, 2 * MinimumSpan(shown));
        EXPECT_GE(shown.high - shown.low, MinimumSpan(shown) * 0.75);
    }
}

TEST(Zoom, DecadesStayWithinThoseOfThePositiveReals) {
    const AxisRange whole = DecadeRange(std::vector<double>{1e-300}, 1e300);
    const AxisRange widest = WidestRange(whole, kDecades);
    AxisRange shown = whole;
    for (int step = 0; step < 100; ++step) {
        shown = Zoomed(shown, -300, 1.25, widest);
    }
    EXPECT_EQ(shown, kDecades);
}

// Ticks lie in the range, rise, and have finite labels no two alike.
void ExpectReadable(const std::vector<Tick>& ticks, AxisRange shown, int maxTicks) {
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_LE(ticks.size(), static_cast<size_t>(maxTicks) + 3);
    for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_TRUE(std::isfinite(ticks[i].value));
        EXPECT_TRUE(shown.low <= ticks[i].value && ticks[i].value <= shown.high) << ticks[i].label;
        EXPECT_EQ(ticks[i].label.find_first_of("in"), std::string::npos) << ticks[i].label;
        EXPECT_NE(ticks[i].label, "-0");
        if (i > 0) {
            EXPECT_LT(ticks[i - 1].value, ticks[i].value);
            EXPECT_NE(ticks[i - 1].label, ticks[i].label);
        }
    }
}

TEST(Ticks, HeaderExamples) {
    EXPECT_EQ(Labels(LinearTicks({0, 16}, 5)), (std::vector<std::string>{"0", "5", "10", "15"}));
    EXPECT_EQ(Labels(LinearTicks({-2.1, 0.1}, 12)),
              (std::vector<std::string>{"-2", "-1.8", "-1.6", "-1.4", "-1.2", "-1", "-0.8", "-0.6",
                                        "-0.4", "-0.2", "0"}));
    EXPECT_EQ(Labels(LinearTicks({1e15, 1e15 + 4}, 3)),
              (std::vector<std::string>{"1e15", "1.000000000000002e15", "1.000000000000004e15"}));
    std::vector<std::string> decades;
    for (int power = -10; power <= -4; ++power) {
        decades.push_back("1e" + std::to_string(power));
    }
    EXPECT_EQ(Labels(DecadeTicks({-10.5, -3.5}, 8)), decades);
    EXPECT_EQ(Labels(DecadeTicks({-1.2, 0.8}, 8)),
              (std::vector<std::string>{"0.1", "0.2", "0.5", "1", "2", "5"}));
    EXPECT_EQ(CompactNumber(0.0000125L, 3), "1.25e-5");
    EXPECT_EQ(CompactNumber(-1.5L, 5), "-1.5");
    EXPECT_EQ(CompactNumber(2000, 1), "2000");
    EXPECT_EQ(CompactNumber(1234567, 3), "1.23e6");
    EXPECT_EQ(CompactNumber(-0.0L, 3), "0");
    EXPECT_EQ(ShortestCompact(1e15), "1e15");
    EXPECT_EQ(ShortestCompact(0.1), "0.1");
    const AxisTicks plain = OffsetTicks({0, 16}, 5, 7);
    EXPECT_EQ(Labels(plain.ticks), (std::vector<std::string>{"0", "5", "10", "15"}));
    EXPECT_EQ(plain.offsetLabel, "");
    const AxisTicks offset = OffsetTicks({1e15, 1e15 + 4}, 3, 7);
    EXPECT_EQ(Labels(offset.ticks), (std::vector<std::string>{"+0", "+2", "+4"}));
    EXPECT_EQ(offset.offset, 1e15);
    EXPECT_EQ(offset.offsetLabel, "1e15");
}

TEST(Ticks, OffsetLabelsTellNeighboursApartAndAddBackToTheirValues) {
    AxisRange shown = {1, 1};
    for (int step = 0; step < 300; ++step) {
        shown = Zoomed(DataRange(std::vector<double>{-3, 1}), 1, std::pow(0.8, step), kReals);
        const AxisTicks ticks = OffsetTicks(shown, 8, 7);
        SCOPED_TRACE(step);
        ExpectReadable(ticks.ticks, shown, 8);
        if (!ticks.offsetLabel.empty()) {
            EXPECT_EQ(ticks.ticks.front().label, "+0");
        }
        for (const Tick& tick : ticks.ticks) {
            EXPECT_LE(tick.label.size(), 12u) << tick.label;
            if (!ticks.offsetLabel.empty()) {
                const long double shownValue = std::stold(tick.label) + ticks.offset;
                EXPECT_NEAR(static_cast<double>(shownValue), tick.value,
                            std::fabs(tick.value) * 1e-15 + 1e-300);
            }
        }
    }
}

TEST(Ticks, EveryShowableRangeGetsReadableTicks) {
    std::vector<AxisRange> ranges;
    for (const std::vector<double>& values : kExtremeValues) {
        const AxisRange whole = DataRange(values);
        ranges.push_back(whole);
        AxisRange narrow = whole;
        for (int step = 0; step < 400; ++step) {
            narrow = Zoomed(narrow, whole.high, 0.8, kReals);
        }
        ranges.push_back(narrow);
    }
    for (const AxisRange& range : ranges) {
        for (int maxTicks : {2, 5, 11}) {
            SCOPED_TRACE(std::to_string(range.low) + " " + std::to_string(range.high) + " / " +
                         std::to_string(maxTicks));
            ExpectReadable(LinearTicks(range, maxTicks), range, maxTicks);
        }
    }
}

TEST(Ticks, EveryDecadeRangeGetsReadableTicks) {
    const std::vector<AxisRange> ranges = {kDecades,
                                           {-17, -15},
                                           {-5.2, -4.9},
                                           {307.5, kDecades.high},
                                           {kDecades.low, -322.5},
                                           {-1e-9, 1e-9},
                                           {2.0000001, 2.0000002}};
    for (const AxisRange& range : ranges) {
        for (int maxTicks : {2, 4, 8, 12}) {
            SCOPED_TRACE(std::to_string(range.low) + " / " + std::to_string(maxTicks));
            ExpectReadable(DecadeTicks(range, maxTicks), range, maxTicks);
        }
    }
}

TEST(Ticks, LinearTicksAreExactRoundValues) {
    // Bit identity is the point: k times the step, not a running sum.
    EXPECT_EQ(Values(LinearTicks({0, 1}, 11)),
              (std::vector<double>{0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1}));
}

}  // namespace
