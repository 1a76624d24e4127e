// The allocator tuning of report runs: while it holds, freed small blocks are
// not left in glibc's fast bins, so nothing piles up to be swept before a
// larger request; outside it the allocator is left as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/allocator_tuning.h"

// AddressSanitizer brings its own allocator, which has no fast bins: gcc
// names it by __SANITIZE_ADDRESS__, clang by __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define HARVEL_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HARVEL_OWN_ALLOCATOR 1
#endif
#endif

#if defined(__GLIBC__) && !defined(HARVEL_OWN_ALLOCATOR)
#include <malloc.h>

namespace {

// Frees every other one of many small blocks (so the freed ones have live
// neighbours and are not merged into the top of the heap) and answers how
// many free blocks the fast bins hold then; the rest is freed afterwards.
std::size_t FastBinBlocksAfterFreeing() {
    std::vector<void*> blocks;
    for (int i = 0; i < 2000; ++i) {
        blocks.push_back(std::malloc(32 + (i % 4) * 16));
    }
    for (std::size_t i = 0; i < blocks.size(); i += 2) {
        std::free(blocks[i]);
    }
    const std::size_t inFastBins = mallinfo2().smblks;
    for (std::size_t i = 1; i < blocks.size(); i += 2) {
        std::free(blocks[i]);
    }
    return inFastBins;
}

}  // namespace

// Runs before the test below turns fast bins off for the whole process.
TEST(AllocatorTuning, ScopeTurnsFastBinsOffOnlyWhileItLasts) {
    {
        const platform::ReportAllocationScope outer;
        { const platform::ReportAllocationScope inner; }
        EXPECT_EQ(FastBinBlocksAfterFreeing(), 0u);  // still off after the inner scope
    }
    EXPECT_GT(FastBinBlocksAfterFreeing(), 0u);
}

TEST(AllocatorTuning, ProcessSettingOutlastsScopes) {
    platform::TuneAllocator();
    { const platform::ReportAllocationScope scope; }
    EXPECT_EQ(FastBinBlocksAfterFreeing(), 0u);
}
#else
TEST(AllocatorTuning, IsHarmlessWithoutGlibc) {
    platform::TuneAllocator();
    const platform::ReportAllocationScope scope;
    void* block = std::malloc(64);
    EXPECT_NE(block, nullptr);
    std::free(block);
}
#endif
