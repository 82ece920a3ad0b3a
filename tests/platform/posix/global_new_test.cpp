// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// The program's operator new and delete in every form: large blocks from their own mappings,
// the rest from the heap, every pair agreeing, and failures as the standard has them.

#include "platform/posix/large_blocks.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace large_blocks = platform::posix::large_blocks;

constexpr std::size_t Large = std::size_t{8} << 20;
constexpr std::size_t Small = 100;
constexpr std::align_val_t Wide{256};

struct Form {
    const char* name;
    std::function<void*(std::size_t)> allocate;
    std::function<void(void*, std::size_t)> free;
    std::size_t alignment;
};

std::vector<Form> forms() {
    using std::nothrow;
    return {
        {"new / delete", [](auto n) { return ::operator new(n); },
         [](void* p, auto) { ::operator delete(p); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"new / sized delete", [](auto n) { return ::operator new(n); },
         [](void* p, auto n) { ::operator delete(p, n); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"new[] / delete[]", [](auto n) { return ::operator new[](n); },
         [](void* p, auto) { ::operator delete[](p); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"new[] / sized delete[]", [](auto n) { return ::operator new[](n); },
         [](void* p, auto n) { ::operator delete[](p, n); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"nothrow new / delete", [](auto n) { return ::operator new(n, nothrow); },
         [](void* p, auto) { ::operator delete(p); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"nothrow new / nothrow delete", [](auto n) { return ::operator new(n, nothrow); },
         [](void* p, auto) { ::operator delete(p, nothrow); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"nothrow new[] / delete[]", [](auto n) { return ::operator new[](n, nothrow); },
         [](void* p, auto) { ::operator delete[](p); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"nothrow new[] / nothrow delete[]", [](auto n) { return ::operator new[](n, nothrow); },
         [](void* p, auto) { ::operator delete[](p, nothrow); }, __STDCPP_DEFAULT_NEW_ALIGNMENT__},
        {"aligned new / aligned delete", [](auto n) { return ::operator new(n, Wide); },
         [](void* p, auto) { ::operator delete(p, Wide); }, 256},
        {"aligned new / sized aligned delete", [](auto n) { return ::operator new(n, Wide); },
         [](void* p, auto n) { ::operator delete(p, n, Wide); }, 256},
        {"aligned new[] / aligned delete[]", [](auto n) { return ::operator new[](n, Wide); },
         [](void* p, auto) { ::operator delete[](p, Wide); }, 256},
        {"aligned new[] / sized aligned delete[]", [](auto n) { return ::operator new[](n, Wide); },
         [](void* p, auto n) { ::operator delete[](p, n, Wide); }, 256},
        {"aligned nothrow new / aligned nothrow delete",
         [](auto n) { return ::operator new(n, Wide, nothrow); },
         [](void* p, auto) { ::operator delete(p, Wide, nothrow); }, 256},
        {"aligned nothrow new[] / aligned nothrow delete[]",
         [](auto n) { return ::operator new[](n, Wide, nothrow); },
         [](void* p, auto) { ::operator delete[](p, Wide, nothrow); }, 256},
    };
}

bool alignedTo(const void* block, std::size_t alignment) {
    return reinterpret_cast<std::uintptr_t>(block) % alignment == 0;
}

TEST(GlobalNew, EveryFormGivesWritableAlignedMemoryAndItsPartnerGivesItBack) {
    EXPECT_TRUE(large_blocks::servingOperatorNew());
    for (const Form& form : forms()) {
        for (std::size_t size : {std::size_t{0}, Small, Large}) {
            SCOPED_TRACE(std::string(form.name) + ", " + std::to_string(size) + " bytes");
            auto* block = static_cast<unsigned char*>(form.allocate(size));
            ASSERT_NE(block, nullptr);
            EXPECT_TRUE(alignedTo(block, form.alignment));
            std::memset(block, 0x5A, size);
            if (size == Large) {
                // From a mapping of its own.
                EXPECT_TRUE(alignedTo(block, large_blocks::Alignment));
            }
            form.free(block, size);
            if (size == Large) {
                EXPECT_FALSE(large_blocks::release(block)) << "the mapping was not given back";
            }
        }
    }
    // Blocks of no size are distinct blocks.
    void* first = ::operator new(0);
    void* second = ::operator new(0);
    EXPECT_NE(first, second);
    ::operator delete(first);
    ::operator delete(second);
}

TEST(GlobalNew, FailureThrowsOrGivesNullAfterTheNewHandlerGaveUp) {
    // More than the address space can hold.
    const std::size_t impossible = std::size_t{1} << 62;
    static int handlerCalls = 0;
    const auto countOnceThenGiveUp = [] {
        ++handlerCalls;
        std::set_new_handler(nullptr);
    };
    for (const Form& form : forms()) {
        SCOPED_TRACE(form.name);
        handlerCalls = 0;
        std::set_new_handler(countOnceThenGiveUp);
        const bool nothrow = std::string(form.name).find("nothrow") != std::string::npos;
        if (nothrow) {
            EXPECT_EQ(form.allocate(impossible), nullptr);
        } else {
            EXPECT_THROW(form.allocate(impossible), std::bad_alloc);
        }
        EXPECT_EQ(handlerCalls, 1) << "the new-handler is asked before the allocation fails";
    }
    std::set_new_handler(nullptr);
}

TEST(GlobalNew, ANothrowNewHandlerThatThrowsEndsInNull) {
    std::set_new_handler([] { throw std::bad_alloc(); });
    EXPECT_EQ(::operator new (std::size_t{1} << 62, std::nothrow), nullptr);
    std::set_new_handler(nullptr);
}

} // namespace
