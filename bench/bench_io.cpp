// CSV export and import and HTML export of a sheet of 10,000 rows and 100
// columns, through real files in a scratch folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "fw/UserInterface.h"
#include "model/CheckItem.h"
#include "model/SheetFile.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 100;

// A scratch folder for the run, removed at the end.
class ScratchDir {
public:
    ScratchDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "tavreler-bench-XXXXXX").string();
        if (!mkdtemp(tmpl.data()))
            std::abort();
        m_path = tmpl;
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const char* name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

std::string ScratchFile(const char* name) {
    static const ScratchDir dir;
    return dir.File(name);
}

const CSheetFile& BigSheet() {
    static const std::unique_ptr<CSheetFile> sheet = [] {
        auto s = std::make_unique<CSheetFile>();
        for (int j = 0; j < kColumns; ++j)
            s->AddColumn("column " + std::to_string(j), 1);
        for (int i = 0; i < kRows; ++i)
            s->Add(std::make_unique<CLineData>("row " + std::to_string(i), kColumns));
        s->Layout();
        for (int i = 0; i < kRows; ++i)
            s->EditLine(i, [i](CLineData& line) {
                for (int j = 0; j < kColumns; ++j)
                    static_cast<CCheckItem*>(line.GetAt(j))->m_bCheck = (i + j) % 3 == 0;
            });
        return s;
    }();
    return *sheet;
}

void BM_ExportCsv(benchmark::State& state) {
    const CSheetFile& sheet = BigSheet();
    const std::string path = ScratchFile("export.csv");
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.ExportCsv(path.c_str()));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond);

void BM_ImportCsv(benchmark::State& state) {
    const std::string path = ScratchFile("import.csv");
    BigSheet().ExportCsv(path.c_str());
    for (auto _ : state) {
        CSheetFile sheet;
        benchmark::DoNotOptimize(sheet.ImportCsv(path.c_str()));
        if (sheet.GetSize() != kRows)
            state.SkipWithError("import lost rows");
        state.PauseTiming(); // freeing the sheet is not the import's time
        sheet.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond);

void BM_ExportHtml(benchmark::State& state) {
    const CSheetFile& sheet = BigSheet();
    const std::string path = ScratchFile("export.html");
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.ExportHtmlFile(path));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_ExportHtml)->Unit(benchmark::kMillisecond);

void BM_HtmlTableToClipboard(benchmark::State& state) {
    const CSheetFile& sheet = BigSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet.ExportHtml(FALSE));
}
BENCHMARK(BM_HtmlTableToClipboard)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
