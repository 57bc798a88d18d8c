#pragma once

#include <QDialog>

#include "analysis/seriesbreakdown.h"

class QTableView;

// "Разбор ряда": the series at one abscissa, term by term, summed as the run
// summed it (BreakDownSeries): a table of n, Tₙ, Sₙ, |Sₙ − y*|, whether |Tₙ|
// was above the precision and the rounding bound so far, and a plot against n
// on a logarithmic axis of |Tₙ|, |Sₙ − y*|, the precision and the rounding
// floor u Σ|Tₖ| that the largest terms leave behind: the truncation error falls
// as the terms shrink until it meets that floor. Where the series faults, the
// steps before the fault are shown and the fault told. Modal; Ctrl+C copies
// the table's selection at full precision. Object names: "summary", "terms",
// "termsPlot", "legend", "closeButton".
class SeriesTermsDialog : public QDialog {
    Q_OBJECT

public:
    SeriesTermsDialog(QWidget* parent, double x, double precision);

    const SeriesBreakdown& Breakdown() const { return breakdown_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeTable();
    // Narrows the dialogue to what the table's columns need.
    void FitWidthToTable();
    // Shares the table's room beside its columns' contents among them.
    void ShareRoomAmongColumns();
    QWidget* MakePlot();

    SeriesBreakdown breakdown_;
    QTableView* table_ = nullptr;
    bool fitted_ = false;
};
