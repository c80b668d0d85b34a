// What the check counts cost as you tick: the check command with its undo
// snapshot and the counts read afterwards (sheet, current row and column),
// the counts after a tick on their own, and an undo with the counts read.
// A 100 x 10 sheet is the yardstick for the two 1,000,000-cell sheets
// (100,000 x 10 and 1,000 x 1,000).
#include <benchmark/benchmark.h>

#include "BenchSheet.h"

#include <memory>
#include <string>

#include "document/SheetDocument.h"

namespace {

std::unique_ptr<CSheetDocument> MakeDoc(int rows, int columns) {
    auto d = MakeBenchDoc(rows, columns);
    benchmark::DoNotOptimize(d->m_Sheet.CheckCounts()); // the one full count after building
    return d;
}

int ReadCounts(const CSheetFile& s) {
    return s.CheckCounts().nChecked + s.LineCheckCounts(s.m_nCurLine).nChecked +
           s.ColumnCheckCounts(s.m_nCurColumn).nChecked;
}

void BM_TickAndCount(benchmark::State& state) {
    auto d = MakeDoc(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CSheetFile& s = d->m_Sheet;
    int k = 0;
    for (auto _ : state) {
        d->SaveUndo();
        s.m_nCurLine = (k * 7919) % s.GetSize();
        s.m_nCurColumn = (k++ * 31) % s.m_Columns.GetSize();
        s.ToggleCur(nullptr);
        benchmark::DoNotOptimize(ReadCounts(s));
    }
}
BENCHMARK(BM_TickAndCount)
    ->Args({100, 10})
    ->Args({100000, 10})
    ->Args({1000, 1000})
    ->Unit(benchmark::kMicrosecond);

// The counts alone: a tick without a snapshot, then the counts read. This is
// what the counts add to a tick; it grows with the columns, not the rows.
void BM_CountsAfterTick(benchmark::State& state) {
    auto d = MakeDoc(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    CSheetFile& s = d->m_Sheet;
    int k = 0;
    for (auto _ : state) {
        s.m_nCurLine = (k * 7919) % s.GetSize();
        s.m_nCurColumn = (k++ * 31) % s.m_Columns.GetSize();
        s.ToggleCur(nullptr);
        benchmark::DoNotOptimize(ReadCounts(s));
    }
}
BENCHMARK(BM_CountsAfterTick)
    ->Args({100, 10})
    ->Args({100000, 10})
    ->Args({1000, 1000})
    ->Unit(benchmark::kMicrosecond);

void BM_UndoRedoAndCount(benchmark::State& state) {
    auto d = MakeDoc(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    MakeHistory(*d, 5);
    for (auto _ : state) {
        d->Undo();
        benchmark::DoNotOptimize(ReadCounts(d->m_Sheet));
        d->Redo();
        benchmark::DoNotOptimize(ReadCounts(d->m_Sheet));
    }
}
BENCHMARK(BM_UndoRedoAndCount)
    ->Args({100, 10})
    ->Args({100000, 10})
    ->Args({1000, 1000})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
