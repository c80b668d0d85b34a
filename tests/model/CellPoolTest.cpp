#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/CellPool.h"

namespace {

// Blocks from the pool, well past the point where its slabs reach their
// largest size: every block is aligned, none overlaps another, and a freed
// block taken again leaves the living ones alone.
struct PoolCase {
    const char* name;
    std::size_t size;
    int count;
};

class CellPoolBlocks : public ::testing::TestWithParam<PoolCase> {};

void Stamp(void* p, std::size_t size, std::uint64_t id) {
    auto* b = static_cast<unsigned char*>(p);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = static_cast<unsigned char>(id >> (8 * (i % 8)));
}

bool HasStamp(const void* p, std::size_t size, std::uint64_t id) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < size; ++i)
        if (b[i] != static_cast<unsigned char>(id >> (8 * (i % 8))))
            return false;
    return true;
}

TEST_P(CellPoolBlocks, AlignedDistinctAndReusedSafely) {
    const PoolCase& c = GetParam();
    std::vector<void*> blocks;
    for (int i = 0; i < c.count; ++i) {
        void* p = CCellPool::Allocate(c.size);
        // The alignment any object of this size may need: its size's largest
        // power-of-two factor, up to that of max_align_t.
        const std::size_t align = std::min(c.size & (~c.size + 1), alignof(std::max_align_t));
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(p) % align, 0u);
        Stamp(p, c.size, static_cast<std::uint64_t>(i) * 2654435761u + 1);
        blocks.push_back(p);
    }
    for (int i = 0; i < c.count; ++i)
        ASSERT_TRUE(HasStamp(blocks[i], c.size, static_cast<std::uint64_t>(i) * 2654435761u + 1))
            << "block " << i << " was overwritten";
    // Every other block back, then as many taken again and stamped anew.
    for (int i = 0; i < c.count; i += 2)
        CCellPool::Free(blocks[i], c.size);
    for (int i = 0; i < c.count; i += 2) {
        blocks[i] = CCellPool::Allocate(c.size);
        Stamp(blocks[i], c.size, ~static_cast<std::uint64_t>(i));
    }
    for (int i = 0; i < c.count; ++i) {
        const std::uint64_t id = i % 2 ? static_cast<std::uint64_t>(i) * 2654435761u + 1
                                       : ~static_cast<std::uint64_t>(i);
        ASSERT_TRUE(HasStamp(blocks[i], c.size, id)) << "block " << i;
    }
    for (void* p : blocks)
        CCellPool::Free(p, c.size);
}

INSTANTIATE_TEST_SUITE_P(
    CellPool, CellPoolBlocks,
    ::testing::Values(PoolCase{"Tiny", 8, 600000}, PoolCase{"CellSized", 40, 200000},
                      PoolCase{"OddEights", 24, 200000}, PoolCase{"Sixteens", 48, 200000},
                      PoolCase{"Unrounded", 37, 100000}, PoolCase{"LargestPooled", 128, 60000},
                      PoolCase{"FromTheHeap", 200, 2000}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
