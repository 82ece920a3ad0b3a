#pragma once

#include <cstddef>

// Blocks from a few megabytes on, the edit control's text and style buffers among them, each
// in a mapping of its own, aligned to the huge page size and marked for huge pages. Their
// first touch then takes one fault for every 2 MB instead of one for every 4 KB, which on a
// virtual machine is most of the time it takes to open a large file, and each block goes back
// to the system as soon as it is freed.
namespace platform::posix::large_blocks {

inline constexpr std::size_t Threshold = std::size_t{4} << 20;
inline constexpr std::size_t HugePage = std::size_t{2} << 20;

// A block of at least size bytes, zero-filled; nullptr for a smaller size or where no mapping
// could be made (the caller then takes the heap's).
void* allocate(std::size_t size) noexcept;
// Gives back a block from allocate; false, and nothing done, for any other pointer.
bool release(void* block) noexcept;

} // namespace platform::posix::large_blocks
