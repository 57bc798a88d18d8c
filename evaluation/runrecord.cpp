#include "evaluation/runrecord.h"

void RunRecord::ClearLines() {
    // Swapped out rather than cleared, so a large earlier run gives its memory back.
    std::vector<double>().swap(x_);
    std::vector<double>().swap(y_);
    std::vector<SeriesDetail>().swap(series_);
}

void RunRecord::Reserve(size_t lines) {
    x_.reserve(lines);
    y_.reserve(lines);
    if (IsSeries()) {
        series_.reserve(lines);
    }
}

void RunRecord::AddClosedFormLine(double x, double y) {
    x_.push_back(x);
    y_.push_back(y);
}

void RunRecord::AddSeriesLine(double x, const SeriesResult& value) {
    x_.push_back(x);
    y_.push_back(value.Sum);
    series_.push_back({value.Term, value.RoundingBound, value.MagnitudeSum, value.TermIndex});
}
