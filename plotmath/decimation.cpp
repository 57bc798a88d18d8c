#include "plotmath/decimation.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#include <utility>

namespace {

struct ColumnExtremes {
    size_t lowest = 0;
    size_t highest = 0;
    bool used = false;
};

std::pair<size_t, size_t> IndexRange(std::span<const double> xs, double xMin, double xMax) {
    const bool rising = xs.size() < 2 || xs.front() <= xs.back();
    if (rising) {
        const auto first = std::lower_bound(xs.begin(), xs.end(), xMin);
        const auto last = std::upper_bound(first, xs.end(), xMax);
        return {static_cast<size_t>(first - xs.begin()), static_cast<size_t>(last - xs.begin())};
    }
    const auto first = std::lower_bound(xs.begin(), xs.end(), xMax, std::greater<>());
    const auto last = std::upper_bound(first, xs.end(), xMin, std::greater<>());
    return {static_cast<size_t>(first - xs.begin()), static_cast<size_t>(last - xs.begin())};
}

}  // namespace

std::pair<size_t, size_t> VisibleIndices(std::span<const double> xs, double xMin, double xMax) {
    return IndexRange(xs, xMin, xMax);
}

std::vector<size_t> DecimatePerColumn(std::span<const double> xs, std::span<const double> ys,
                                      double xMin, double xMax, int columns) {
    const auto [first, last] = IndexRange(xs, xMin, xMax);
    std::vector<size_t> kept;
    if (first > 0) {
        kept.push_back(first - 1);
    }
    if (last < xs.size()) {
        kept.push_back(last);
    }
    std::vector<ColumnExtremes> extremes(static_cast<size_t>(std::max(columns, 1)));
    // Halves keep the width finite across the whole real range.
    const double halfWidth = xMax / 2 - xMin / 2;
    for (size_t i = first; i < last; ++i) {
        if (!std::isfinite(ys[i])) {
            continue;
        }
        const double share = halfWidth > 0 ? (xs[i] / 2 - xMin / 2) / halfWidth : 0.0;
        const auto column = std::min(
            static_cast<size_t>(std::max(share, 0.0) * static_cast<double>(extremes.size())),
            extremes.size() - 1);
        ColumnExtremes& slot = extremes[column];
        if (!slot.used) {
            slot = {i, i, true};
            continue;
        }
        if (ys[i] < ys[slot.lowest]) {
            slot.lowest = i;
        }
        if (ys[i] > ys[slot.highest]) {
            slot.highest = i;
        }
    }
    for (const ColumnExtremes& slot : extremes) {
        if (slot.used) {
            kept.push_back(slot.lowest);
            kept.push_back(slot.highest);
        }
    }
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    std::erase_if(kept, [&](size_t i) { return !std::isfinite(ys[i]); });
    return kept;
}

size_t NearestIndex(std::span<const double> xs, double x) {
    const size_t first = IndexRange(xs, x, x).first;
    // `first` is where x would go: the nearest is it or the one before.
    size_t nearest = std::min(first, xs.size() - 1);
    if (first > 0 && std::fabs(xs[first - 1] - x) <= std::fabs(xs[nearest] - x)) {
        nearest = first - 1;
    }
    return nearest;
}

std::vector<std::vector<size_t>> DecimateEachPerColumn(
    std::span<const double> xs, const std::vector<std::span<const double>>& curves, double xMin,
    double xMax, int columns) {
    constexpr size_t kPointsWorthAThread = 50'000;
    std::vector<std::vector<size_t>> kept(curves.size());
    const auto decimate = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            kept[i] = DecimatePerColumn(xs, curves[i], xMin, xMax, columns);
        }
    };
    if (xs.size() < kPointsWorthAThread || curves.size() < 2) {
        decimate(0, curves.size());
        return kept;
    }
    const size_t half = curves.size() / 2;
    std::future<void> second = std::async(std::launch::async, decimate, half, curves.size());
    decimate(0, half);
    second.get();
    return kept;
}
