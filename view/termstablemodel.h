#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "analysis/seriesbreakdown.h"
#include "table/termstable.h"

// The partial sums' errors |Sₙ − y*| with the series summed at another
// working precision, one per term of the breakdown (fewer where a term left
// the range first).
struct ErrorsAtBits {
    int bits = 53;
    std::vector<double> errors;
};

// The steps of a breakdown as a table: its columns (TermColumns), then one
// column of errors per working precision, headed "|Sₙ − y*|, 24 бита". Every
// heading's tooltip says what the column is. Cells show numbers shortened,
// their tooltips and CoordinatesTableModel::FullTextRole at full precision.
class TermsTableModel : public QAbstractTableModel {
public:
    // The breakdown and the precisions must outlive the model.
    TermsTableModel(const SeriesBreakdown& breakdown, const std::vector<ErrorsAtBits>& precisions,
                    QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views that the precision at `index` changed.
    void PrecisionChanged(size_t index);

private:
    Cell CellAt(int row, int column) const;

    const SeriesBreakdown& breakdown_;
    const std::vector<ErrorsAtBits>& precisions_;
    std::vector<TermColumn> columns_;
};
