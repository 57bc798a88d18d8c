#include "view/coordinatestablemodel.h"

#include <exception>
#include <string>

#include <QAbstractItemView>
#include <QColor>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPalette>
#include <QRect>

#include "evaluation/sweep.h"

namespace {

// A tint for rows not guaranteed, clearly apart from the base, with text
// that reads on it: light red under black on a light desktop, dark red under
// white on a dark one.
const QColor kUnguaranteedLight(255, 214, 214);
const QColor kUnguaranteedDark(110, 32, 32);

bool DarkDesktop() {
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Base).lightness() < palette.color(QPalette::Text).lightness();
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CoordinatesTableModel::CoordinatesTableModel(const RunRecord& record, QObject* parent)
    : QAbstractTableModel(parent), record_(record), columns_(TableColumns(record.recipe.choice)) {}

int CoordinatesTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(record_.LineCount());
}

int CoordinatesTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

const TableRow& CoordinatesTableModel::Row(int row) const {
    constexpr size_t kRowsKept = 512;  // more than any screen shows
    if (const auto found = rows_.find(row); found != rows_.end()) {
        return found->second;
    }
    if (rows_.size() >= kRowsKept) {
        rows_.clear();
    }
    return rows_.emplace(row, RowOf(record_, static_cast<size_t>(row))).first->second;
}

QString CoordinatesTableModel::CellText(int row, int column) const {
    const TableColumn shown = columns_[static_cast<size_t>(column)];
    return Text(ShownCell(CellOf(Row(row), shown), shown, record_.recipe.choice));
}

bool CoordinatesTableModel::Guaranteed(int row) const {
    return Row(row).guaranteed;
}

QVariant CoordinatesTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    try {
        return CellData(index, role);
    } catch (const std::exception&) {
        return {};  // a view asks again as it repaints; nothing may leave into its loop
    }
}

QVariant CoordinatesTableModel::CellData(const QModelIndex& index, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return CellText(index.row(), index.column());
        case Qt::ToolTipRole:
        case FullTextRole: {
            std::string text;
            AppendFileCell(text,
                           CellOf(Row(index.row()), columns_[static_cast<size_t>(index.column())]));
            return Text(text);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return Guaranteed(index.row())
                       ? QVariant()
                       : QVariant(DarkDesktop() ? kUnguaranteedDark : kUnguaranteedLight);
        case Qt::ForegroundRole:
            return Guaranteed(index.row())
                       ? QVariant()
                       : QVariant(QColor(DarkDesktop() ? Qt::white : Qt::black));
        default:
            return {};
    }
}

QVariant CoordinatesTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if ((role != Qt::DisplayRole && role != Qt::ToolTipRole) || orientation != Qt::Horizontal ||
        section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const TableColumn column = columns_[static_cast<size_t>(section)];
    return Text(
        std::string(role == Qt::ToolTipRole ? ColumnDescription(column) : ColumnHeading(column)));
}

QString SelectionAsTabSeparated(const QAbstractItemView& view) {
    const QItemSelection selection = view.selectionModel()->selection();
    if (selection.isEmpty()) {
        return {};
    }
    // The bounding rectangle, from the ranges: a whole table selected is one range.
    QRect bounds;
    for (const QItemSelectionRange& range : selection) {
        bounds |= QRect(QPoint(range.left(), range.top()), QPoint(range.right(), range.bottom()));
    }
    const QAbstractItemModel& model = *view.model();
    QString text;
    for (int row = bounds.top(); row <= bounds.bottom(); ++row) {
        for (int column = bounds.left(); column <= bounds.right(); ++column) {
            const QModelIndex index = model.index(row, column);
            if (selection.contains(index)) {
                text += index.data(CoordinatesTableModel::FullTextRole).toString();
            }
            text += column < bounds.right() ? QLatin1Char('\t') : QLatin1Char('\n');
        }
    }
    return text;
}
