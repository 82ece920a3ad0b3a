// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 MORVANE contributors

// Large blocks in mappings of their own, and their return.

#include "platform/posix/large_blocks.h"
#include "posix_test_support.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace platform::posix;
using posixtest::residentMegabytes;

bool blockAligned(const void* block) {
    return reinterpret_cast<std::uintptr_t>(block) % large_blocks::Alignment == 0;
}

TEST(LargeBlocks, OnlyLargeBlocksAreMappedAlignedZeroedAndGivenBackOnce) {
    EXPECT_EQ(large_blocks::allocate(0), nullptr);
    EXPECT_EQ(large_blocks::allocate(large_blocks::Threshold - 1), nullptr);
    EXPECT_EQ(large_blocks::allocate(static_cast<std::size_t>(-1)), nullptr);

    for (std::size_t size : {large_blocks::Threshold, large_blocks::Threshold + 1,
                             3 * large_blocks::Alignment + 4095, std::size_t{64} << 20}) {
        auto* block = static_cast<unsigned char*>(large_blocks::allocate(size));
        ASSERT_NE(block, nullptr) << size;
        EXPECT_TRUE(blockAligned(block)) << size;
        EXPECT_EQ(block[0] | block[size / 2] | block[size - 1], 0) << size;
        // Every byte asked for is there to write.
        for (std::size_t at = 0; at < size; at += 4096) {
            block[at] = 1;
        }
        block[size - 1] = 1;
        EXPECT_TRUE(large_blocks::release(block)) << size;
        EXPECT_FALSE(large_blocks::release(block)) << "released twice, " << size;
    }
    // Anything else is the heap's: even a heap block that happens to be aligned the same way.
    EXPECT_FALSE(large_blocks::release(nullptr));
    void* heap = std::aligned_alloc(large_blocks::Alignment, large_blocks::Alignment);
    ASSERT_NE(heap, nullptr);
    EXPECT_FALSE(large_blocks::release(heap));
    std::free(heap);
}

TEST(LargeBlocks, WhenTheTableIsFullTheHeapTakesOver) {
    std::vector<void*> blocks;
    for (void* block = nullptr;
         blocks.size() < 1000 && (block = large_blocks::allocate(large_blocks::Threshold));) {
        blocks.push_back(block);
    }
    EXPECT_GE(blocks.size(), 64u);
    EXPECT_LT(blocks.size(), 1000u) << "no end to the table";
    for (void* block : blocks) {
        EXPECT_TRUE(large_blocks::release(block));
    }
    void* again = large_blocks::allocate(large_blocks::Threshold);
    EXPECT_NE(again, nullptr) << "released entries are used again";
    EXPECT_TRUE(large_blocks::release(again));
}

TEST(LargeBlocks, APreparedBlockIsBackedAheadAndTakenByTheNextAllocationOfItsSize) {
    constexpr std::size_t Size = std::size_t{64} << 20;
    const long before = residentMegabytes();
    large_blocks::prepare(Size);
    EXPECT_GE(residentMegabytes() - before, 60) << "every page touched ahead";

    void* other = large_blocks::allocate(Size + large_blocks::Alignment);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(large_blocks::release(other));
    auto* block = static_cast<unsigned char*>(large_blocks::allocate(Size));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(blockAligned(block));
    EXPECT_EQ(block[0] | block[Size / 2] | block[Size - 1], 0);
    large_blocks::releasePrepared();
    EXPECT_GE(residentMegabytes() - before, 60) << "the allocation took the prepared block";
    EXPECT_TRUE(large_blocks::release(block));
    EXPECT_LT(residentMegabytes() - before, 8);

    // Prepared and never taken: given back.
    large_blocks::prepare(Size);
    large_blocks::releasePrepared();
    EXPECT_LT(residentMegabytes() - before, 8);
    // Too small to be a large block: nothing to prepare.
    large_blocks::prepare(large_blocks::Threshold - 1);
    EXPECT_LT(residentMegabytes() - before, 8);
}

} // namespace
