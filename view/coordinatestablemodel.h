#pragma once

#include <optional>
#include <vector>

#include <QAbstractTableModel>

#include "table/table.h"

class QAbstractItemView;

// The table of a run's lines for a QTableView, read from the run's record:
// the columns of TableColumns, x and y exactly as the coordinates text prints
// them, the other reals at full precision. Rows are read when a view asks for
// them, so a million lines cost little. Rows whose precision is not
// guaranteed have a reddish background besides their "нет" in the last
// column. The record must outlive the model.
class CoordinatesTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    CoordinatesTableModel(const RunRecord& record, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The cell's text as the table shows it.
    QString CellText(int row, int column) const;

private:
    const TableRow& Row(int row) const;
    QVariant CellData(const QModelIndex& index, int role) const;

    const RunRecord& record_;
    std::vector<TableColumn> columns_;
    mutable std::optional<TableRow> lastRow_;  // a view asks for a row's cells one by one
};

// The selected cells of `view`'s model as tab-separated text, one line per
// row of the selection's bounding rectangle.
QString SelectionAsTabSeparated(const QAbstractItemView& view);
