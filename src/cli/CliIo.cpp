#include "cli/CliIo.h"
#include "cli/CliFiles.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "fw/Cp932.h"
#include "fw/FileError.h"
#include "fw/UserInterface.h"
#include "io/CsvEncoding.h"
#include "io/TextFile.h"
#include "model/SheetFile.h"
#include "model/SheetIo.h"

namespace {

// Message boxes of the core go to standard error while a command runs; the
// clipboard is kept so that the table fragment can be printed.
class CCliUi {
public:
    CCliUi() : m_pPrev(&AfxGetUserInterface()) {
        m_ui.SetEcho(true);
        AfxSetUserInterface(&m_ui);
    }
    ~CCliUi() { AfxSetUserInterface(m_pPrev); }
    CScriptedUserInterface m_ui;

private:
    CUserInterface* m_pPrev;
};

// The sheet of a command that reads or builds a large one. The command is the
// whole process, so the sheet is never taken apart: the system takes back its
// memory at exit far faster than freeing a million cells one by one would.
// (It stays reachable through this pointer, so leak checkers do not object.)
CSheetFile& SheetKeptToExit() {
    static CSheetFile* pSheet = nullptr;
    if (!pSheet)
        pSheet = new CSheetFile;
    return *pSheet;
}

int Usage(const char* usage) {
    std::fprintf(stderr, "usage: tavreler-cli %s\n", usage);
    return 2;
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h")
            return true;
    return false;
}

// Splits the words into positional ones and the values of the given
// options; false on an unknown option or an option without its value.
bool ParseArgs(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
               const std::vector<std::string>& flagOptions, std::vector<std::string>& positional,
               std::vector<std::pair<std::string, std::string>>& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            bool known = false;
            for (const auto& o : valueOptions)
                if (a == o) {
                    if (i + 1 >= args.size())
                        return false;
                    options.emplace_back(a, args[++i]);
                    known = true;
                }
            for (const auto& o : flagOptions)
                if (a == o) {
                    options.emplace_back(a, "");
                    known = true;
                }
            if (!known)
                return false;
        } else {
            positional.push_back(a);
        }
    }
    return true;
}

const std::string* Option(const std::vector<std::pair<std::string, std::string>>& options,
                          const char* name) {
    const std::string* found = nullptr;
    for (const auto& [k, v] : options)
        if (k == name)
            found = &v; // the last one counts
    return found;
}

bool ReadSheetOrSay(CSheetFile& sheet, const std::string& path) {
    if (std::optional<FileError> err = ReadSheetFile(sheet, path)) {
        std::fprintf(stderr, "%s\n", FileErrorMessage(*err, path).c_str());
        return false;
    }
    return true;
}

// The CSV of the sheet made in memory, then written in UTF-8 with a
// byte-order mark through the text layer, so that failures read as those
// of the plain export.
int ExportCsvUtf8(const CSheetFile& sheet, const std::string& path) {
    char* buf = nullptr;
    std::size_t size = 0;
    std::FILE* mem = open_memstream(&buf, &size);
    if (!mem) {
        std::fprintf(
            stderr, "%s\n",
            COstrelFileException::Make(COstrelFileException::Open, path).m_strMessage.c_str());
        return 1;
    }
    bool made;
    {
        CTextFile file;
        file.Attach(mem, path, true);
        made = sheet.ExportCsv(file);
    }
    const std::string cp932Bytes(buf ? buf : "", size);
    std::free(buf);
    if (!made)
        return 1;
    std::string utf8;
    if (!CsvToUtf8WithMark(cp932Bytes, utf8)) {
        std::fprintf(stderr,
                     "tavreler-cli: the sheet holds names with bytes that are no code page 932 "
                     "characters; they cannot be written as UTF-8 (export without --utf8 keeps "
                     "them as they are)\n");
        return 1;
    }
    try {
        CTextFile out;
        out.Open(path.c_str(), "wb");
        out.Write(std::string_view(utf8));
        out.Close();
    } catch (const COstrelFileException& e) {
        std::fprintf(stderr, "%s\n", e.m_strMessage.c_str());
        return 1;
    }
    return 0;
}

