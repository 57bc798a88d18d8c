#include "accessibility/accessibletable.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTableView>

#include "accessibility/takeover.h"

namespace {

constexpr char kTableProperty[] = "tabulatorAccessibleTable";

// What stands at a place of the table's children. They form a grid with a
// row for the column headings and a column for the row headings, numbered
// row by row, as the view's own focus and selection events number them.
enum class Place { Corner, ColumnHeading, RowHeading, Cell };

// One place of the grid: a cell, a heading, or the corner.
class TableItem : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    TableItem(QTableView* view, Place place, int row, int column)
        : view_(view), place_(place), row_(row), column_(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_);
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QRect rect() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface && place_ == Place::Cell
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Its number among the table's children, in a grid `columns` wide.
    int GridIndex(int columns) const { return (row_ + 1) * columns + column_ + 1; }
    const QTableView* View() const { return view_; }

private:
    QModelIndex Index() const { return view_->model()->index(row_, column_, view_->rootIndex()); }
    bool Hidden() const;

    QPointer<QTableView> view_;
    Place place_;
    int row_;     // -1 on the row of the column headings
    int column_;  // -1 on the column of the row headings
};

bool TableItem::isValid() const {
    if (view_ == nullptr || view_->model() == nullptr) {
        return false;
    }
    const QAbstractItemModel* model = view_->model();
    return row_ < model->rowCount(view_->rootIndex()) &&
           column_ < model->columnCount(view_->rootIndex());
}

QString TableItem::text(QAccessible::Text kind) const {
    const QAbstractItemModel* model = view_->model();
    switch (place_) {
        case Place::Cell: {
            const QString shown = model->data(Index(), Qt::DisplayRole).toString();
            if (kind != QAccessible::Description) {
                return kind == QAccessible::Name ? shown : QString();
            }
            // The value in full where the cell rounds it; never the same words twice.
            const QString full = model->data(Index(), Qt::ToolTipRole).toString();
            return full != shown ? full : QString();
        }
        case Place::ColumnHeading:
            return kind == QAccessible::Name
                       ? model->headerData(column_, Qt::Horizontal).toString().simplified()
                       : QString();
        case Place::RowHeading:
            return kind == QAccessible::Name ? QString::number(row_ + 1) : QString();
        case Place::Corner:
            break;
    }
    return kind == QAccessible::Name ? QStringLiteral("Номера строк") : QString();
}

QAccessible::Role TableItem::role() const {
    switch (place_) {
        case Place::Cell:
            return QAccessible::Cell;
        case Place::RowHeading:
            return QAccessible::RowHeader;
        case Place::ColumnHeading:
        case Place::Corner:
            break;
    }
    return QAccessible::ColumnHeader;
}

bool TableItem::Hidden() const {
    switch (place_) {
        case Place::Cell:
            return !view_->isVisible() ||
                   !view_->viewport()->rect().intersects(view_->visualRect(Index()));
        case Place::ColumnHeading:
            return view_->horizontalHeader()->isHidden();
        case Place::RowHeading:
            return view_->verticalHeader()->isHidden();
        case Place::Corner:
            break;
    }
    return view_->horizontalHeader()->isHidden() || view_->verticalHeader()->isHidden();
}

QAccessible::State TableItem::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.invisible = Hidden();
    if (place_ == Place::Cell) {
        const QAbstractItemView::SelectionMode mode = view_->selectionMode();
        state.selectable = mode != QAbstractItemView::NoSelection;
        state.multiSelectable = mode == QAbstractItemView::MultiSelection;
        state.extSelectable = mode == QAbstractItemView::ExtendedSelection;
        state.selected = isSelected();
        state.focusable = true;
        state.focused = view_->hasFocus() && view_->currentIndex() == Index();
    }
    return state;
}

