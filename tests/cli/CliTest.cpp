// The built command-line tool, run as a user runs it: dump then from-json
// gives back the very bytes of every sheet file (the test data, the fuzz
// corpus and generated sheets with every oddity a file can hold), usage
// errors exit 2, bad files exit 1 with the program's message, and a write
// past the file-size limit fails cleanly.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "SheetEdits.h"
#include "fw/Cp932.h"
#include "model/CheckItem.h"
#include "model/SheetFile.h"
#include "model/SheetIo.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;
using childtest::Names;
using childtest::ReadFile;
using childtest::WriteFile;

struct Result {
    int code; // exit code, or minus the signal
    std::string out, err;
};

// Runs tavreler-cli with args. The signals are as a shell leaves them
// (SIGXFSZ ends the program unless it ignores the signal itself).
Result RunCli(const std::vector<std::string>& args, rlim_t fileSizeLimit = RLIM_INFINITY) {
    char outName[] = "/tmp/tavreler-cli-out-XXXXXX";
    char errName[] = "/tmp/tavreler-cli-err-XXXXXX";
    const int outFd = ::mkstemp(outName), errFd = ::mkstemp(errName);
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        const int in = ::open("/dev/null", O_RDONLY);
        ::dup2(in, 0);
        std::signal(SIGXFSZ, SIG_DFL);
        if (fileSizeLimit != RLIM_INFINITY)
            childtest::LimitFileSize(fileSizeLimit);
        childtest::Exec(TAVRELER_CLI, args);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(outFd);
    ::close(errFd);
    Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), ReadFile(outName),
             ReadFile(errName)};
    ::unlink(outName);
    ::unlink(errName);
    return r;
}

using Scratch = CTempDir;

std::string Saved(const CSheetFile& sheet) {
    std::ostringstream out;
    WriteSheet(sheet, out);
    return out.str();
}

// dump, then from-json of what dump printed: the bytes of the new file.
std::string RoundTrip(const Scratch& s, const std::string& path) {
    const Result dump = RunCli({"dump", path});
    EXPECT_EQ(dump.code, 0) << dump.err;
    WriteFile(s.File("dump.json"), dump.out);
    const Result back = RunCli({"from-json", s.File("dump.json"), s.File("back.tvr")});
    EXPECT_EQ(back.code, 0) << back.err;
    return ReadFile(s.File("back.tvr"));
}

// ---- Every sheet file there is ---------------------------------------------

