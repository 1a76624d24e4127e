// The allocator tuning of the programs: freed small blocks are not left in
// glibc's fast bins, so nothing piles up to be swept before a larger request.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/allocator_tuning.h"

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>

TEST(AllocatorTuning, FreedSmallBlocksAreNotKeptInFastBins) {
    platform::TuneAllocator();
    std::vector<void*> blocks;
    for (int i = 0; i < 2000; ++i) {
        blocks.push_back(std::malloc(32 + (i % 4) * 16));
    }
    // Every other one, so that freed blocks have live neighbours and are not
    // simply merged back into the top of the heap.
    for (std::size_t i = 0; i < blocks.size(); i += 2) {
        std::free(blocks[i]);
    }
    const struct mallinfo2 info = mallinfo2();
    EXPECT_EQ(info.smblks, 0u);
    EXPECT_EQ(info.fsmblks, 0u);
    EXPECT_GT(info.ordblks, 1u);  // the freed blocks are ordinary free chunks
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        std::free(blocks[i]);
    }
}
#else
TEST(AllocatorTuning, IsHarmlessWithoutGlibc) {
    platform::TuneAllocator();
    void* block = std::malloc(64);
    EXPECT_NE(block, nullptr);
    std::free(block);
}
#endif