QRect TableItem::rect() const {
    if (!isValid() || Hidden()) {
        return {};
    }
    switch (place_) {
        case Place::Cell:
            return view_->visualRect(Index()).translated(
                view_->viewport()->mapToGlobal(QPoint(0, 0)));
        case Place::ColumnHeading: {
            const QHeaderView* header = view_->horizontalHeader();
            return QRect(header->sectionViewportPosition(column_), 0, header->sectionSize(column_),
                         header->height())
                .translated(header->viewport()->mapToGlobal(QPoint(0, 0)));
        }
        case Place::RowHeading: {
            const QHeaderView* header = view_->verticalHeader();
            return QRect(0, header->sectionViewportPosition(row_), header->width(),
                         header->sectionSize(row_))
                .translated(header->viewport()->mapToGlobal(QPoint(0, 0)));
        }
        case Place::Corner:
            break;
    }
    const QPoint corner = view_->mapToGlobal(QPoint(view_->frameWidth(), view_->frameWidth()));
    return {corner, QSize(view_->verticalHeader()->width(), view_->horizontalHeader()->height())};
}

bool TableItem::isSelected() const {
    return place_ == Place::Cell && view_->selectionModel() != nullptr &&
           view_->selectionModel()->isSelected(Index());
}

QList<QAccessibleInterface*> TableItem::columnHeaderCells() const {
    QAccessibleInterface* whole = table();
    QAccessibleInterface* heading = whole != nullptr ? whole->child(column_ + 1) : nullptr;
    return heading != nullptr ? QList<QAccessibleInterface*>{heading}
                              : QList<QAccessibleInterface*>{};
}

// The rows' or the columns' numbers of `indexes`, by `number`.
QList<int> Numbers(const QModelIndexList& indexes, int (QModelIndex::*number)() const) {
    QList<int> numbers;
    numbers.reserve(indexes.size());
    for (const QModelIndex& index : indexes) {
        numbers.append((index.*number)());
    }
    return numbers;
}

// The table itself: its grid of children, and the table interface a screen
// reader moves through cell by cell.
class AccessibleTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleTable(QTableView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~AccessibleTable() override { Forget(); }
    AccessibleTable(const AccessibleTable&) = delete;
    AccessibleTable& operator=(const AccessibleTable&) = delete;

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override { return QString::number(row + 1); }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override { return Select(row, -1, QItemSelectionModel::Select); }
    bool selectColumn(int column) override {
        return Select(-1, column, QItemSelectionModel::Select);
    }
    bool unselectRow(int row) override { return Select(row, -1, QItemSelectionModel::Deselect); }
    bool unselectColumn(int column) override {
        return Select(-1, column, QItemSelectionModel::Deselect);
    }
    int columnCount() const override;
    int rowCount() const override;
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override { Forget(); }

private:
    QTableView* View() const { return static_cast<QTableView*>(widget()); }
    QModelIndex Index(int row, int column) const {
        return View()->model()->index(row, column, View()->rootIndex());
    }
    // Selects or deselects a whole row (column -1) or a whole column (row -1).
    bool Select(int row, int column, QItemSelectionModel::SelectionFlag how);
    // Drops the children made so far: the model has changed under them.
    void Forget();

    mutable QHash<int, QAccessible::Id> children_;
};

int AccessibleTable::columnCount() const {
    const QAbstractItemModel* model = View()->model();
    return model != nullptr ? model->columnCount(View()->rootIndex()) : 0;
}

int AccessibleTable::rowCount() const {
    const QAbstractItemModel* model = View()->model();
    return model != nullptr ? model->rowCount(View()->rootIndex()) : 0;
}

int AccessibleTable::childCount() const {
    return View()->model() != nullptr ? (rowCount() + 1) * (columnCount() + 1) : 0;
}

