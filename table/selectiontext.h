#pragma once

#include <cstddef>
#include <vector>

#include "evaluation/runrecord.h"

class ByteSink;
class WorkProgress;

// A rectangle of a run's table, rows from 0 and columns in TableColumns'
// order, both ends included.
struct CellBlock {
    std::size_t top = 0;
    std::size_t bottom = 0;
    std::size_t left = 0;
    std::size_t right = 0;
};

// The cells of `selection` (blocks) as tab-separated text, written into
// `sink` in one pass, a few thousand rows at a time on two threads: over
// the blocks' bounding rectangle, each row's cells separated by tabs and
// ended by "\n", a selected cell as the files hold it ("." decimals), any
// other empty. Parts of blocks beyond the table are left out. Returns false
// where the sink refused bytes or `progress` said stop. No blocks: no text.
//   closed form, defaults, {0, 1, 1, 2} -> "0.1\t-0.02\n0.2\t-0.07893...\n"
bool WriteSelectionText(const RunRecord& record, const std::vector<CellBlock>& selection,
                        ByteSink& sink, WorkProgress* progress = nullptr);
