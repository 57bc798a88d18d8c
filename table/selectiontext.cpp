#include "table/selectiontext.h"

#include <algorithm>
#include <string>

#include "table/rowblocks.h"
#include "table/table.h"

namespace {

// The blocks cut to the table's rows and columns; those wholly outside left out.
std::vector<CellBlock> WithinTable(const std::vector<CellBlock>& blocks, std::size_t rows,
                                   std::size_t columns) {
    std::vector<CellBlock> within;
    for (CellBlock block : blocks) {
        if (block.top > block.bottom || block.left > block.right || block.top >= rows ||
            block.left >= columns) {
            continue;
        }
        block.bottom = std::min(block.bottom, rows - 1);
        block.right = std::min(block.right, columns - 1);
        within.push_back(block);
    }
    return within;
}

// The rectangle that holds every block.
CellBlock Bounds(const std::vector<CellBlock>& blocks) {
    CellBlock bounds = blocks.front();
    for (const CellBlock& block : blocks) {
        bounds.top = std::min(bounds.top, block.top);
        bounds.bottom = std::max(bounds.bottom, block.bottom);
        bounds.left = std::min(bounds.left, block.left);
        bounds.right = std::max(bounds.right, block.right);
    }
    return bounds;
}

// Which columns of `row` the blocks select, from bounds.left on.
std::vector<bool> SelectedColumns(const std::vector<CellBlock>& blocks, const CellBlock& bounds,
                                  std::size_t row) {
    std::vector<bool> selected(bounds.right - bounds.left + 1, false);
    for (const CellBlock& block : blocks) {
        if (block.top <= row && row <= block.bottom) {
            std::fill(selected.begin() + static_cast<std::ptrdiff_t>(block.left - bounds.left),
                      selected.begin() + static_cast<std::ptrdiff_t>(block.right - bounds.left + 1),
                      true);
        }
    }
    return selected;
}

void AppendSelectedRow(std::string& out, const RunRecord& record,
                       const std::vector<TableColumn>& columns,
                       const std::vector<CellBlock>& blocks, const CellBlock& bounds,
                       std::size_t row) {
    const std::vector<bool> selected = SelectedColumns(blocks, bounds, row);
    if (std::find(selected.begin(), selected.end(), true) == selected.end()) {
        out.append(selected.size() - 1, '\t').push_back('\n');
        return;  // no cell of it: no row to make
    }
    const TableRow cells = RowOf(record, row);
    for (std::size_t k = 0; k < selected.size(); ++k) {
        if (selected[k]) {
            AppendFileCell(out, CellOf(cells, columns[bounds.left + k]));
        }
        out.push_back(k + 1 < selected.size() ? '\t' : '\n');
    }
}

}  // namespace

bool WriteSelectionText(const RunRecord& record, const std::vector<CellBlock>& selection,
                        ByteSink& sink, WorkProgress* progress) {
    const std::vector<TableColumn> columns = TableColumns(record.recipe.choice);
    const std::vector<CellBlock> blocks =
        WithinTable(selection, record.LineCount(), columns.size());
    if (blocks.empty()) {
        return true;
    }
    const CellBlock bounds = Bounds(blocks);
    return WriteRowBlocks(
        bounds.bottom - bounds.top + 1,
        [&](std::size_t first, std::size_t last) {
            std::string text;
            for (std::size_t row = bounds.top + first; row < bounds.top + last; ++row) {
                AppendSelectedRow(text, record, columns, blocks, bounds, row);
            }
            return text;
        },
        sink, progress);
}