const char kExportCsvUsage[] = "export-csv FILE.tvr OUT.csv [--utf8]";
const char kExportHtmlUsage[] =
    "export-html FILE.tvr OUT.html [--css NAME] | export-html --table FILE.tvr";
const char kImportCsvUsage[] = "import-csv IN.csv OUT.tvr [--into BASE.tvr]";

} // namespace

int CliExportCsv(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::printf("usage: tavreler-cli %s\n", kExportCsvUsage);
        return 0;
    }
    std::vector<std::string> pos;
    std::vector<std::pair<std::string, std::string>> opts;
    if (!ParseArgs(args, {}, {"--utf8"}, pos, opts) || pos.size() != 2)
        return Usage(kExportCsvUsage);
    CCliUi ui;
    CSheetFile& sheet = SheetKeptToExit();
    if (!ReadSheetOrSay(sheet, pos[0]))
        return 1;
    if (!Option(opts, "--utf8"))
        return sheet.ExportCsv(pos[1].c_str()) ? 0 : 1;
    return ExportCsvUtf8(sheet, pos[1]);
}

int CliExportHtml(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::printf("usage: tavreler-cli %s\n", kExportHtmlUsage);
        return 0;
    }
    std::vector<std::string> pos;
    std::vector<std::pair<std::string, std::string>> opts;
    if (!ParseArgs(args, {"--css"}, {"--table"}, pos, opts))
        return Usage(kExportHtmlUsage);
    const bool bTable = Option(opts, "--table") != nullptr;
    const std::string* pCss = Option(opts, "--css");
    if (bTable ? (pos.size() != 1 || pCss) : pos.size() != 2)
        return Usage(kExportHtmlUsage);

    CCliUi ui;
    CSheetFile sheet;
    if (!ReadSheetOrSay(sheet, pos[0]))
        return 1;
    if (bTable) {
        sheet.ExportHtml(FALSE);
        const std::string text = ui.m_ui.m_clipboard.value_or("");
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (pCss) {
        cp932::EncodeResult css = cp932::FromUtf8(*pCss);
        if (!css.ok()) {
            std::fprintf(stderr, "%s\n", cp932::RejectedMessage(css.rejected).c_str());
            return 1;
        }
        sheet.m_strHtmlCss = css.text;
    }
    // The output name is a path of this system (UTF-8): it is opened as
    // given rather than passed through the sheet's code page.
    return sheet.ExportHtmlFile(pos[1]) ? 0 : 1;
}

int CliImportCsv(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::printf("usage: tavreler-cli %s\n", kImportCsvUsage);
        return 0;
    }
    std::vector<std::string> pos;
    std::vector<std::pair<std::string, std::string>> opts;
    if (!ParseArgs(args, {"--into"}, {}, pos, opts) || pos.size() != 2)
        return Usage(kImportCsvUsage);
    const std::string* pBase = Option(opts, "--into");
    if (!CheckRegularInput(pos[0]) || (pBase && !CheckRegularInput(*pBase)))
        return 1;
    CCliUi ui;
    CSheetFile& sheet = SheetKeptToExit();
    if (pBase && !ReadSheetOrSay(sheet, *pBase))
        return 1;
    const int nBefore = sheet.GetSize();
    if (!sheet.ImportCsv(pos[0].c_str()))
        return 1;
    // The import shows a message and still succeeds only when a bad line
    // stopped it. What came before is kept and written all the same, and the
    // exit code tells a script that rows were left out.
    const bool bStopped = !ui.m_ui.m_shown.empty();
    if (std::optional<FileError> err = SaveSheetFile(sheet, pos[1])) {
        std::fprintf(stderr, "%s\n", FileErrorMessage(*err, pos[1]).c_str());
        return 1;
    }
    if (bStopped) {
        std::fprintf(stderr,
                     "tavreler-cli: the import stopped at a bad line; %d rows before it were "
                     "written to %s\n",
                     sheet.GetSize() - nBefore, pos[1].c_str());
        return 3;
    }
    return 0;
}
