// Fuzzes the clipboard's row block (a row record on its own, in a fresh
// archive): any block either reads as a row or is refused, never crashes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fw/MemoryBudget.h"
#include "fw/Archive.h"
#include "fw/FileError.h"
#include "model/LineData.h"

// Within the run's -malloc_limit_mb: an input the readers accept must fit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CapMemoryBudget(std::uint64_t(512) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLineData line;
    try {
        CArchive ar(std::string_view(reinterpret_cast<const char*>(data), size));
        line.Serialize(ar);
    } catch (const CFileError&) {
    }
    return 0;
}
