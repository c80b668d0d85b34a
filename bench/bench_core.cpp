// Writing, reading and copying (one undo snapshot) a sheet of 10,000 rows x 100 columns,
// and writing it as a recovery copy.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include <stdlib.h>

#include "document/RecoveryStore.h"
#include "model/SheetIo.h"
#include "undo/TavrlUndo.h"

namespace {

void Fill(CSheetFile& s) {
    for (int c = 0; c < 100; ++c)
        s.m_Columns.Add(std::make_unique<CColumnData>("column " + std::to_string(c)));
    for (int i = 0; i < 10000; ++i) {
        auto line = std::make_unique<CLineData>("row " + std::to_string(i), 100);
        static_cast<CCheckItem*>(line->GetAt(i % 100))->m_bCheck = 1;
        s.Add(std::move(line));
    }
    s.Layout(0, 0, 800, 600);
}

const CSheetFile& Big() {
    static CSheetFile* s = [] {
        auto* p = new CSheetFile;
        Fill(*p);
        return p;
    }();
    return *s;
}

std::string Bytes() {
    std::ostringstream out;
    WriteSheet(Big(), out);
    return out.str();
}

void BM_WriteSheet(benchmark::State& state) {
    for (auto _ : state) {
        std::ostringstream out;
        WriteSheet(Big(), out);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_WriteSheet)->Unit(benchmark::kMillisecond);

void BM_ReadSheet(benchmark::State& state) {
    const std::string data = Bytes();
    state.counters["bytes"] = static_cast<double>(data.size());
    for (auto _ : state) {
        CSheetFile s;
        benchmark::DoNotOptimize(ReadSheet(s, data));
    }
}
BENCHMARK(BM_ReadSheet)->Unit(benchmark::kMillisecond);

void BM_CopySnapshot(benchmark::State& state) {
    for (auto _ : state) {
        CTavrlUndo unit(Big());
        benchmark::DoNotOptimize(unit.m_Sheet.GetSize());
    }
}
BENCHMARK(BM_CopySnapshot)->Unit(benchmark::kMillisecond);

// A recovery copy: the part on the user-interface thread is the snapshot
// (BM_CopySnapshot); this is the part on its own thread, the archive of the
// snapshot written through the atomic write with its side file.
void BM_RecoveryWrite(benchmark::State& state) {
    char tmpl[] = "/tmp/tavreler-bench-XXXXXX";
    if (!::mkdtemp(tmpl))
        return;
    {
        CRecoveryStore store(std::string(tmpl) + "/recovery");
        for (auto _ : state) {
            std::ostringstream out;
            WriteSheet(Big(), out);
            benchmark::DoNotOptimize(store.Write(out.str(), "/home/user/sheet.tvr", 1));
        }
        store.Remove();
    }
    std::filesystem::remove_all(tmpl);
}
BENCHMARK(BM_RecoveryWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
