// tavreler-cli: reads and writes check sheet files without the editor.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/CliIo.h"
#include "cli/CliSheet.h"
#include "fw/MemoryBudget.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
    const char* usage;
};

const Command kCommands[] = {
    {"dump", CliDump, "dump FILE.tvr                         print the sheet as JSON"},
    {"from-json", CliFromJson,
     "from-json IN.json OUT.tvr             write the sheet a JSON describes"},
    {"new", CliNew, "new OUT.tvr [ROWS.txt|-] [--utf8]     a new sheet with these rows"},
    {"export-csv", CliExportCsv,
     "export-csv FILE.tvr OUT.csv [--utf8]  write the sheet as CSV (--utf8: UTF-8 with a "
     "byte-order mark)"},
    {"export-html", CliExportHtml,
     "export-html FILE.tvr OUT.html [--css NAME] | export-html --table FILE.tvr"},
    {"import-csv", CliImportCsv, "import-csv IN.csv OUT.tvr [--into BASE.tvr]"},
};

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: tavreler-cli COMMAND ARGS...\n"
                      "       tavreler-cli --help | --version\n\ncommands:\n");
    for (const Command& c : kCommands)
        std::fprintf(out, "  %s\n", c.usage);
}

} // namespace

int main(int argc, char** argv) {
    // A write past the file-size limit fails with its message instead of
    // ending the program (and the atomic write then leaves the old file).
    std::signal(SIGXFSZ, SIG_IGN);
    // The exit codes: 0 done, 1 a file or data error (or too little memory),
    // 2 a usage error, 3 import-csv stopped at a bad line (the rows before it
    // were written).
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    if (name == "--version") {
        std::printf("tavreler-cli %s\n", TAVRELER_VERSION);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (name == c.name) {
            // The command's edge: a command that ran out of memory, or met an
            // input beyond the memory budget, says so and fails; it never
            // ends the process by an abort. (The commands keep what they
            // built to the exit rather than free it while unwinding, and
            // nothing freed on the way allocates.)
            try {
                return c.run(args);
            } catch (const CTooLargeError& e) {
                std::fprintf(stderr, "%s\n", e.what());
            } catch (const std::bad_alloc&) {
                std::fputs(kOutOfMemoryMessage, stderr);
                std::fputc('\n', stderr);
            } catch (const std::exception& e) {
                std::fprintf(stderr, "tavreler-cli: %s\n", e.what());
            }
            return 1;
        }
    std::fprintf(stderr, "tavreler-cli: unknown command \"%s\"\n", name.c_str());
    PrintUsage(stderr);
    return 2;
}
