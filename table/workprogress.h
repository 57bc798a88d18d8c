#pragma once

#include <cstddef>

// Long work over many rows (a file, a copy, a print) tells how far it has
// got and learns whether to go on; a window shows it with a way to stop.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // `done` of `total` units are finished. False: stop here, the user cancelled.
    virtual bool Advance(std::size_t done, std::size_t total) = 0;
};
