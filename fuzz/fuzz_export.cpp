// Fuzzes the export round trip: a sheet that loads is written as CSV and as
// HTML without a crash, and its CSV imports again into a sheet with as many
// columns.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "fw/MemoryBudget.h"
#include "io/TextFile.h"
#include "model/SheetIo.h"

namespace {

std::string Written(const std::function<void(CTextFile&)>& write) {
    char* buf = nullptr;
    std::size_t len = 0;
    std::FILE* mem = open_memstream(&buf, &len);
    if (!mem)
        return {};
    {
        CTextFile file;
        file.Attach(mem, "fuzz.out", true);
        write(file);
    }
    std::string out(buf ? buf : "", len);
    std::free(buf);
    return out;
}

} // namespace

// Within the run's -malloc_limit_mb: an input the readers accept must fit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CapMemoryBudget(std::uint64_t(512) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSheetFile sheet;
    if (ReadSheet(sheet, std::string_view(reinterpret_cast<const char*>(data), size)))
        return 0;
    Written([&](CTextFile& f) { sheet.ExportHtmlFile(f); });
    std::string csv = Written([&](CTextFile& f) { sheet.ExportCsv(f); });
    // Names holding a comma, a quote, a line end or a NUL do not come back alike.
    for (const CColumnData* c : std::as_const(sheet.m_Columns))
        if (c->m_strName.find_first_of(std::string_view(",\"\r\n\0", 5)) != std::string::npos)
            return 0;
    std::FILE* fp = fmemopen(csv.data(), csv.size() ? csv.size() : 1, "r");
    if (!fp)
        return 0;
    CSheetFile again;
    CTextFile file;
    file.Attach(fp, "fuzz.csv", true);
    try {
        again.ImportCsv(file);
    } catch (const CTooLargeError&) {
        return 0;
    }
    if (again.m_Columns.GetSize() != sheet.m_Columns.GetSize())
        __builtin_trap();
    return 0;
}