std::vector<std::string> SheetFiles() {
    std::vector<std::string> files;
    for (const char* dir : {TAVRELER_TEST_DATA, TAVRELER_FUZZ_CORPUS})
        if (fs::is_directory(dir))
            for (const auto& e : fs::directory_iterator(dir))
                if (e.is_regular_file())
                    files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

class CliFileRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(CliFileRoundTrip, DumpThenFromJsonGivesTheSameBytes) {
    Scratch s;
    const std::string bytes = ReadFile(GetParam());
    CSheetFile sheet;
    if (ReadSheet(sheet, bytes)) {
        // Not a sheet: dump says so and writes nothing.
        const Result dump = RunCli({"dump", GetParam()});
        EXPECT_EQ(dump.code, 1);
        EXPECT_TRUE(dump.out.empty());
        return;
    }
    // A file as the program writes it comes back byte for byte; one written
    // otherwise (a long length prefix for a short name, a version other
    // than 100, no bytes at all) comes back as the program would write it.
    EXPECT_EQ(RoundTrip(s, GetParam()), Saved(sheet));
}

INSTANTIATE_TEST_SUITE_P(Files, CliFileRoundTrip, ::testing::ValuesIn(SheetFiles()),
                         [](const auto& info) {
                             std::string n =
                                 fs::path(info.param).parent_path().filename().string() + "_" +
                                 fs::path(info.param).stem().string();
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });

TEST(CliRoundTrip, CorpusAndDataAreThere) {
    // The suite above must have files to run over.
    EXPECT_GE(SheetFiles().size(), 3u);
}

// ---- Generated sheets with what a file can hold -----------------------------

struct GenCase {
    const char* name;
    void (*build)(CSheetFile&);
};
// Shown by its name in test listings.
void PrintTo(const GenCase& c, std::ostream* os) {
    *os << c.name;
}

void AddRow(CSheetFile& s, const std::string& name) {
    s.AddLine(name);
}

// Puts a plain cell with the given type field in place of a check cell.
void MakePlain(CSheetFile& s, int row, int column, int type) {
    s.EditLine(row, [&](CLineData& line) {
        line.RemoveAt(column);
        auto* plain = new CDataItem;
        plain->m_nType = type;
        line.InsertAt(column, plain);
    });
}

const GenCase kGenerated[] = {
    {"WorkedExample",
     [](CSheetFile& s) {
         s.AddColumn("\x83\x60\x83\x46\x83\x62\x83\x4e", 1);
         AddRow(s, "A");
         AddRow(s, "B");
         SetChecked(s, 0, 0);
         s.m_nColumnHeight = 24;
     }},
    {"Empty", [](CSheetFile&) {}},
    {"EveryTextField",
     [](CSheetFile& s) {
         s.m_strTitle = "\x83\x5e\x83\x43\x83\x67\x83\x8b"; // タイトル
         s.m_strHtmlCss = "s.css";
         s.m_strHtmlFile = "C:\\out\\p.html";
         s.AddColumn("c", 1);
         s.EditColumn(0, [](CColumnData& c) {
             c.m_strDetail = "detail\r\nline 2";
             c.m_strLinkFile = "C:\\a b\\x.txt";
         });
         AddRow(s, "r");
         s.EditLine(0, [](CLineData& l) {
             l.m_strDetail = "d";
             l.m_strLinkFile = "l";
         });
         s.m_nTopLine = 3;
         s.m_nLeftColumn = -1;
         s.m_nLineNameWidth = 2147483647;
         s.m_nColumnWidth = -2147483647 - 1;
         s.m_nCsvMark = 1;
         s.m_nHtmlMark = 7;
     }},
    {"CheckCellStoredWithType0",
     [](CSheetFile& s) {
         s.AddColumn("a", 1);
         s.AddColumn("b", 1);
         AddRow(s, "r");
         s.EditLine(0, [](CLineData& l) { l.GetAt(0)->m_nType = 0; });
         SetChecked(s, 0, 1, 5);
     }},
    {"PlainCellsOfAnyType",
     [](CSheetFile& s) {
         s.AddColumn("a", 1);
         s.AddColumn("b", 1);
         s.AddColumn("c", 1);
         AddRow(s, "r");
         AddRow(s, "q");
         for (int i = 0; i < 3; ++i)
             MakePlain(s, 0, i, i == 0 ? 0 : i == 1 ? 1 : -3);
         MakePlain(s, 1, 2, 0);
     }},
    {"BytesThatAreNoCodePage932",
     [](CSheetFile& s) {
         s.AddColumn(std::string("\x80\xA0\xFD\xFE\xFF", 5), 1);
         AddRow(s, "lead byte at the end \x82");
         AddRow(s, "\x82\x20 lead byte before a space");
     }},
    {"DuplicateCodes",
     [](CSheetFile& s) {
         // NEC selected IBM extensions: the same characters as 0xFA5C and 0x8754.
         s.AddColumn("\xED\x40\xEE\xEF", 1);
         AddRow(s, "\x87\x54 and \xFA\x4A");
         s.m_strTitle = "\xED\x40";
     }},
    {"NulBytes",
     [](CSheetFile& s) {
         s.AddColumn("a", 1);
         AddRow(s, "r");
         // As a file can hold them (the model's adders take C strings).
         SetColumnName(s, 0, std::string("a\0b", 3));
         SetLineName(s, 0, std::string("\0", 1));
         s.m_strTitle = std::string("\0\0t", 3);
     }},
    {"LengthPrefixes",
     [](CSheetFile& s) {
         s.AddColumn(std::string(254, 'a'), 1);
         s.AddColumn(std::string(255, 'b'), 1);
         AddRow(s, std::string(65533, 'c'));
         AddRow(s, std::string(65534, 'd'));
         AddRow(s, std::string(70000, 'e'));
     }},
    {"RandomSheet",
     [](CSheetFile& s) {
         std::mt19937 rng(1234);
         auto text = [&] {
             std::string t;
             const int n = static_cast<int>(rng() % 12);
             for (int i = 0; i < n; ++i)
                 t += static_cast<char>(rng() % 256);
             return t;
         };
         for (int c = 0; c < 7; ++c)
             s.AddColumn(text(), static_cast<int>(rng() % 2));
         for (int r = 0; r < 40; ++r) {
             AddRow(s, text());
             s.EditLine(r, [&](CLineData& l) {
                 l.m_strDetail = text();
                 for (CDataItem* p : l)
                     if (auto* c = dynamic_cast<CCheckItem*>(p))
                         c->m_bCheck = static_cast<int>(rng() % 2);
             });
         }
     }},
};

class CliGeneratedRoundTrip : public ::testing::TestWithParam<GenCase> {};

TEST_P(CliGeneratedRoundTrip, DumpThenFromJsonGivesTheSameBytes) {
    Scratch s;
    CSheetFile sheet;
    GetParam().build(sheet);
    const std::string bytes = Saved(sheet);
    WriteFile(s.File("in.tvr"), bytes);
    const std::string back = RoundTrip(s, s.File("in.tvr"));
    EXPECT_EQ(back.size(), bytes.size());
    EXPECT_TRUE(back == bytes)
        << "first difference at byte "
        << std::mismatch(back.begin(), back.end(), bytes.begin(), bytes.end()).first - back.begin();
}

INSTANTIATE_TEST_SUITE_P(Sheets, CliGeneratedRoundTrip, ::testing::ValuesIn(kGenerated),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliDump, OrdinaryCellsPrintAsBefore) {
    // A sheet of ordinary cells dumps without the extra members that only
    // odd files need.
    Scratch s;
    CSheetFile sheet;
    sheet.AddColumn("a", 1);
    sheet.AddColumn("p", 1);
    AddRow(sheet, "r");
    MakePlain(sheet, 0, 1, 0);
    WriteFile(s.File("in.tvr"), Saved(sheet));
    const Result r = RunCli({"dump", s.File("in.tvr")});
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(
        r.out.find(
            "\"cells\": [\n        {\n          \"check\": 0,\n          \"type\": 1\n        },\n"
            "        {\n          \"type\": 0\n        }\n      ]"),
        std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("class"), std::string::npos);
    EXPECT_EQ(r.out.find("Cp932"), std::string::npos);
}

// ---- Usage and failures -----------------------------------------------------

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};
// Shown by its name in test listings.
void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.name;
}

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitsTwoWithTheUsage) {
    const Result r = RunCli(GetParam().args);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("usage: tavreler-cli"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Errors, CliUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {"frobnicate"}},
        UsageCase{"DumpWithoutFile", {"dump"}}, UsageCase{"DumpWithTwoFiles", {"dump", "a", "b"}},
        UsageCase{"FromJsonWithOneFile", {"from-json", "a.json"}},
        UsageCase{"NewWithoutFile", {"new"}},
        UsageCase{"NewWithUnknownOption", {"new", "a.tvr", "--nope"}},
        UsageCase{"ExportCsvWithOneFile", {"export-csv", "a.tvr"}},
        UsageCase{"ExportHtmlTableWithCss", {"export-html", "--table", "a.tvr", "--css", "s"}},
        UsageCase{"ExportHtmlCssWithoutValue", {"export-html", "a.tvr", "b.html", "--css"}},
        UsageCase{"ImportCsvUnknownOption", {"import-csv", "a.csv", "b.tvr", "--onto", "c"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliVersion, AnswersOnStandardOutput) {
    const Result r = RunCli({"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.rfind("tavreler-cli ", 0), 0u) << r.out;
    EXPECT_TRUE(r.err.empty());
}

std::string FromHex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

struct BadFileCase {
    const char* name;
    std::string bytes;   // the file dump is given
    bool missing;        // no file at all
    std::string message; // the whole of standard error
};
// Shown by its name in test listings.
void PrintTo(const BadFileCase& c, std::ostream* os) {
    *os << c.name;
}

class CliBadFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(CliBadFile, ExitsOneWithTheMessage) {
    Scratch s;
    const std::string path = s.File("in.tvr");
    if (!GetParam().missing)
        WriteFile(path, GetParam().bytes);
    const Result r = RunCli({"dump", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.empty());
    std::string expected = GetParam().message;
    if (const auto at = expected.find("%1"); at != std::string::npos)
        expected.replace(at, 2, path);
    EXPECT_EQ(r.err, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliBadFile,
    ::testing::Values(
        BadFileCase{"Truncated", std::string("\x64\x00\x00", 3), false,
                    "予期しないﾌｧｲﾙ形式です。\n"},
        BadFileCase{"UnknownClass",
                    FromHex("64000000"
                            "00"
                            "18000000"
                            "00000000"
                            "00000000"
                            "0A000000"
                            "0A000000"
                            "00000000"
                            "00000000"
                            "00"
                            "00"
                            "0100"
                            "FFFF"
                            "0100"
                            "0500"
                            "434E6F7065"),
                    false, "予期しないﾌｧｲﾙ形式です。\n"},
        BadFileCase{
            "Missing", "", true,
            "%1\nこのﾌｧｲﾙが見つかりません。\nﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。\n(" +
                std::string(std::strerror(ENOENT)) + ")\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliBadPath, PathTooLongIsNotFound) {
    const std::string path = "/tmp/" + std::string(5000, 'x') + ".tvr";
    const Result r = RunCli({"dump", path});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
              path +
                  "\nこのﾌｧｲﾙが見つかりません。\nﾊﾟｽとﾌｧｲﾙ名が正しいかどうか確認してださい。\n(" +
                  std::strerror(ENAMETOOLONG) + ")\n");
}

TEST(CliImportCsv, ImportErrorEndsWithALineEnd) {
    Scratch s;
    WriteFile(s.File("in.csv"), "\"x\",\"A\"\r\n\"r1\",\"1\",\"0\",\"1\"\r\n");
    const Result r = RunCli({"import-csv", s.File("in.csv"), s.File("out.tvr")});
    // What came before the bad line is kept and written; the exit code says
    // that rows were left out.
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err, "インポートエラー：一行目の列数以上の項目を持つ行があります\n2行目：\"r1\","
                     "\"1\",\"0\",\"1\"\n"
                     "tavreler-cli: the import stopped at a bad line; 0 rows before it were "
                     "written to " +
                         s.File("out.tvr") + "\n");
}

TEST(CliExport, UnwritableFolderIsReportedAndNothingIsLeft) {
    Scratch s;
    CSheetFile sheet;
    AddRow(sheet, "r");
    WriteFile(s.File("in.tvr"), Saved(sheet));
    const std::string out = s.File("none/out.csv");
    const Result r = RunCli({"export-csv", s.File("in.tvr"), out});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "ファイルのオープンに失敗しました:" + out + "\n");
}

// ---- Writes past the file-size limit -----------------------------------------

struct LimitCase {
    const char* name;
    std::vector<std::string> args; // "IN" and "OUT" stand for the files
    std::string message;
};
// Shown by its name in test listings.
void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << c.name;
}

class CliFileSizeLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(CliFileSizeLimit, FailsWithTheMessageAndKeepsTheOldFile) {
    Scratch s;
    CSheetFile sheet;
    for (int c = 0; c < 30; ++c)
        sheet.AddColumn("column " + std::to_string(c), 1);
    for (int r = 0; r < 400; ++r)
        AddRow(sheet, "row " + std::to_string(r));
    const std::string in = s.File("in.tvr");
    WriteFile(in, Saved(sheet));
    WriteFile(s.File("in.json"), RunCli({"dump", in}).out);
    WriteFile(s.File("out"), "the old file");
    std::vector<std::string> args;
    for (const std::string& a : GetParam().args)
        args.push_back(a == "IN"     ? in
                       : a == "JSON" ? s.File("in.json")
                       : a == "OUT"  ? s.File("out")
                                     : a);

    // The limit sits above the inputs' sizes, below the output's.
    const Result r = RunCli(args, 16384);
    EXPECT_EQ(r.code, 1) << "ended by signal " << -r.code;
    std::string expected = GetParam().message;
    if (const auto at = expected.find("%1"); at != std::string::npos)
        expected.replace(at, 2, s.File("out"));
    EXPECT_EQ(r.err, expected);
    EXPECT_EQ(ReadFile(s.File("out")), "the old file");
    EXPECT_EQ(Names(s.Path()), (std::vector<std::string>{"in.json", "in.tvr", "out"}));
}

INSTANTIATE_TEST_SUITE_P(
    Writes, CliFileSizeLimit,
    ::testing::Values(
        LimitCase{"ExportCsv", {"export-csv", "IN", "OUT"}, "ファイルの書込に失敗しました:%1\n"},
        LimitCase{"ExportCsvUtf8",
                  {"export-csv", "IN", "OUT", "--utf8"},
                  "ファイルの書込に失敗しました:%1\n"},
        LimitCase{"ExportHtml", {"export-html", "IN", "OUT"}, "ファイルの書込に失敗しました:%1\n"},
        LimitCase{"FromJson",
                  {"from-json", "JSON", "OUT"},
                  "ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。\n(" + std::string(std::strerror(EFBIG)) + ")\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- CSV in UTF-8 ---------------------------------------------------------------

struct Utf8CsvCase {
    const char* name;
    std::vector<std::string> columns; // UTF-8
    std::vector<std::string> rows;    // UTF-8
    int csvMark;
};

class CliCsvUtf8 : public ::testing::TestWithParam<Utf8CsvCase> {};

// --utf8 gives the plain export's text in UTF-8 after a mark, the plain
// export keeps its bytes, and importing either gives the very same sheet.
TEST_P(CliCsvUtf8, ExportThenImportRoundTrips) {
    const Utf8CsvCase& c = GetParam();
    Scratch s;
    CSheetFile sheet;
    for (const auto& name : c.columns)
        sheet.AddColumn(cp932::FromUtf8OrDie(name), 1);
    for (const auto& name : c.rows)
        AddRow(sheet, cp932::FromUtf8OrDie(name));
    for (int i = 0; i < sheet.GetSize(); ++i)
        for (int k = 0; k < sheet.GetAt(i)->GetSize(); ++k)
            SetChecked(sheet, i, k, (i + k) % 2);
    sheet.m_nCsvMark = c.csvMark;
    WriteFile(s.File("in.tvr"), Saved(sheet));

    ASSERT_EQ(RunCli({"export-csv", s.File("in.tvr"), s.File("plain.csv")}).code, 0);
    const Result r = RunCli({"export-csv", "--utf8", s.File("in.tvr"), s.File("utf8.csv")});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string plain = ReadFile(s.File("plain.csv"));
    EXPECT_NE(plain.substr(0, 3), "\xEF\xBB\xBF"); // no mark
    EXPECT_EQ(ReadFile(s.File("utf8.csv")), "\xEF\xBB\xBF" + cp932::ToUtf8(plain));

    ASSERT_EQ(RunCli({"import-csv", s.File("plain.csv"), s.File("from-plain.tvr")}).code, 0);
    const Result back = RunCli({"import-csv", s.File("utf8.csv"), s.File("from-utf8.tvr")});
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(back.err, "");
    EXPECT_EQ(ReadFile(s.File("from-utf8.tvr")), ReadFile(s.File("from-plain.tvr")));
    CSheetFile read;
    ASSERT_FALSE(ReadSheetFile(read, s.File("from-utf8.tvr")).has_value());
    ASSERT_EQ(read.GetSize(), sheet.GetSize());
    for (int i = 0; i < read.GetSize(); ++i)
        EXPECT_EQ(read.GetAt(i)->m_strName, sheet.GetAt(i)->m_strName);
}

INSTANTIATE_TEST_SUITE_P(
    Csv, CliCsvUtf8,
    ::testing::Values(Utf8CsvCase{"JapaneseNames", {"列A", "確認"}, {"行1", "行2", "ｶﾅ①"}, 0},
                      Utf8CsvCase{"DigitMarks", {"A", "B"}, {"r1", "r2"}, 1},
                      Utf8CsvCase{"NoColumns", {}, {"only rows"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliCsvUtf8Refusal, ImportOfCharactersTheSheetCannotHoldWritesNothing) {
    Scratch s;
    WriteFile(s.File("in.csv"), "x,\"caf\xC3\xA9\"\r\nrow \xF0\x9F\x98\x80,1\r\n");
    const Result r = RunCli({"import-csv", s.File("in.csv"), s.File("out.tvr")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "このCSVファイル（UTF-8）には、シートに保存できない文字があります"
                     "（シフトJISにない文字です）: 「é」「😀」\nインポートは行いませんでした。\n");
    EXPECT_EQ(Names(s.Path()), std::vector<std::string>{"in.csv"});
}

TEST(CliCsvUtf8Refusal, NamesThatAreNoCharactersAreNotWrittenAsUtf8) {
    Scratch s;
    CSheetFile sheet;
    AddRow(sheet, "bad \x81\x20 name");
    WriteFile(s.File("in.tvr"), Saved(sheet));
    const Result r = RunCli({"export-csv", s.File("in.tvr"), s.File("out.csv"), "--utf8"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--utf8"), std::string::npos) << r.err;
    EXPECT_EQ(Names(s.Path()), std::vector<std::string>{"in.tvr"});
    // Without the option the bytes go out as they are.
    EXPECT_EQ(RunCli({"export-csv", s.File("in.tvr"), s.File("out.csv")}).code, 0);
    EXPECT_NE(ReadFile(s.File("out.csv")).find("bad \x81\x20 name"), std::string::npos);
}

} // namespace

// Numbers in the JSON are stored in 32 bits: one that does not fit is refused
// with its member's name rather than narrowed to another value.
struct RangeCase {
    const char* name;
    const char* json;
    int code;
    const char* member; // named on standard error when refused
};
void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << c.name;
}

class CliJsonRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(CliJsonRange, OutOfRangeIsRefusedByName) {
    Scratch s;
    WriteFile(s.File("in.json"), GetParam().json);
    const Result r = RunCli({"from-json", s.File("in.json"), s.File("out.tvr")});
    EXPECT_EQ(r.code, GetParam().code) << r.err;
    if (GetParam().code == 0) {
        EXPECT_TRUE(std::filesystem::exists(s.File("out.tvr")));
        return;
    }
    EXPECT_NE(r.err.find(std::string("\"") + GetParam().member + "\""), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(s.File("out.tvr")));
}

INSTANTIATE_TEST_SUITE_P(
    Members, CliJsonRange,
    ::testing::Values(
        RangeCase{"LargestWidth", R"({"columnWidth": 2147483647})", 0, ""},
        RangeCase{"SmallestTop", R"({"topLine": -2147483648})", 0, ""},
        RangeCase{"WidthPastTheTop", R"({"columnWidth": 2147483648})", 1, "columnWidth"},
        RangeCase{"HugeWidth", R"({"columnWidth": 99999999999})", 1, "columnWidth"},
        RangeCase{"HugeUnsigned", R"({"lineNameWidth": 18446744073709551615})", 1, "lineNameWidth"},
        RangeCase{"BelowTheBottom", R"({"leftColumn": -2147483649})", 1, "leftColumn"}),
    [](const auto& info) { return std::string(info.param.name); });
