// The program's own operator new and delete: large blocks from large_blocks, the rest from
// the heap, as the standard library's would. They replace the standard ones for the whole
// process, Scintilla's buffers included, so they are linked into each program itself.
#include "large_blocks.h"

#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
    if (void* block = platform::posix::large_blocks::allocate(size)) {
        return block;
    }
    for (;;) {
        if (void* block = std::malloc(size == 0 ? 1 : size)) {
            return block;
        }
        const std::new_handler handler = std::get_new_handler();
        if (handler == nullptr) {
            throw std::bad_alloc();
        }
        handler();
    }
}

void operator delete(void* block) noexcept {
    if (!platform::posix::large_blocks::release(block)) {
        std::free(block);
    }
}

void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
