// What an edit costs on a large sheet: the check command with its undo
// snapshot, an undo and redo pair, the memory a hundred edits keep, and
// building or emptying a sheet one row at a time. Sheets of 100,000 x 10 and
// 10,000 x 100 (rows x columns) are held to the same edit on 100 rows of as
// many columns.
#include <benchmark/benchmark.h>

#include "BenchSheet.h"

#include <malloc.h>

#include <memory>
#include <string>

#include "document/SheetDocument.h"

namespace {

std::size_t HeapInUse() {
    malloc_trim(0);
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd; // large blocks (the cell pool's slabs) are mapped apart
}

// The sheets every edit benchmark runs on: 100 rows against 100,000 at 10
// columns, and against 10,000 at 100.
void EditSizes(benchmark::internal::Benchmark* b) {
    b->Args({100, 10})
        ->Args({100000, 10})
        ->Args({100, 100})
        ->Args({10000, 100})
        ->Unit(benchmark::kMicrosecond);
}

std::unique_ptr<CSheetDocument> DocFor(const benchmark::State& state) {
    return MakeBenchDoc(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

// The check command: a snapshot, then the cell toggled.
void BM_CheckWithSnapshot(benchmark::State& state) {
    auto d = DocFor(state);
    int k = 0;
    for (auto _ : state) {
        d->SaveUndo();
        d->m_Sheet.m_nCurLine = (k++ * 7919) % d->m_Sheet.GetSize();
        d->m_Sheet.ToggleCur(nullptr);
    }
}
// The same toggles without the snapshot: what reaching a row at random costs
// by itself (on a large sheet mostly memory the processor has not cached).
// The snapshot's own cost is the difference.
void BM_CheckAlone(benchmark::State& state) {
    auto d = DocFor(state);
    int k = 0;
    for (auto _ : state) {
        d->m_Sheet.m_nCurLine = (k++ * 7919) % d->m_Sheet.GetSize();
        d->m_Sheet.ToggleCur(nullptr);
    }
}
// The check command as a user gives it: Space on the cursor's cell, then
// Down to the next row, from the middle of the sheet on.
void BM_CheckAtCursor(benchmark::State& state) {
    auto d = DocFor(state);
    CSheetFile& s = d->m_Sheet;
    for (auto _ : state) {
        d->SaveUndo();
        s.ToggleCur(nullptr);
        s.m_nCurLine = (s.m_nCurLine + 1) % s.GetSize();
    }
}
BENCHMARK(BM_CheckAtCursor)->Apply(EditSizes);

BENCHMARK(BM_CheckAlone)->Apply(EditSizes);

BENCHMARK(BM_CheckWithSnapshot)->Apply(EditSizes);

void BM_UndoRedoPair(benchmark::State& state) {
    auto d = DocFor(state);
    MakeHistory(*d, 5);
    for (auto _ : state) {
        d->Undo();
        d->Redo();
    }
}
BENCHMARK(BM_UndoRedoPair)->Apply(EditSizes);

// Memory kept by 100 single-cell edits, as a share of the sheet's own memory
// (counter "growth_pct"; the goal is 50 or less).
void BM_HundredEditsMemory(benchmark::State& state) {
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto d = DocFor(state);
        const std::size_t loaded = HeapInUse();
        for (int i = 0; i < 100; ++i) {
            d->SaveUndo();
            d->m_Sheet.m_nCurLine = (i * 7919) % d->m_Sheet.GetSize();
            d->m_Sheet.ToggleCur(nullptr);
        }
        const std::size_t edited = HeapInUse();
        state.counters["sheet_MB"] = double(loaded - before) / 1e6;
        state.counters["growth_MB"] = double(edited - loaded) / 1e6;
        state.counters["growth_pct"] = 100.0 * double(edited - loaded) / double(loaded - before);
    }
}
BENCHMARK(BM_HundredEditsMemory)
    ->Args({100000, 10})
    ->Args({10000, 100})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Building a sheet row by row through the row operations (each lays out).
void BM_AddLineEach(benchmark::State& state) {
    for (auto _ : state) {
        CSheetFile s;
        for (int c = 0; c < 10; ++c)
            s.AddColumn("c" + std::to_string(c), 1);
        s.Layout(0, 0, 1000, 700);
        for (int r = 0; r < state.range(0); ++r)
            s.AddLine("row");
        benchmark::DoNotOptimize(s.GetSize());
    }
}
BENCHMARK(BM_AddLineEach)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_InsertLineAtTop(benchmark::State& state) {
    for (auto _ : state) {
        CSheetFile s;
        for (int c = 0; c < 10; ++c)
            s.AddColumn("c" + std::to_string(c), 1);
        s.Layout(0, 0, 1000, 700);
        s.AddLine("first");
        for (int r = 1; r < state.range(0); ++r)
            s.InsertLine(0, std::make_unique<CLineData>("row", 10));
        benchmark::DoNotOptimize(s.GetSize());
    }
}
BENCHMARK(BM_InsertLineAtTop)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DeleteEveryLine(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto d = MakeBenchDoc(static_cast<int>(state.range(0)), 10);
        state.ResumeTiming();
        CSheetFile& s = d->m_Sheet;
        while (s.GetSize() > 0)
            s.DeleteLine(0);
        state.PauseTiming();
        d.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteEveryLine)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
