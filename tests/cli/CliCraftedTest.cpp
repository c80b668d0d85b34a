// Crafted inputs against the built command-line tool, each run as its own
// process under an 8 GB address-space limit: a few hundred kilobytes that ask
// for more than memory holds are refused with a message and exit 1 (never an
// abort), JSON of the wrong shape is refused by name, pipes and devices are
// refused instead of read for ever, and an import stopped at a bad line
// exits 3. The bounds on time and memory are generous: they catch a reader
// that builds what it was asked for, not a slow machine.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string_view>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;
using childtest::ReadFile;
using childtest::WriteFile;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

struct Outcome {
    int code; // exit code, or minus the signal
    std::string err;
    double seconds;
    long peakMb;
};

Outcome RunLimited(const std::vector<std::string>& args) {
    char errName[] = "/tmp/tavreler-crafted-err-XXXXXX";
    const int errFd = ::mkstemp(errName);
    std::fflush(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(errFd, 2);
        const int devnull = ::open("/dev/null", O_RDWR);
        ::dup2(devnull, 0);
        ::dup2(devnull, 1);
        // A sanitizer reserves terabytes of shadow memory at start and could
        // not start under the limit; its build keeps the time and peak bounds.
        if constexpr (!kSanitized) {
            constexpr rlim_t kAddressSpace = rlim_t(8) << 30;
            rlimit as{kAddressSpace, kAddressSpace};
            ::setrlimit(RLIMIT_AS, &as);
        }
        // A reader that hangs ends here, as a failure of its row.
        ::alarm(60);
        childtest::Exec(TAVRELER_CLI, args);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::close(errFd);
    Outcome r{WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), ReadFile(errName),
              seconds, usage.ru_maxrss / 1024};
    ::unlink(errName);
    return r;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string Le16(unsigned v) {
    return {char(v & 0xFF), char(v >> 8)};
}
std::string Le32(unsigned v) {
    return Le16(v & 0xFFFF) + Le16(v >> 16);
}

// A sheet file of 20,000 columns that says 100,000 rows follow (two
// billion cells), with just enough bytes after it for the count to pass as
// possible.
std::string HugeSheetClaim() {
    std::string f = Le32(100) + '\0' + Le32(20) + Le32(0) + Le32(0) + Le32(10) + Le32(10) +
                    Le32(0) + Le32(0) + '\0' + '\0';
    f += Le16(20000);
    const std::string record = Le32(100) + std::string(3, '\0');
    f += "\xFF\xFF" + Le16(1) + Le16(11) + "CColumnData" + record;
    for (int i = 1; i < 20000; ++i)
        f += Le16(0x8001) + record;
    f += Le16(0xFFFF) + Le32(100000);
    f += std::string(200000, '\0');
    return f;
}

struct Crafted {
    const char* name;
    // Writes the input into dir and gives the tool's arguments.
    std::function<std::vector<std::string>(const std::string& dir)> make;
    int code;
    const char* message; // a part of standard error
    double maxSeconds;
    long maxMb;
};

const char kTooLarge[] = "データが大きすぎるため読み込めません。\nセル数：";

std::vector<std::string> ImportCsv(const std::string& dir, const std::string& csv) {
    WriteFile(dir + "/in.csv", csv);
    return {"import-csv", dir + "/in.csv", dir + "/out.tvr"};
}
std::vector<std::string> FromJson(const std::string& dir, const std::string& text) {
    WriteFile(dir + "/in.json", text);
    return {"from-json", dir + "/in.json", dir + "/out.tvr"};
}
std::string Fifo(const std::string& dir) {
    const std::string path = dir + "/fifo";
    ::mkfifo(path.c_str(), 0600);
    return path;
}

const Crafted kCrafted[] = {
    {"CsvWideHeaderAndShortRows",
     [](const std::string& d) {
         return ImportCsv(d, "x" + Repeat(",a", 100000) + "\n" + Repeat("r\n", 1000));
     },
     1, "データが大きすぎるため読み込めません。\nセル数：100000000\n", 10, 200},
    {"CsvAllRowsIntoAWideSheet",
     [](const std::string& d) {
         return ImportCsv(d, "x" + Repeat(",", 1000000) + "\n" + Repeat("r\n", 100000));
     },
     1, kTooLarge, 10, 200},
    {"JsonRowsWithoutCells",
     [](const std::string& d) {
         return FromJson(d, "{\"columns\":[" + Repeat("{},", 999) + "{}],\"rows\":[" +
                                Repeat("{},", 99999) + "{}]}");
     },
     1, "データが大きすぎるため読み込めません。\nセル数：100000000\n", 10, 500},
    {"SheetClaimingBillionsOfCells",
     [](const std::string& d) {
         WriteFile(d + "/in.tvr", HugeSheetClaim());
         return std::vector<std::string>{"dump", d + "/in.tvr"};
     },
     1, "データが大きすぎるため読み込めません。\nセル数：2000000000\n", 10, 200},
    {"CsvHeaderOfAMillionCommas",
     [](const std::string& d) { return ImportCsv(d, Repeat(",", 1000000) + "\n"); }, 0, "", 20,
     600},
    {"CsvStoppedAtABadLine",
     [](const std::string& d) { return ImportCsv(d, "x,A\nr1,1\nr2,1,1\nr3\n"); }, 3,
     "3行目：r2,1,1\ntavreler-cli: the import stopped at a bad line; 1 rows before it were written",
     10, 200},
    {"JsonColumnsAnObject",
     [](const std::string& d) { return FromJson(d, R"({"columns":{"name":"a"}})"); }, 1,
     "\"columns\" must be an array", 10, 200},
    {"JsonColumnsANumber", [](const std::string& d) { return FromJson(d, R"({"columns":5})"); }, 1,
     "\"columns\" must be an array", 10, 200},
    {"JsonColumnsAString", [](const std::string& d) { return FromJson(d, R"({"columns":"abc"})"); },
     1, "\"columns\" must be an array", 10, 200},
    {"JsonColumnNotAnObject",
     [](const std::string& d) { return FromJson(d, R"({"columns":[1,null,"x"]})"); }, 1,
     "\"columns\"[0] must be an object", 10, 200},
    {"JsonRowsANumber", [](const std::string& d) { return FromJson(d, R"({"rows":7})"); }, 1,
     "\"rows\" must be an array", 10, 200},
    {"JsonCellsAnObject",
     [](const std::string& d) { return FromJson(d, R"({"rows":[{"cells":{}}]})"); }, 1,
     "\"cells\" in \"rows\"[0] must be an array", 10, 200},
    {"JsonUnknownMember",
     [](const std::string& d) { return FromJson(d, R"({"colums":[{"name":"a"}]})"); }, 1,
     "unknown member \"colums\"", 10, 200},
    {"DumpOfAPipe",
     [](const std::string& d) {
         return std::vector<std::string>{"dump", Fifo(d)};
     },
     1, "not a regular file", 10, 200},
    {"FromJsonOfAPipe",
     [](const std::string& d) {
         return std::vector<std::string>{"from-json", Fifo(d), d + "/o.tvr"};
     },
     1, "not a regular file", 10, 200},
    {"ImportCsvOfDevZero",
     [](const std::string& d) {
         return std::vector<std::string>{"import-csv", "/dev/zero", d + "/o.tvr"};
     },
     1, "not a regular file", 10, 200},
    {"ExportOfDevZero",
     [](const std::string& d) {
         return std::vector<std::string>{"export-csv", "/dev/zero", d + "/o.csv"};
     },
     1, "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。", 10, 200},
};

class CliCrafted : public ::testing::TestWithParam<Crafted> {};

TEST_P(CliCrafted, AnsweredWithinBoundsWithItsExitCodeAndMessage) {
    const Crafted& c = GetParam();
    // 10^8 cells fit half of this machine's memory but not half of the
    // address-space limit, which sanitizer builds go without: there the tool
    // would build them. The normal build checks those rows.
    if (kSanitized && std::string_view(c.message).ends_with("セル数：100000000\n"))
        GTEST_SKIP() << "refused only under the address-space limit, which a sanitizer cannot "
                        "start under";
    const CTempDir dir;
    const Outcome r = RunLimited(c.make(dir.Path()));
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_LT(r.seconds, c.maxSeconds);
    EXPECT_LT(r.peakMb, c.maxMb);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CliCrafted, ::testing::ValuesIn(kCrafted),
                         [](const auto& info) { return std::string(info.param.name); });

// Every name length the system allows: a sheet saved under it, and exported
// as CSV and HTML beside it, with no temporary file left behind.
TEST(CliLongNames, NamesUpTo255BytesAreWrittenAndExported) {
    const CTempDir temp;
    const std::string& dir = temp.Path();
    WriteFile(dir + "/rows.txt", "A\nB\n");
    ASSERT_EQ(RunLimited({"new", dir + "/ref.tvr", dir + "/rows.txt"}).code, 0);
    ASSERT_EQ(RunLimited({"export-csv", dir + "/ref.tvr", dir + "/ref.csv"}).code, 0);
    for (std::size_t len : {247u, 248u, 250u, 254u, 255u}) {
        const std::string stem = dir + "/" + std::string(len - 4, 'n');
        const Outcome made = RunLimited({"new", stem + ".tvr", dir + "/rows.txt"});
        EXPECT_EQ(made.code, 0) << len << ": " << made.err;
        const Outcome csv = RunLimited({"export-csv", stem + ".tvr", stem + ".csv"});
        EXPECT_EQ(csv.code, 0) << len << ": " << csv.err;
        const Outcome html = RunLimited({"export-html", stem + ".tvr", stem + ".htm"});
        EXPECT_EQ(html.code, 0) << len << ": " << html.err;
        EXPECT_EQ(ReadFile(stem + ".csv"), ReadFile(dir + "/ref.csv")) << len;
        EXPECT_EQ(ReadFile(stem + ".tvr"), ReadFile(dir + "/ref.tvr")) << len;
    }
    std::size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        EXPECT_NE(e.path().filename().string()[0], '.') << e.path();
        ++files;
    }
    EXPECT_EQ(files, 3u + 5u * 3u);
}

} // namespace
