#include "fw/MemoryBudget.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::uint64_t kFloor = std::uint64_t(64) << 20;

thread_local std::uint64_t t_nLastRefused = 0;
std::uint64_t g_nCap = UINT64_MAX;

std::uint64_t HalfLimit(int resource) {
    rlimit rl{};
    if (::getrlimit(resource, &rl) != 0 || rl.rlim_cur == RLIM_INFINITY)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(rl.rlim_cur) / 2;
}

} // namespace

const char kOutOfMemoryMessage[] = "メモリが不足しています。";

std::uint64_t MemoryBudgetBytes() {
    std::uint64_t budget = UINT64_MAX;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        budget = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) / 2;
    budget = std::min({budget, HalfLimit(RLIMIT_AS), HalfLimit(RLIMIT_DATA), g_nCap});
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
