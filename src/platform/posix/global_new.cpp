// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The program's own operator new and delete, in every form the language has (plain, array,
// nothrow, sized, aligned): large blocks from large_blocks, the rest from the heap, as the
// standard library's would. They replace the standard ones for the whole process, Scintilla's
// buffers included, so they are linked into each program itself. Every form frees through the
// same path, so that any pair of them agrees. Builds with a sanitizer or for fuzzing leave this
// file out: the sanitizer's own operators must see every block.
#include "large_blocks.h"

#include <cstdlib>
#include <new>

namespace {

namespace large_blocks = platform::posix::large_blocks;

[[maybe_unused]] const bool serving = (large_blocks::serveOperatorNew(), true);

// Large blocks are aligned far beyond what any type asks for.
void* tryAllocate(std::size_t size, std::size_t alignment) noexcept {
    if (alignment <= large_blocks::Alignment) {
        if (void* block = large_blocks::allocate(size)) {
            return block;
        }
    }
    if (size == 0) {
        size = 1;
    }
    if (alignment <= __STDCPP_DEFAULT_NEW_ALIGNMENT__) {
        return std::malloc(size);
    }
    void* block = nullptr;
    return posix_memalign(&block, alignment, size) == 0 ? block : nullptr;
}

// The standard's loop: the new-handler may free memory and is asked again until it gives up.
void* allocate(std::size_t size, std::size_t alignment) {
    for (;;) {
        if (void* block = tryAllocate(size, alignment)) {
            return block;
        }
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            throw std::bad_alloc();
        }
        handler();
    }
}

// The nothrow forms are the throwing ones with the failure given as null, as the standard
// defines them.
void* allocateOrNull(std::size_t size, std::size_t alignment) noexcept {
    try {
        return allocate(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void deallocate(void* block) noexcept {
    if (!large_blocks::release(block)) {
        std::free(block);
    }
}

std::size_t alignmentOf(std::align_val_t alignment) {
    return static_cast<std::size_t>(alignment);
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size, __STDCPP_DEFAULT_NEW_ALIGNMENT__);
}
void* operator new[](std::size_t size) {
    return allocate(size, __STDCPP_DEFAULT_NEW_ALIGNMENT__);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size, __STDCPP_DEFAULT_NEW_ALIGNMENT__);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return allocateOrNull(size, __STDCPP_DEFAULT_NEW_ALIGNMENT__);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return allocate(size, alignmentOf(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return allocate(size, alignmentOf(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return allocateOrNull(size, alignmentOf(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return allocateOrNull(size, alignmentOf(alignment));
}

void operator delete(void* block) noexcept {
    deallocate(block);
}
void operator delete[](void* block) noexcept {
    deallocate(block);
}
void operator delete(void* block, std::size_t) noexcept {
    deallocate(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    deallocate(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    deallocate(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    deallocate(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
    deallocate(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    deallocate(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    deallocate(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    deallocate(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    deallocate(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    deallocate(block);
}