QAccessibleInterface* AccessibleTable::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    if (const auto known = children_.constFind(index); known != children_.cend()) {
        return QAccessible::accessibleInterface(*known);
    }
    const int columns = columnCount() + 1;
    const int row = index / columns - 1;
    const int column = index % columns - 1;
    const Place place = row < 0 ? (column < 0 ? Place::Corner : Place::ColumnHeading)
                                : (column < 0 ? Place::RowHeading : Place::Cell);
    auto* item = new TableItem(View(), place, row, column);
    children_.insert(index, QAccessible::registerAccessibleInterface(item));
    return item;
}

int AccessibleTable::indexOfChild(const QAccessibleInterface* child) const {
    const auto* item = dynamic_cast<const TableItem*>(child);
    return item != nullptr && item->View() == View() ? item->GridIndex(columnCount() + 1) : -1;
}

QAccessibleInterface* AccessibleTable::childAt(int x, int y) const {
    const QPoint global(x, y);
    const QWidget* cells = View()->viewport();
    const QPoint inCells = cells->mapFromGlobal(global);
    if (cells->rect().contains(inCells)) {
        const QModelIndex index = View()->indexAt(inCells);
        return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
    }
    const QHeaderView* header = View()->horizontalHeader();
    const QPoint inHeader = header->viewport()->mapFromGlobal(global);
    if (header->isVisible() && header->viewport()->rect().contains(inHeader)) {
        const int column = header->logicalIndexAt(inHeader.x());
        return column >= 0 ? child(column + 1) : nullptr;
    }
    return nullptr;
}

QAccessibleInterface* AccessibleTable::focusChild() const {
    const QModelIndex current = View()->currentIndex();
    return current.isValid() ? cellAt(current.row(), current.column()) : nullptr;
}

QAccessibleInterface* AccessibleTable::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) {
        return nullptr;
    }
    return child((row + 1) * (columnCount() + 1) + column + 1);
}

int AccessibleTable::selectedCellCount() const {
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection != nullptr ? static_cast<int>(selection->selectedIndexes().size()) : 0;
}

QList<QAccessibleInterface*> AccessibleTable::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    if (const QItemSelectionModel* selection = View()->selectionModel()) {
        for (const QModelIndex& index : selection->selectedIndexes()) {
            cells.append(cellAt(index.row(), index.column()));
        }
    }
    return cells;
}

QString AccessibleTable::columnDescription(int column) const {
    return View()->model()->headerData(column, Qt::Horizontal).toString().simplified();
}

QList<int> AccessibleTable::selectedColumns() const {
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection != nullptr ? Numbers(selection->selectedColumns(), &QModelIndex::column)
                                : QList<int>();
}

QList<int> AccessibleTable::selectedRows() const {
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection != nullptr ? Numbers(selection->selectedRows(), &QModelIndex::row)
                                : QList<int>();
}

bool AccessibleTable::isColumnSelected(int column) const {
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection != nullptr && selection->isColumnSelected(column, View()->rootIndex());
}

bool AccessibleTable::isRowSelected(int row) const {
    const QItemSelectionModel* selection = View()->selectionModel();
    return selection != nullptr && selection->isRowSelected(row, View()->rootIndex());
}

bool AccessibleTable::Select(int row, int column, QItemSelectionModel::SelectionFlag how) {
    QItemSelectionModel* selection = View()->selectionModel();
    const bool wholeRow = row >= 0;
    if (selection == nullptr || View()->selectionMode() == QAbstractItemView::NoSelection ||
        (wholeRow ? row >= rowCount() : column < 0 || column >= columnCount())) {
        return false;
    }
    const QModelIndex first = wholeRow ? Index(row, 0) : Index(0, column);
    selection->select(first,
                      how | (wholeRow ? QItemSelectionModel::Rows : QItemSelectionModel::Columns));
    return true;
}

void AccessibleTable::Forget() {
    for (const QAccessible::Id id : std::as_const(children_)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    children_.clear();
}

}  // namespace

void SetAccessibleTable(QTableView* table) {
    TakeOver(table, kTableProperty, true,
             &MarkedFactory<QTableView, AccessibleTable, kTableProperty>, &IsA<AccessibleTable>);
}
