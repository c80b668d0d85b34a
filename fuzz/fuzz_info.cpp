// Fuzzes the recovery side file: any text either describes a copy, and then
// reads back the same after being written again, or is no side file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fw/MemoryBudget.h"
#include "document/RecoveryStore.h"

// Within the run's -malloc_limit_mb: an input the readers accept must fit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CapMemoryBudget(std::uint64_t(512) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto entry =
        CRecoveryStore::ParseInfo(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!entry)
        return 0;
    const auto again = CRecoveryStore::ParseInfo(CRecoveryStore::FormatInfo(*entry));
    if (!again || again->m_strOriginal != entry->m_strOriginal ||
        again->m_nTime != entry->m_nTime || again->m_nPid != entry->m_nPid)
        __builtin_trap();
    return 0;
}
