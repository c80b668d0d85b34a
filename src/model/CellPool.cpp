#include "model/CellPool.h"

#include <cstdlib>
#include <mutex>
#include <new>
#include <vector>

#include "fw/Os.h"

namespace {

constexpr std::size_t kFirstSlab = 64 * 1024;
// Slabs double up to this size, which is also the size of a large page: a
// sheet of a million cells then takes a few dozen page faults instead of ten
// thousand (the system is asked for large pages where it gives them on request).
constexpr std::size_t kLargeSlab = 2 * 1024 * 1024;
// Blocks are kept in steps of 8 bytes: a 40-byte cell takes 40, not 48. A
// block is still aligned as any object of its size needs (an object's size
// is a multiple of its alignment): slabs are aligned to max_align_t, and
// block sizes that are multiples of 16 keep that alignment.
constexpr std::size_t kStep = 8;
constexpr std::size_t kSizes = 16; // pools for blocks of up to 16 * kStep bytes

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    FreeBlock* free = nullptr;
    char* cur = nullptr;
    char* end = nullptr;
    std::size_t nextSlab = kFirstSlab;
};

char* NewSlab(std::size_t size) {
    if (size < kLargeSlab)
        return static_cast<char*>(::operator new(size));
    void* p = OsAllocateLarge(size, kLargeSlab);
    if (!p)
        throw std::bad_alloc();
    return static_cast<char*>(p);
}

struct Pools {
    Pool pools[kSizes];
};

// Never destroyed, slabs never given back: cells of sheets that outlive the
// thread's other objects (static sheets) may still be freed during exit, and
// cells outlive the thread that made them (a sheet read on a thread of its
// own is freed on another). So every thread's pools stay listed here.
Pools* NewThreadPools() {
    static std::mutex m;
    static auto* all = new std::vector<Pools*>;
    auto* pools = new Pools;
    const std::lock_guard<std::mutex> lock(m);
    all->push_back(pools);
    return pools;
}

// A plain pointer, set on first use: a thread-local with an initializer is
// reached through a guard on every call, and a cell is allocated a million
// times in reading a large sheet.
thread_local Pools* t_pPools = nullptr;

Pools& ThePools() {
    Pools* p = t_pPools;
    if (!p)
        t_pPools = p = NewThreadPools();
    return *p;
}

std::size_t Round(std::size_t size) {
    return (size + kStep - 1) / kStep;
}

} // namespace

void* CCellPool::Allocate(std::size_t size) {
    const std::size_t k = Round(size);
    if (k == 0 || k > kSizes)
        return ::operator new(size);
    Pools& all = ThePools();
    Pool& pool = all.pools[k - 1];
    if (FreeBlock* b = pool.free) {
        pool.free = b->next;
        return b;
    }
    const std::size_t block = k * kStep;
    if (pool.cur == nullptr || static_cast<std::size_t>(pool.end - pool.cur) < block) {
        const std::size_t size = pool.nextSlab;
        char* slab = NewSlab(size);
        pool.cur = slab;
        pool.end = slab + size;
        if (pool.nextSlab < kLargeSlab)
            pool.nextSlab *= 2;
    }
    void* p = pool.cur;
    pool.cur += block;
    return p;
}

void CCellPool::Free(void* p, std::size_t size) noexcept {
    if (!p)
        return;
    const std::size_t k = Round(size);
    if (k == 0 || k > kSizes) {
        ::operator delete(p);
        return;
    }
    auto* b = static_cast<FreeBlock*>(p);
    Pool& pool = ThePools().pools[k - 1];
    b->next = pool.free;
    pool.free = b;
}
