#pragma once

#include <cstdint>

// The abscissas a sweep visits: the first abscissa, then running sums of the
// step (x := x + step, never start + k * step), while x <= bound (x >= bound
// for a negative step). The sweep itself, its foresight of the line count and
// everything that walks a run again go through this one class, so they agree
// to the bit.
//   SweepAbscissas(0.1, 1, 0.1): 0.1, 0.2, 0.30000000000000004, ..., 0.9999999999999999
//   SweepAbscissas(1, 0, -0.5): 1, 0.5, 0
//   SweepAbscissas(2, 1, 0.5): none
class SweepAbscissas {
public:
    // How an Advance went.
    enum class Step {
        Moved,       // x is the next abscissa
        Stuck,       // adding the step no longer changes x
        Overflowed,  // the sum left the reals; x stays as it was
    };

    SweepAbscissas(double start, double bound, double step)
        : x_(start), bound_(bound), step_(step) {}

    // Whether the sweep visits Current().
    bool InRange() const { return step_ >= 0 ? x_ <= bound_ : x_ >= bound_; }
    double Current() const { return x_; }
    Step Advance() {
        const double next = x_ + step_;
        if (next - next != 0) {  // infinite: the sum left the reals
            return Step::Overflowed;
        }
        if (next == x_) {
            return Step::Stuck;
        }
        x_ = next;
        return Step::Moved;
    }

private:
    double x_;
    double bound_;
    double step_;
};

// Where a sweep will go, found by walking its abscissas alone.
struct SweepExtent {
    std::int64_t lines = 0;  // counted no further than maxLines + 1
    double widestX = 0.0;    // the magnitude of the widest abscissa
};

// Walks the abscissas as the sweep will, without evaluating anything; stops
// past `maxLines` lines or where the walk sticks or leaves the reals, as the
// sweep itself does.
//   SweepForesight(0, 1, 0.25, 100) -> {5, 1}; SweepForesight(0, 1e9, 1, 100) -> {101, 100}
SweepExtent SweepForesight(double start, double bound, double step, std::int64_t maxLines);
