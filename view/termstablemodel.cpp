#include "view/termstablemodel.h"

#include <string>

#include "view/coordinatestablemodel.h"

TermsTableModel::TermsTableModel(const SeriesBreakdown& breakdown,
                                 const std::vector<ErrorsAtBits>& precisions, QObject* parent)
    : QAbstractTableModel(parent),
      breakdown_(breakdown),
      precisions_(precisions),
      columns_(TermColumns()) {}

int TermsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(breakdown_.steps.size());
}

int TermsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size() + precisions_.size());
}

Cell TermsTableModel::CellAt(int row, int column) const {
    const auto at = static_cast<size_t>(column);
    const auto step = static_cast<size_t>(row);
    if (at < columns_.size()) {
        return TermCell(breakdown_.steps[step], columns_[at]);
    }
    const std::vector<double>& errors = precisions_[at - columns_.size()].errors;
    return step < errors.size() ? Cell{Cell::Kind::Real, errors[step]} : Cell{};
}

QVariant TermsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const Cell cell = CellAt(index.row(), index.column());
    if (role == Qt::DisplayRole) {
        return QString::fromStdString(ShownNumber(cell));
    }
    if (role == Qt::ToolTipRole || role == CoordinatesTableModel::FullTextRole) {
        std::string text;
        AppendFileCell(text, cell);
        return QString::fromStdString(text);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant TermsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || orientation != Qt::Horizontal ||
        section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const auto at = static_cast<size_t>(section);
    if (at < columns_.size()) {
        return QString::fromStdString(std::string(
            role == Qt::ToolTipRole ? TermDescription(columns_[at]) : TermHeading(columns_[at])));
    }
    const int bits = precisions_[at - columns_.size()].bits;
    return QString::fromStdString(role == Qt::ToolTipRole ? ErrorAtBitsDescription(bits)
                                                          : ErrorAtBitsHeading(bits));
}

void TermsTableModel::PrecisionChanged(size_t index) {
    const int column = static_cast<int>(columns_.size() + index);
    emit headerDataChanged(Qt::Horizontal, column, column);
    emit dataChanged(this->index(0, column), this->index(rowCount() - 1, column));
}
