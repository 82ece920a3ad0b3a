#include "large_blocks.h"

#include <array>
#include <cstdint>
#include <limits>
#include <mutex>
#include <unistd.h>

#include <sys/mman.h>

namespace platform::posix::large_blocks {

namespace {

struct Mapping {
    void* block = nullptr;
    std::size_t length = 0;
};

// Few blocks this large live at once: the text and styles of each open document, a copy
// while one is saved. A block that finds no free entry comes from the heap instead.
constexpr std::size_t MaxMappings = 256;
std::mutex mappingsLock;
std::array<Mapping, MaxMappings> mappings;

std::uintptr_t roundedUp(std::uintptr_t value, std::uintptr_t unit) {
    return (value + unit - 1) / unit * unit;
}

bool remember(void* block, std::size_t length) {
    const std::lock_guard guard(mappingsLock);
    for (Mapping& mapping : mappings) {
        if (mapping.block == nullptr) {
            mapping = {block, length};
            return true;
        }
    }
    return false;
}

std::size_t forget(void* block) {
    const std::lock_guard guard(mappingsLock);
    for (Mapping& mapping : mappings) {
        if (mapping.block == block) {
            const std::size_t length = mapping.length;
            mapping = {};
            return length;
        }
    }
    return 0;
}

} // namespace

void* allocate(std::size_t size) noexcept {
    if (size < Threshold || size > std::numeric_limits<std::size_t>::max() / 2) {
        return nullptr;
    }
    const auto pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::size_t length = roundedUp(size, pageSize);
    // Room to slide the block to the next huge page boundary; the slack is unmapped again.
    const std::size_t mapped = length + HugePage;
    void* start = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) {
        return nullptr;
    }
    const auto first = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t aligned = roundedUp(first, HugePage);
    if (aligned > first) {
        munmap(start, aligned - first);
    }
    if (first + mapped > aligned + length) {
        munmap(reinterpret_cast<void*>(aligned + length), first + mapped - (aligned + length));
    }
    void* block = reinterpret_cast<void*>(aligned);
    // Only a hint: where the system has no huge pages to give, the block works all the same.
    madvise(block, length, MADV_HUGEPAGE);
    if (!remember(block, length)) {
        munmap(block, length);
        return nullptr;
    }
    return block;
}

bool release(void* block) noexcept {
    // A heap block is seldom aligned so; only those are looked up.
    if (block == nullptr || reinterpret_cast<std::uintptr_t>(block) % HugePage != 0) {
        return false;
    }
    const std::size_t length = forget(block);
    if (length == 0) {
        return false;
    }
    munmap(block, length);
    return true;
}

} // namespace platform::posix::large_blocks
