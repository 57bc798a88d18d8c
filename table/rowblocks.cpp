#include "table/rowblocks.h"

#include <algorithm>
#include <future>

#include "analysis/exactvalue.h"
#include "table/csv.h"
#include "table/workprogress.h"

bool WriteRowBlocks(std::size_t lines,
                    const std::function<std::string(std::size_t first, std::size_t last)>& rows,
                    ByteSink& sink, WorkProgress* progress) {
    const auto block = [&](std::size_t first) {
        return rows(first, std::min(first + kBlockRows, lines));
    };
    for (std::size_t first = 0; first < lines; first += 2 * kBlockRows) {
        const std::size_t second = first + kBlockRows;
        std::future<std::string> other;
        if (second < lines) {
            other = std::async(std::launch::async, [&block, second] {
                std::string text = block(second);
                ReleaseThreadCaches();  // the thread ends here
                return text;
            });
        }
        const bool written = sink.Write(block(first));
        const std::string otherText = other.valid() ? other.get() : std::string();
        if (!written || !sink.Write(otherText)) {
            return false;
        }
        const std::size_t done = std::min(first + 2 * kBlockRows, lines);
        if (progress != nullptr && !progress->Advance(done, lines)) {
            return false;
        }
    }
    return true;
}
