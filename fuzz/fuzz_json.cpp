// Fuzzes from-json, the command-line tool's JSON reader: any text either
// becomes a sheet file or is refused with a message, never crashes, and what
// it asks for stays within the memory budget.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/CliSheet.h"
#include "fw/MemoryBudget.h"

// Within the run's -malloc_limit_mb: an input the readers accept must fit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CapMemoryBudget(std::uint64_t(512) << 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string dir = [] {
        char tmpl[] = "/tmp/tavreler-fuzz-json-XXXXXX";
        return std::string(::mkdtemp(tmpl) ? tmpl : "/tmp");
    }();
    const std::string in = dir + "/in.json", out = dir + "/out.tvr";
    if (std::FILE* f = std::fopen(in.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    // Its refusals go to standard error: quiet them.
    std::FILE* err = std::freopen("/dev/null", "w", stderr);
    (void)err;
    try {
        CliFromJson({in, out});
    } catch (const CTooLargeError&) {
    }
    return 0;
}
