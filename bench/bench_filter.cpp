// Only open rows and find, on a sheet of 100,000 × 10 and one of
// 1,000 × 1,000 where every other row is finished: turning the filter on and
// off and one find-next (each should stay well under 50 ms), and scrolling,
// painting and ticking with the filter on side by side with the same
// without it (arg 2: 1 = filter on). The counter "filter_bytes_per_row" is
// the filter's memory.
#include <memory>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include "BenchView.h"

#include "app/TavrelDoc.h"
#include "fw/Profile.h"
#include "model/CheckItem.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "res/CommandIds.h"
#include "view/FindCommands.h"
#include "view/TavrelView.h"

namespace {

// Every other row finished.
struct FilterSetup : CBenchView {
    FilterSetup(int rows, int cols, bool openOnly)
        : CBenchView(rows, cols, "row ", [](int r, CLineData& line) {
              if (r % 2)
                  for (CDataItem* cell : line)
                      static_cast<CCheckItem*>(cell)->m_bCheck = 1;
          }) {
        if (openOnly)
            view->OnCmdMsg(ID_VIEW_OPEN_ONLY);
        CSheetFile& s = Sheet();
        s.m_nCurLine = 4;
        s.m_nCurColumn = 3;
        QApplication::processEvents();
    }
};

int Rows(const benchmark::State& state) {
    return static_cast<int>(state.range(0));
}
int Cols(const benchmark::State& state) {
    return static_cast<int>(state.range(1));
}

// On and off again, with the repaint that follows each.
void BM_FilterToggle(benchmark::State& state) {
    FilterSetup setup(Rows(state), Cols(state), false);
    for (auto _ : state) {
        setup.view->OnCmdMsg(ID_VIEW_OPEN_ONLY);
        setup.view->repaint();
        setup.view->OnCmdMsg(ID_VIEW_OPEN_ONLY);
        setup.view->repaint();
    }
    setup.view->OnCmdMsg(ID_VIEW_OPEN_ONLY);
    state.counters["filter_bytes_per_row"] =
        double(setup.Sheet().FilterBytes()) / setup.Sheet().GetSize();
}

// One F3 among the rows named "row 7…", wrapping around.
void BM_FindNext(benchmark::State& state) {
    FilterSetup setup(Rows(state), Cols(state), state.range(2) != 0);
    setup.view->OnCmdMsg(ID_EDIT_FIND);
    setup.view->FindCommands()->Bar()->Edit()->setText(QStringLiteral("ROW 7"));
    for (auto _ : state) {
        setup.view->OnCmdMsg(ID_EDIT_FIND_NEXT);
        QApplication::processEvents();
    }
}

void BM_FilterScrollPage(benchmark::State& state) {
    FilterSetup setup(Rows(state), Cols(state), state.range(2) != 0);
    int k = 0;
    for (auto _ : state) {
        setup.view->VScrollBar()->triggerAction(k++ % 8 < 4 ? QAbstractSlider::SliderPageStepAdd
                                                            : QAbstractSlider::SliderPageStepSub);
        QApplication::processEvents();
    }
}

void BM_FilterPaint(benchmark::State& state) {
    FilterSetup setup(Rows(state), Cols(state), state.range(2) != 0);
    for (auto _ : state)
        setup.view->repaint();
}

// Space on the current cell, twice, so the row stays as it was.
void BM_FilterTick(benchmark::State& state) {
    FilterSetup setup(Rows(state), Cols(state), state.range(2) != 0);
    for (auto _ : state) {
        setup.view->OnCmdMsg(ID_EDIT_CHECK);
        setup.view->OnCmdMsg(ID_EDIT_CHECK);
        QApplication::processEvents();
    }
}

void Sizes(benchmark::internal::Benchmark* b) {
    for (int on : {0, 1}) {
        b->Args({100000, 10, on});
        b->Args({1000, 1000, on});
    }
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_FilterToggle)->Args({100000, 10})->Args({1000, 1000})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNext)->Apply(Sizes);
BENCHMARK(BM_FilterScrollPage)->Apply(Sizes);
BENCHMARK(BM_FilterPaint)->Apply(Sizes);
BENCHMARK(BM_FilterTick)->Apply(Sizes);

} // namespace
