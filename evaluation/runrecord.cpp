#include "evaluation/runrecord.h"

namespace {

// Room for `lines` elements: what is kept, unless it is more than twice that.
template <typename T>
void ReserveExactly(std::vector<T>& column, size_t lines) {
    if (column.capacity() / 2 > lines) {
        std::vector<T>().swap(column);
    }
    column.reserve(lines);
}

}  // namespace

void RunRecord::ClearLines() {
    x_.clear();
    y_.clear();
    series_.clear();
    notGuaranteed_ = 0;
}

void RunRecord::ReleaseLines() {
    std::vector<double>().swap(x_);
    std::vector<double>().swap(y_);
    std::vector<SeriesDetail>().swap(series_);
    notGuaranteed_ = 0;
}

void RunRecord::Reserve(size_t lines) {
    ReserveExactly(x_, lines);
    ReserveExactly(y_, lines);
    ReserveExactly(series_, IsSeries() ? lines : 0);
}
