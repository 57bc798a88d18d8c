#pragma once

#include <cstddef>
#include <functional>
#include <string>

class ByteSink;
class WorkProgress;

// Rows made at a time: about a millisecond's work, some hundred kilobytes.
inline constexpr std::size_t kBlockRows = 2048;

// Makes the text of rows [0, lines) by `rows(first, last)` in blocks of
// kBlockRows, every other block on a second thread (a row's work depends on
// no other row), and hands each block's text to `sink` in order, telling
// `progress` (if any) after each pair. Returns false where the sink refused
// bytes or the progress said stop: nothing more is written then.
//   lines 5000: rows(0, 2048) and rows(2048, 4096) at once, then rows(4096, 5000)
bool WriteRowBlocks(std::size_t lines,
                    const std::function<std::string(std::size_t first, std::size_t last)>& rows,
                    ByteSink& sink, WorkProgress* progress);
