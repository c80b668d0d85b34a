// Fuzzes the sheet file reader: any input must either load or be rejected,
// never crash, and what loads must write back and load again the same.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "model/SheetIo.h"

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
