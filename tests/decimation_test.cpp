#include "plotmath/decimation.h"

#include <algorithm>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(Decimation, EachCurveThinnedAsAloneOnOneThreadOrTwo) {
    std::mt19937_64 random(5);
    std::uniform_real_distribution<double> value(-3, 3);
    for (size_t points : {size_t{1000}, size_t{120'000}}) {  // below and above a thread's worth
        SCOPED_TRACE(points);
        std::vector<double> xs(points);
        std::vector<std::vector<double>> ys(5, std::vector<double>(points));
        for (size_t i = 0; i < points; ++i) {
            xs[i] = static_cast<double>(i) * 0.01;
            for (std::vector<double>& curve : ys) {
                curve[i] = value(random);
            }
        }
        const std::vector<std::span<const double>> curves(ys.begin(), ys.end());
        const auto kept = DecimateEachPerColumn(xs, curves, 1, xs.back() - 1, 300);
        ASSERT_EQ(kept.size(), curves.size());
        for (size_t k = 0; k < curves.size(); ++k) {
            EXPECT_EQ(kept[k], DecimatePerColumn(xs, curves[k], 1, xs.back() - 1, 300));
        }
    }
}

TEST(Decimation, HeaderExamples) {
    const std::vector<double> xs = {0, 1, 2, 3};
    const std::vector<double> ys = {0, 5, -5, 0};
    EXPECT_EQ(DecimatePerColumn(xs, ys, 0, 3, 1), (std::vector<size_t>{1, 2}));
    const std::vector<size_t> all = {0, 1, 2, 3};
    EXPECT_EQ(DecimatePerColumn(xs, ys, 0, 3, 2), all);
    EXPECT_EQ(DecimatePerColumn(xs, ys, 1, 2, 1), all);
    EXPECT_EQ(NearestIndex(xs, 0.4), 0u);
    EXPECT_EQ(NearestIndex(xs, 0.6), 1u);
    EXPECT_EQ(NearestIndex(xs, 9), 3u);
    EXPECT_EQ(NearestIndex(std::vector<double>{2, 1, 0}, 0.4), 2u);
    EXPECT_EQ(VisibleIndices(xs, 0.5, 2.5), (std::pair<size_t, size_t>{1, 3}));
    EXPECT_EQ(VisibleIndices(std::vector<double>{3, 2, 1, 0}, 0.5, 2.5),
              (std::pair<size_t, size_t>{1, 3}));
}

TEST(Decimation, KeepsEveryColumnsLowestAndHighestPoint) {
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0, 1);
    for (const bool rising : {true, false}) {
        std::vector<double> xs;
        std::vector<double> ys;
        for (int i = 0; i < 100'000; ++i) {
            xs.push_back(rising ? i * 0.01 : -i * 0.01);
            ys.push_back(noise(random) + (i == 31'337 ? 1e6 : 0));  // one lone peak
        }
        const double xMin = rising ? 100 : -900;
        const double xMax = rising ? 900 : -100;
        constexpr int kColumns = 640;
        const std::vector<size_t> kept = DecimatePerColumn(xs, ys, xMin, xMax, kColumns);
        EXPECT_LE(kept.size(), 2u * kColumns + 2);
        // Every column's extremes, found the slow way, are among the kept points.
        std::vector<std::optional<size_t>> lowest(kColumns);
        std::vector<std::optional<size_t>> highest(kColumns);
        for (size_t i = 0; i < xs.size(); ++i) {
            if (xs[i] < xMin || xs[i] > xMax) {
                continue;
            }
            const auto column =
                std::min(static_cast<size_t>((xs[i] - xMin) / (xMax - xMin) * kColumns),
                         size_t{kColumns - 1});
            if (!lowest[column] || ys[i] < ys[*lowest[column]]) {
                lowest[column] = i;
            }
            if (!highest[column] || ys[i] > ys[*highest[column]]) {
                highest[column] = i;
            }
        }
        const auto isKept = [&](size_t index) {
            return std::find(kept.begin(), kept.end(), index) != kept.end();
        };
        for (int column = 0; column < kColumns; ++column) {
            for (const auto& index : {lowest[column], highest[column]}) {
                ASSERT_TRUE(index.has_value());
                ASSERT_TRUE(isKept(*index)) << "column " << column << " rising " << rising;
            }
        }
        EXPECT_TRUE(isKept(31'337));
        EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));  // in sweep order
    }
}

TEST(Decimation, LeavesOutValuesThatAreNotFinite) {
    const std::vector<double> xs = {0, 1, 2};
    const std::vector<double> ys = {1, std::numeric_limits<double>::quiet_NaN(), 2};
    EXPECT_EQ(DecimatePerColumn(xs, ys, 0, 2, 8), (std::vector<size_t>{0, 2}));
}

}  // namespace
