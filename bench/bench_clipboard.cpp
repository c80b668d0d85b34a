// Clipboard costs: the picture of a whole sheet (grows with its area), text
// pasted as rows (one row added at a time, so it should grow with the line
// count alone), and a row copied and pasted through the private format.
#include <memory>
#include <string>

#include <QApplication>
#include <benchmark/benchmark.h>

#include "document/SheetDocument.h"
#include "fw/RecordingDC.h"
#include "fw/Profile.h"
#include "fw/UserInterface.h"
#include "model/DisplaySettings.h"
#include "model/LineData.h"
#include "model/SheetFile.h"
#include "res/CommandIds.h"
#include "view/ClipboardCommands.h"
#include "view/ViewHost.h"

namespace {

class BenchHost : public CViewHost {
public:
    CSheetDocument* GetDocument() override { return &m_doc; }
    void UpdateAllViews() override {}
    void UpdateScrollRanges() override {}
    void RedrawSelection() override {}
    void CalcMetricsAndLayout() override {}
    void GoToCell(int line, int column) override {
        CRecordingDC quiet;
        m_doc.m_Sheet.SetCur(column, line, &quiet);
    }
    QWidget* Widget() override { return nullptr; }
    CSheetDocument m_doc;
};

void Fill(CSheetFile& s, int rows, int columns) {
    for (int c = 0; c < columns; ++c)
        s.AddColumn("c" + std::to_string(c), 1);
    for (int r = 0; r < rows; ++r)
        s.Add(std::make_unique<CLineData>("r" + std::to_string(r), columns));
    s.Layout();
}

// Rows of 24 pixels: 1,000 rows make a picture of about 24,000 pixels height.
void BM_SheetPicture(benchmark::State& state) {
    CMemoryProfile profile;
    AfxSetProfile(&profile);
    CSheetFile s;
    s.SetLook(LoadDisplaySettings(profile));
    Fill(s, static_cast<int>(state.range(0)), 30);
    for (auto _ : state)
        benchmark::DoNotOptimize(CClipboardCommands::SheetPicture(s));
    AfxSetProfile(nullptr);
}

void BM_PasteTextAsRows(benchmark::State& state) {
    CScriptedUserInterface ui;
    AfxSetUserInterface(&ui);
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += "line " + std::to_string(i) + "\r\n";
    ui.m_unicodeText = text;
    for (auto _ : state) {
        state.PauseTiming();
        auto host = std::make_unique<BenchHost>();
        Fill(host->m_doc.m_Sheet, 0, 10);
        CClipboardCommands cmds(host.get());
        state.ResumeTiming();
        cmds.OnCmdMsg(ID_LINE_PASTE_TEXT);
    }
    AfxSetUserInterface(nullptr);
}

void BM_CopyAndPasteRow(benchmark::State& state) {
    CScriptedUserInterface ui;
    AfxSetUserInterface(&ui);
    BenchHost host;
    Fill(host.m_doc.m_Sheet, 10, static_cast<int>(state.range(0)));
    host.m_doc.m_Sheet.m_nCurLine = 0;
    CClipboardCommands cmds(&host);
    for (auto _ : state) {
        cmds.OnCmdMsg(ID_EDIT_COPY);
        benchmark::DoNotOptimize(
            CClipboardCommands::LineFromBytes(ui.m_clipboardData[CClipboardCommands::kLineFormat]));
    }
    AfxSetUserInterface(nullptr);
}

BENCHMARK(BM_SheetPicture)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteTextAsRows)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyAndPasteRow)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
