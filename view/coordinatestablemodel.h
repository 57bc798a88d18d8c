#pragma once

#include <unordered_map>
#include <vector>

#include <QAbstractTableModel>

#include "table/table.h"

class QAbstractItemView;

// The table of a run's lines for a QTableView, read from the run's record:
// the columns of TableColumns, x and y exactly as the coordinates text prints
// them, the other reals with four significant digits; each cell's tooltip,
// and the copy (FullTextRole), hold the full-precision value. Rows are
// computed when a view asks for them (y* and the remedies take microseconds
// a row), so a million lines cost little. Rows whose precision is not
// guaranteed are tinted besides their "нет". The record must outlive the model.
class CoordinatesTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The cell as the files hold it, for copying.
    static constexpr int FullTextRole = Qt::UserRole;

    CoordinatesTableModel(const RunRecord& record, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The cell's text as the table shows it.
    QString CellText(int row, int column) const;
    // Whether the row's precision is guaranteed (always in a closed-form run).
    bool Guaranteed(int row) const;

private:
    const TableRow& Row(int row) const;
    QVariant CellData(const QModelIndex& index, int role) const;

    const RunRecord& record_;
    std::vector<TableColumn> columns_;
    mutable std::unordered_map<int, TableRow> rows_;  // the rows a view asked for lately
};

// The selected cells of `view`'s model at full precision as tab-separated
// text, one line per row of the selection's bounding rectangle.
QString SelectionAsTabSeparated(const QAbstractItemView& view);
