// Paint cost of the grid view: one full frame, and one cursor move (which
// repaints only the rows and headers whose highlight changed). Both should
// stay the same whether the sheet has 100 or 100,000 rows.
#include <cstdlib>
#include <memory>
#include <string>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <benchmark/benchmark.h>

#include "BenchView.h"

#include "app/TavrelDoc.h"
#include "fw/Profile.h"
#include "fw/RecordingDC.h"
#include "model/LineData.h"
#include "model/SheetIo.h"
#include "model/SheetFile.h"
#include "view/TavrelView.h"

namespace {

// 50 columns, the cursor at row 5, column 3.
struct PaintSetup : CBenchView {
    explicit PaintSetup(int rows) : CBenchView(rows, 50) {
        CRecordingDC quiet;
        Sheet().SetCur(3, 5, &quiet);
        QApplication::processEvents();
    }
};

void BM_FullFrame(benchmark::State& state) {
    PaintSetup setup(static_cast<int>(state.range(0)));
    for (auto _ : state)
        setup.view->repaint();
}

void BM_CursorMove(benchmark::State& state) {
    PaintSetup setup(static_cast<int>(state.range(0)));
    bool down = true;
    for (auto _ : state) {
        QTest::keyClick(setup.view.get(), down ? Qt::Key_Down : Qt::Key_Up);
        down = !down;
        // Runs the pending partial repaint.
        QApplication::processEvents();
    }
}

// Scrolling by a line and by a page through the scroll bar, with the repaint
// that follows: rows are placed when drawn, so neither grows with the sheet.
void Scroll(benchmark::State& state, QAbstractSlider::SliderAction add,
            QAbstractSlider::SliderAction sub) {
    PaintSetup setup(static_cast<int>(state.range(0)));
    int k = 0;
    for (auto _ : state) {
        // Down four times, up four times: away from the top, where the step is cut short.
        setup.view->VScrollBar()->triggerAction(k++ % 8 < 4 ? add : sub);
        QApplication::processEvents();
    }
}
void BM_ScrollLine(benchmark::State& state) {
    Scroll(state, QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub);
}
void BM_ScrollPage(benchmark::State& state) {
    Scroll(state, QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub);
}

// Opening a sheet file to the first painted frame (the part of the editor's
// start-up that depends on the file): 3 x 3 against 10,000 x 100.
void BM_OpenToFirstPaint(benchmark::State& state) {
    CMemoryProfile profile;
    AfxSetProfile(&profile);
    const int rows = static_cast<int>(state.range(0)), cols = static_cast<int>(state.range(1));
    const QString path =
        QDir::temp().filePath(QStringLiteral("tavreler-bench-open-%1.tvr").arg(rows));
    {
        CSheetFile s;
        for (int c = 0; c < cols; ++c)
            s.AddColumn("column " + std::to_string(c), 1);
        for (int r = 0; r < rows; ++r)
            s.Add(std::make_unique<CLineData>("row " + std::to_string(r), cols));
        if (SaveSheetFile(s, path.toStdString()))
            std::abort();
    }
    for (auto _ : state) {
        auto doc = std::make_unique<CTavrelDoc>();
        doc->OnOpenDocument(path);
        auto view = std::make_unique<CTavrelView>(doc.get(), nullptr);
        view->resize(1024, 768);
        view->show();
        view->OnInitialUpdate();
        view->repaint();
        state.PauseTiming();
        view.reset();
        doc.reset();
        state.ResumeTiming();
    }
    QFile::remove(path);
    AfxSetProfile(nullptr);
}

BENCHMARK(BM_OpenToFirstPaint)->Args({3, 3})->Args({10000, 100})->Unit(benchmark::kMillisecond);

BENCHMARK(BM_FullFrame)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CursorMove)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollLine)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollPage)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
