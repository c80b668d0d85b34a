#pragma once
// The memory budget (fw/MemoryBudget.h) in the sheet's own terms: what the
// rows, columns and cells a reader is about to add cost in memory.
#include <cstdint>

// a * b, held at the largest value instead of wrapping round.
std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b);
std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b);

// Throws CTooLargeError (naming the cell count) when rows new rows, columns
// new columns and cells new cells do not fit the budget.
void CheckSheetBudget(std::uint64_t rows, std::uint64_t columns, std::uint64_t cells);
