// Paint cost of the grid view: one full frame, and one cursor move (which
// repaints only the rows and headers whose highlight changed). Both should
// stay the same whether the sheet has 100 or 100,000 rows.
#include <memory>
#include <string>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <benchmark/benchmark.h>

#include "app/TavrelDoc.h"
#include "fw/Profile.h"
#include "fw/RecordingDC.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "view/TavrelView.h"

namespace {

struct PaintSetup {
    CMemoryProfile profile;
    std::unique_ptr<CTavrelDoc> doc;
    std::unique_ptr<CTavrelView> view;

    explicit PaintSetup(int rows) {
        AfxSetProfile(&profile);
        doc = std::make_unique<CTavrelDoc>();
        CSheetFile& s = doc->m_Sheet;
        for (int c = 0; c < 50; ++c)
            s.AddColumn("c" + std::to_string(c), 1);
        for (int r = 0; r < rows; ++r)
            s.Add(new CLineData("r" + std::to_string(r), s.m_Columns.GetSize()));
        // AddLine lays out every row each time; one layout at the end keeps
        // building 100,000 rows linear.
        s.Layout();
        view = std::make_unique<CTavrelView>(doc.get(), nullptr);
        view->resize(1024, 768);
        view->show();
        view->OnInitialUpdate();
        CRecordingDC quiet;
        s.SetCur(3, 5, &quiet);
        QApplication::processEvents();
    }
    ~PaintSetup() {
        view.reset();
        doc.reset();
        AfxSetProfile(nullptr);
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

// Scrolling lays the rows out again (every row from the top one down, as the
// hit test expects), so this one grows with the sheet.
void BM_ScrollLine(benchmark::State& state) {
    PaintSetup setup(static_cast<int>(state.range(0)));
    bool down = true;
    for (auto _ : state) {
        setup.view->VScrollBar()->triggerAction(down ? QAbstractSlider::SliderSingleStepAdd
                                                     : QAbstractSlider::SliderSingleStepSub);
        down = !down;
        QApplication::processEvents();
    }
}

BENCHMARK(BM_FullFrame)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CursorMove)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollLine)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
