// The wheel and Ctrl+End on a sheet of 100,000 x 50 against 100 x 50, each
// with the repaint that follows, beside Page Down (a page of today's keys).
// Goal: each ratio (large against small) near 1, and Ctrl+End on the large
// sheet no dearer than a few page steps. The ratios are printed at the end.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include "BenchView.h"

#include "app/TavrelDoc.h"
#include "fw/Profile.h"
#include "fw/RecordingDC.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "view/TavrelView.h"

namespace {

// 50 columns, the cursor at row 5, column 3.
struct KeysSetup : CBenchView {
    explicit KeysSetup(int rows) : CBenchView(rows, 50) {
        CRecordingDC quiet;
        Sheet().SetCur(3, 5, &quiet);
        QApplication::processEvents();
    }
    void Wheel(int dy) {
        const QPointF at(300, 300);
        QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
    }
};

void BM_WheelNotch(benchmark::State& state) {
    KeysSetup setup(static_cast<int>(state.range(0)));
    int k = 0;
    for (auto _ : state) {
        // Down four notches, up four: away from the top, where a step is cut short.
        setup.Wheel(k++ % 8 < 4 ? -120 : 120);
        QApplication::processEvents();
    }
}

void BM_CtrlEnd(benchmark::State& state) {
    KeysSetup setup(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QTest::keyClick(setup.view.get(), Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents();
        state.PauseTiming();
        QTest::keyClick(setup.view.get(), Qt::Key_Home, Qt::ControlModifier);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_PageDown(benchmark::State& state) {
    KeysSetup setup(static_cast<int>(state.range(0)));
    int k = 0;
    for (auto _ : state) {
        QTest::keyClick(setup.view.get(), k++ % 8 < 4 ? Qt::Key_PageDown : Qt::Key_PageUp);
        QApplication::processEvents();
    }
}

BENCHMARK(BM_WheelNotch)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CtrlEnd)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageDown)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Prints as the console does and keeps each run's time for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        for (const char* name : {"BM_WheelNotch", "BM_CtrlEnd", "BM_PageDown"}) {
            const double small = Time(std::string(name) + "/100");
            const double large = Time(std::string(name) + "/100000");
            if (small > 0 && large > 0)
                std::printf("%-14s 100000 x 50 / 100 x 50: %.2f\n", name, large / small);
        }
        const double end = Time("BM_CtrlEnd/100000"), page = Time("BM_PageDown/100000");
        if (end > 0 && page > 0)
            std::printf("Ctrl+End / Page Down on 100000 x 50: %.2f\n", end / page);
    }

private:
    double Time(const std::string& name) const {
        const auto it = m_times.find(name);
        return it == m_times.end() ? 0 : it->second;
    }
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
