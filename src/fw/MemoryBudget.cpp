#include "fw/MemoryBudget.h"

#include <algorithm>

#include "fw/Os.h"

namespace {

constexpr std::uint64_t kFloor = std::uint64_t(64) << 20;

thread_local std::uint64_t t_nLastRefused = 0;
std::uint64_t g_nCap = UINT64_MAX;

} // namespace

const char kOutOfMemoryMessage[] = "メモリが不足しています。";

std::uint64_t MemoryBudgetBytes() {
    const std::uint64_t memory = OsPhysicalMemory();
    const std::uint64_t limit = OsMemoryLimit();
    std::uint64_t budget = std::min(
        {memory ? memory / 2 : UINT64_MAX, limit == UINT64_MAX ? UINT64_MAX : limit / 2, g_nCap});
    return std::max(budget, kFloor);
}

void CapMemoryBudget(std::uint64_t bytes) {
    g_nCap = bytes;
}

std::string TooLargeMessage(std::uint64_t cells) {
    return "データが大きすぎるため読み込めません。\nセル数：" + std::to_string(cells);
}

CTooLargeError::CTooLargeError(std::uint64_t cells)
    : std::runtime_error(TooLargeMessage(cells)), m_nCells(cells) {}

void CheckMemoryBudget(std::uint64_t bytes, std::uint64_t cells) {
    if (bytes <= MemoryBudgetBytes())
        return;
    t_nLastRefused = cells;
    throw CTooLargeError(cells);
}

std::uint64_t LastRefusedCells() {
    return t_nLastRefused;
}
