// Fuzzes the sheet file reader: any input must either load or be rejected,
// never crash, and what loads must write back and load again the same.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "fw/MemoryBudget.h"
#include "model/SheetIo.h"

// Within the run's -malloc_limit_mb: an input the readers accept must fit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CapMemoryBudget(std::uint64_t(512) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSheetFile sheet;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (ReadSheet(sheet, bytes))
        return 0;
    std::ostringstream out;
    WriteSheet(sheet, out);
    CSheetFile again;
    if (ReadSheet(again, out.str()))
        __builtin_trap();
    std::ostringstream out2;
    WriteSheet(again, out2);
    if (out.str() != out2.str())
        __builtin_trap();
    return 0;
}
