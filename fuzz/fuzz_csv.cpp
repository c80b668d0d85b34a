// Fuzzes the CSV import, both encodings (a byte-order mark or valid UTF-8
// selects UTF-8): any text either imports or is refused with a message,
// never crashes, and stays within the memory budget.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fw/MemoryBudget.h"
#include "io/CsvEncoding.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"

// Within the run's -malloc_limit_mb: an input the readers accept must fit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CapMemoryBudget(std::uint64_t(512) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::FILE* fp = fmemopen(text.data(), text.size() ? text.size() : 1, "r");
    if (!fp)
        return 0;
    if (text.empty())
        std::fgetc(fp); // an empty stream: nothing to read
    CSheetFile sheet;
    CTextFile file;
    file.Attach(fp, "fuzz.csv", true);
    try {
        if (PrepareCsvImport(file))
            sheet.ImportCsv(file);
    } catch (const CTooLargeError&) {
        // refused before anything was built
    }
    return 0;
}
