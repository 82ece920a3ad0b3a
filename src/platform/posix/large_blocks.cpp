// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

#include "large_blocks.h"

#include <array>
#include <atomic>
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
// Blocks prepared ahead: the two buffers of the document being loaded.
constexpr std::size_t MaxPrepared = 4;
std::mutex mappingsLock;
std::array<Mapping, MaxMappings> mappings;
std::array<Mapping, MaxPrepared> prepared;
std::atomic<bool> serving{false};

std::uintptr_t roundedUp(std::uintptr_t value, std::uintptr_t unit) {
    return (value + unit - 1) / unit * unit;
}

std::size_t pageSize() {
    return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Where the block finds a free entry of the table; false where none is left.
template <std::size_t Count> bool remember(std::array<Mapping, Count>& table, Mapping mapping) {
    for (Mapping& entry : table) {
        if (entry.block == nullptr) {
            entry = mapping;
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

// A mapping of length bytes, aligned; nullptr where none could be made.
void* map(std::size_t length) noexcept {
    // Room to slide the block to the next boundary; the slack is unmapped again.
    const std::size_t mapped = length + Alignment;
    void* start = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) {
        return nullptr;
    }
    const auto first = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t aligned = roundedUp(first, Alignment);
    if (aligned > first) {
        munmap(start, aligned - first);
    }
    if (first + mapped > aligned + length) {
        munmap(reinterpret_cast<void*>(aligned + length), first + mapped - (aligned + length));
    }
    return reinterpret_cast<void*>(aligned);
}

bool largeEnough(std::size_t size) {
    return size >= Threshold && size <= std::numeric_limits<std::size_t>::max() / 2;
}

} // namespace

void* allocate(std::size_t size) noexcept {
    if (!largeEnough(size)) {
        return nullptr;
    }
    const std::size_t length = roundedUp(size, pageSize());
    {
        const std::lock_guard guard(mappingsLock);
        for (Mapping& ready : prepared) {
            if (ready.block != nullptr && ready.length == length && remember(mappings, ready)) {
                void* block = ready.block;
                ready = {};
                return block;
            }
        }
    }
    void* block = map(length);
    if (block == nullptr) {
        return nullptr;
    }
    const std::lock_guard guard(mappingsLock);
    if (!remember(mappings, {block, length})) {
        munmap(block, length);
        return nullptr;
    }
    return block;
}

bool release(void* block) noexcept {
    // A heap block is seldom aligned so; only those are looked up.
    if (block == nullptr || reinterpret_cast<std::uintptr_t>(block) % Alignment != 0) {
        return false;
    }
    const std::size_t length = forget(block);
    if (length == 0) {
        return false;
    }
    munmap(block, length);
    return true;
}

void prepare(std::size_t size) noexcept {
    if (!largeEnough(size)) {
        return;
    }
    const std::size_t page = pageSize();
    const std::size_t length = roundedUp(size, page);
    auto* block = static_cast<volatile unsigned char*>(map(length));
    if (block == nullptr) {
        return;
    }
    // One write to each page makes the system back it; the content stays zero.
    for (std::size_t at = 0; at < length; at += page) {
        block[at] = 0;
    }
    const std::lock_guard guard(mappingsLock);
    if (!remember(prepared, {const_cast<unsigned char*>(block), length})) {
        munmap(const_cast<unsigned char*>(block), length);
    }
}

void releasePrepared() noexcept {
    const std::lock_guard guard(mappingsLock);
    for (Mapping& ready : prepared) {
        if (ready.block != nullptr) {
            munmap(ready.block, ready.length);
            ready = {};
        }
    }
}

void serveOperatorNew() noexcept {
    serving = true;
}

bool servingOperatorNew() noexcept {
    return serving;
}

void Preparation::prepare(const std::vector<std::size_t>& sizes) {
    if (!servingOperatorNew()) {
        return;
    }
    for (std::size_t size : sizes) {
        large_blocks::prepare(size);
    }
}

} // namespace platform::posix::large_blocks
