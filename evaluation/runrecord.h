#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "evaluation/formulas.h"

// Which way a run computes y: the power series (the user answered Yes) or the
// closed form (No).
enum class FormulaChoice { Series, ClosedForm };

// How a run was asked for: the answers as they were read.
struct RunRecipe {
    FormulaChoice choice = FormulaChoice::ClosedForm;
    double start = 0.0;  // the first abscissa
    double bound = 0.0;  // the last abscissa the sweep may reach
    double step = 0.0;
    double precision = 0.0;  // series runs only

    bool operator==(const RunRecipe&) const = default;
};

// A run as its sweep made it: the recipe, and for every coordinate line, in
// sweep order, what the line was made from. The sweep writes it once, as it
// goes; every view of the run (the table, the plot, the files, the line
// count) reads it and evaluates nothing again. A closed-form line takes 16
// bytes, a series line 48.
class RunRecord {
public:
    RunRecipe recipe;

    // Forgets every line; the recipe stays, and so does the room the lines
    // took, for a run of about the same size to reuse.
    void ClearLines();
    // Forgets every line and gives their room back.
    void ReleaseLines();
    // Makes room for `lines` lines of the recipe's kind at once; gives back
    // room kept from an earlier run that is more than twice that.
    void Reserve(size_t lines);
    void AddClosedFormLine(double x, double y) {
        x_.push_back(x);
        y_.push_back(y);
    }
    // `guaranteed`: whether the sweep proved the line within the precision.
    void AddSeriesLine(double x, const SeriesResult& value, bool guaranteed) {
        x_.push_back(x);
        y_.push_back(value.Sum);
        series_.push_back(static_cast<const SeriesDetail&>(value));
        notGuaranteed_ += guaranteed ? 0 : 1;
    }

    size_t LineCount() const { return x_.size(); }
    bool IsSeries() const { return recipe.choice == FormulaChoice::Series; }
    // Every line's abscissa and value, in sweep order.
    std::span<const double> X() const { return x_; }
    std::span<const double> Y() const { return y_; }
    // Every line's series detail; empty in a closed-form run.
    std::span<const SeriesDetail> Series() const { return series_; }
    // The series lines not proved within the precision, as the sweep found them.
    size_t NotGuaranteedCount() const { return notGuaranteed_; }

private:
    std::vector<double> x_;
    std::vector<double> y_;
    std::vector<SeriesDetail> series_;
    size_t notGuaranteed_ = 0;
};
