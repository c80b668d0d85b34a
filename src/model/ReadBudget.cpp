#include "model/ReadBudget.h"

#include "fw/MemoryBudget.h"
#include "model/CheckItem.h"
#include "model/ColumnData.h"
#include "model/LineData.h"
#include "model/LineList.h"

namespace {

// What one of each costs: the object, the pointer that holds it and, for
// the objects taken from the general heap, its header.
constexpr std::uint64_t kHeapHeader = 16;
constexpr std::uint64_t kCellBytes = sizeof(CCheckItem) + sizeof(CDataItem*);
constexpr std::uint64_t kRowBytes = sizeof(CLineData) + sizeof(CLineSlot) + kHeapHeader;
constexpr std::uint64_t kColumnBytes = sizeof(CColumnData) + sizeof(CColumnData*) + kHeapHeader;

} // namespace

std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > UINT64_MAX / a)
        return UINT64_MAX;
    return a * b;
}

void CheckSheetBudget(std::uint64_t rows, std::uint64_t columns, std::uint64_t cells) {
    std::uint64_t bytes = SaturatingProduct(cells, kCellBytes);
    bytes = SaturatingSum(bytes, SaturatingProduct(rows, kRowBytes));
    bytes = SaturatingSum(bytes, SaturatingProduct(columns, kColumnBytes));
    CheckMemoryBudget(bytes, cells);
}
