// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#pragma once

#include "platform/memory_preparation.h"

#include <cstddef>

// Blocks from a few megabytes on, the edit control's text and style buffers among them, each
// in a mapping of its own that goes back to the system as soon as it is freed. The first touch
// of fresh memory costs the system a page fault for every 4 KB, which for the buffers of a
// large file is a good part of its open: a block can be prepared ahead, its pages touched on
// another thread, for the allocation that is to take it on the UI thread. (Huge pages, tried
// before, made the system compact its memory first: a 1 GB file then took twice as long to
// open.) The program's operator new (global_new.cpp) takes its large blocks from here; builds
// with a sanitizer or for fuzzing leave it out, so that the sanitizer's allocator sees every
// block.
namespace platform::posix::large_blocks {

inline constexpr std::size_t Threshold = std::size_t{4} << 20;
// Every block starts at a multiple of this, so that few heap blocks need to be looked up.
inline constexpr std::size_t Alignment = std::size_t{2} << 20;

// A block of at least size bytes, zero-filled; nullptr for a smaller size or where no mapping
// could be made (the caller then takes the heap's). A block prepared for this size is taken
// first.
void* allocate(std::size_t size) noexcept;
// Gives back a block from allocate; false, and nothing done, for any other pointer.
bool release(void* block) noexcept;

// Maps a block for a later allocate of this size and touches each of its pages, on the
// calling thread. Nothing for a size below the threshold, or where no room is left to keep it.
void prepare(std::size_t size) noexcept;
// Gives back the prepared blocks that no allocation took.
void releasePrepared() noexcept;

// Whether the program's operator new takes its large blocks from here: set by the operator
// itself where it is linked in.
void serveOperatorNew() noexcept;
bool servingOperatorNew() noexcept;

// Preparation of the edit control's buffers, where operator new takes them from here.
class Preparation : public MemoryPreparation {
public:
    void prepare(const std::vector<std::size_t>& sizes) override;
    void releaseUnused() override { releasePrepared(); }
};

} // namespace platform::posix::large_blocks
