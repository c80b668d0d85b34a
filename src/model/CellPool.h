#pragma once
// Memory for cells. A sheet holds a cell per row and column, a million in a
// large sheet: taking them one by one from the general heap costs a header
// each and makes loading and freeing a sheet slow. Cells of one size come
// from slabs of this pool instead; a freed cell's memory is kept for the next
// cell of that size (the pool never shrinks). Each thread has its own pool.
// A block is aligned as an object of its size needs: to 16 bytes when the
// size is a multiple of 16, else to 8 (no larger alignment is needed then).
#include <cstddef>

class CCellPool {
public:
    static void* Allocate(std::size_t size);
    static void Free(void* p, std::size_t size) noexcept;
};
