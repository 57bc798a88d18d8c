#pragma once

#include <vector>

#include <QDialog>

#include "analysis/seriesbreakdown.h"
#include "view/termstablemodel.h"

class QHBoxLayout;
class QTableView;
class TermsPlot;

// "Разбор ряда": the series at one abscissa, term by term, summed as the run
// summed it (BreakDownSeries): a table of n, Tₙ, Sₙ, |Sₙ − y*|, whether |Tₙ|
// was above the precision and the rounding bound so far, then |Sₙ − y*| with
// the series summed at 24, 64 and 113 bits and at a precision the user
// chooses ("chosenBits", first the bits the line needs); and a plot against n
// on a logarithmic axis of |Tₙ|, the errors, the precision and the rounding
// floor u Σ|Tₖ| that the largest terms leave behind: the truncation error falls
// as the terms shrink until it meets that floor, which drops as the bits grow. Where the series
// faults, the steps before the fault are shown and the fault told. Modal; Ctrl+C copies the table's
// selection at full precision. Object names: "summary", "terms", "termsPlot", "legend",
// "closeButton".
class SeriesTermsDialog : public QDialog {
    Q_OBJECT

public:
    SeriesTermsDialog(QWidget* parent, double x, double precision);
    // Takes the table and its model away before the breakdown and the
    // precisions they read.
    ~SeriesTermsDialog() override;

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
    // The spin box of the working precision the user chooses.
    QHBoxLayout* MakeBitsRow();
    // Sums the series at `bits` bits for the last column and curve.
    void ChooseBits(int bits);

    SeriesBreakdown breakdown_;
    // 24, 64 and 113 bits, and the user's.
    std::vector<ErrorsAtBits> precisions_;
    QTableView* table_ = nullptr;
    TermsTableModel* model_ = nullptr;
    TermsPlot* plot_ = nullptr;
    bool fitted_ = false;
};
