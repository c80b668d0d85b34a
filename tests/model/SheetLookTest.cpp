// A sheet's look, pixel widths and scroll bars are its own: whatever another
// sheet does with its own (a copy made to be drawn included), this sheet lays
// out, draws and scrolls exactly as before, and a restore through Copy keeps
// them.
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fw/RecordingDC.h"
#include "model/DisplaySettings.h"
#include "model/SheetFile.h"

namespace {

// The recording context's average character is half the font's height.
CDisplaySettings LookOf(int lineFont, int columnFont, COLORREF waku) {
    CDisplaySettings look;
    look.m_fontLine.m_nHeight = lineFont;
    look.m_fontColumn.m_nHeight = columnFont;
    look.m_penWaku = CPen{waku};
    return look;
}

// 10 rows of 6 check cells, names 10 and columns 4 characters wide, measured.
void Fill(CSheetFile& s, const CDisplaySettings& look) {
    for (int j = 0; j < 6; ++j)
        s.AddColumn("c" + std::to_string(j), 1);
    for (int i = 0; i < 10; ++i)
        s.AddLine("r" + std::to_string(i));
    s.m_nLineNameWidth = 10;
    s.m_nColumnWidth = 4;
    s.m_dLineHeightRate = 1.5;
    s.SetLook(look);
    CRecordingDC dc;
    s.CalcMetrics(&dc);
}

// Every drawing call in a 400 x 200 grid, and whether Down from row 5
// scrolls (rows of 24 below a header of 21: only once the scroll bar's strip
// is thicker than 16).
std::vector<std::string> Observe(CSheetFile& s) {
    s.m_nTopLine = 0;
    s.Layout(0, 0, 400, 200);
    CRecordingDC dc;
    s.Draw(&dc);
    std::vector<std::string> seen;
    for (const CRecordingDC::Record& r : dc.m_records) {
        std::string line = std::to_string(int(r.op)) + " " + r.text;
        const long values[] = {r.rc.left, r.rc.top, r.rc.right, r.rc.bottom, r.color, r.bkColor};
        for (long v : values)
            line += " " + std::to_string(v);
        seen.push_back(line);
    }
    s.m_nCurLine = 5;
    seen.push_back("Down scrolls " + std::to_string(s.MoveDown(1)));
    return seen;
}

struct OtherCase {
    const char* name;
    void (*act)(CSheetFile& other, const CSheetFile& mine);
    friend void PrintTo(const OtherCase& c, std::ostream* os) { *os << c.name; }
};

const OtherCase kOtherCases[] = {
    {"MeasuredInItsOwnFontsAndColours",
     [](CSheetFile& o, const CSheetFile&) {
         Fill(o, LookOf(30, 24, 0x0000FF));
         Observe(o);
     }},
    {"ScrollBarsThicker", [](CSheetFile& o, const CSheetFile&) { o.SetScrollBarExtents(40, 40); }},
    // A print page's copy shares the look; one given to it later is the copy's.
    {"CopyToDrawThenItsOwnLook",
     [](CSheetFile& o, const CSheetFile& mine) {
         o.Copy(mine);
         o.ShareDisplay(mine);
         o.SetLook(LookOf(30, 24, 0x0000FF));
         CRecordingDC dc;
         o.CalcMetrics(&dc);
         Observe(o);
     }},
};

class SheetLook : public ::testing::TestWithParam<OtherCase> {};

TEST_P(SheetLook, WhatAnotherSheetDoesLeavesThisOneAsItWas) {
    CSheetFile mine;
    Fill(mine, LookOf(16, 14, 0xC0C0C0));
    mine.SetScrollBarExtents(16, 16);
    ASSERT_EQ(mine.LineNameWidthPx(), 80);
    const std::vector<std::string> before = Observe(mine);
    CSheetFile other;
    GetParam().act(other, mine);
    EXPECT_EQ(Observe(mine), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, SheetLook, ::testing::ValuesIn(kOtherCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Undo restores a sheet through Copy: a colour, a font or a measurement made
// since the snapshot is no step of its own and stays.
TEST(SheetLookRestore, CopyFromASnapshotKeepsTheLookWidthsAndScrollBars) {
    CSheetFile s;
    Fill(s, LookOf(16, 14, 0xC0C0C0));
    CSheetFile snapshot(CSheetFile::kCopyTarget);
    snapshot.Copy(s);
    s.SetLook(LookOf(30, 24, 0x0000FF));
    CRecordingDC dc;
    s.CalcMetrics(&dc);
    s.SetScrollBarExtents(40, 40);
    s.Copy(snapshot);
    EXPECT_EQ(s.Look().m_penWaku.m_color, 0x0000FFu);
    EXPECT_EQ(s.LineNameWidthPx(), 150);
    EXPECT_EQ(s.ColumnWidthPx(), 48);
    EXPECT_EQ(s.HScrollHeight(), 40);
}

} // namespace
