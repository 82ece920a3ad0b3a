// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// Memory for a few large blocks made ready ahead of their allocation: mapped and touched by
// the thread that asks (a worker), so that the thread that later allocates blocks of those
// sizes (the UI thread) meets no page faults. Plain memory only; no object is made.
class MemoryPreparation {
public:
    virtual ~MemoryPreparation() = default;
    // Blocks of these sizes, for the next allocations of exactly those sizes. Does nothing
    // where the program's allocations do not come from these blocks.
    virtual void prepare(const std::vector<std::size_t>& sizes) = 0;
    // Gives back what was prepared and not taken.
    virtual void releaseUnused() = 0;
};

} // namespace platform
