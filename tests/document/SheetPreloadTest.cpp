#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "SheetPicture.h"

#include "document/SheetDocument.h"
#include "document/SheetPreload.h"
#include "model/SheetIo.h"
#include "TempDir.h"

namespace {

// A file read ahead on its own thread and taken by Open must leave the
// document exactly as reading it in Open does, for good files and bad ones,
// and whatever the document held before.
struct PreloadCase {
    const char* name;
    void (*make)(const std::string& path);
};

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string SheetBytes(int rows, int cols, const std::string& checked = "") {
    CSheetFile s;
    FillSheet(s, rows, cols, 1, 1, checked);
    s.m_strTitle = "title";
    s.m_strHtmlCss = "a.css";
    s.m_nTopLine = 2;
    s.m_nLeftColumn = 1;
    s.m_nLineNameWidth = 21;
    s.m_nColumnWidth = 4;
    s.m_nCsvMark = 1;
    std::ostringstream out;
    EXPECT_TRUE(WriteSheet(s, out));
    return out.str();
}

const PreloadCase kCases[] = {
    {"Sheet", [](const std::string& p) { WriteBytes(p, SheetBytes(40, 5, "0,0;3,2;7,1")); }},
    {"ColumnsOnly", [](const std::string& p) { WriteBytes(p, SheetBytes(0, 3)); }},
    {"EmptyFile", [](const std::string& p) { WriteBytes(p, ""); }},
    {"Missing", [](const std::string&) {}},
    {"Folder", [](const std::string& p) { ASSERT_EQ(std::system(("mkdir " + p).c_str()), 0); }},
    {"CutShort", // the header read, the rows not
     [](const std::string& p) {
         const std::string b = SheetBytes(40, 5, "0,0;3,2;7,1");
         WriteBytes(p, b.substr(0, b.size() / 2));
     }},
};

class SheetPreloadOpen : public ::testing::TestWithParam<PreloadCase> {
protected:
    void SetUp() override {
        m_path = m_dir.File("f.tvr");
        GetParam().make(m_path);
    }

    // What a document held before the open: the parts a read leaves alone too.
    static void Prepare(CSheetDocument& d) {
        FillSheet(d.m_Sheet, 3, 2, 0, 0, "1,1");
        d.m_Sheet.Layout(0, 0, 500, 400);
        d.m_Sheet.m_nLineNameWidth = 33;
        d.m_Sheet.m_nColumnWidth = 7;
        d.m_Sheet.m_dLineHeightRate = 2.0;
        d.SaveUndo();
    }

    static std::string State(CSheetDocument& d) {
        const CSheetFile& s = d.m_Sheet;
        std::ostringstream out;
        EXPECT_TRUE(WriteSheet(s, out));
        const CCheckTally all = s.CheckCounts();
        std::ostringstream o;
        o << Picture(s) << "|bytes " << out.str().size() << ":"
          << std::hash<std::string>()(out.str()) << "|grid " << s.m_rcGrid.left << ","
          << s.m_rcGrid.right << "|widths " << s.m_nLineNameWidth << "," << s.m_nColumnWidth
          << "|rate " << s.m_dLineHeightRate << "|heights " << s.m_nColumnHeight << ","
          << s.m_nLineHeight << "|counts " << all.nChecked << "/" << all.nTotal << "|undo "
          << d.CanUndo() << d.IsModified();
        return o.str();
    }

    CTempDir m_dir;
    std::string m_path;
};

TEST_P(SheetPreloadOpen, GivesWhatReadingInOpenGives) {
    CSheetDocument direct, ahead;
    Prepare(direct);
    Prepare(ahead);
    ahead.SetPreload(std::make_unique<CSheetPreload>(m_path));

    const auto e1 = direct.Open(m_path);
    const auto e2 = ahead.Open(m_path);
    ASSERT_EQ(e1.has_value(), e2.has_value());
    if (e1) {
        EXPECT_EQ(*e1, *e2);
    }
    ASSERT_EQ(State(direct), State(ahead));

    // The rows taken over behave as rows read in place: edits, undo, redo.
    for (CSheetDocument* d : {&direct, &ahead}) {
        d->SaveUndo();
        d->m_Sheet.AddLine("new");
        if (d->m_Sheet.GetSize() > 4 && !d->m_Sheet.m_Columns.IsEmpty()) {
            d->SaveUndo();
            d->m_Sheet.m_nCurLine = 4;
            d->m_Sheet.m_nCurColumn = 0;
            d->m_Sheet.ToggleCur(nullptr);
            d->Undo();
            d->Redo();
            d->Undo();
        }
    }
    EXPECT_EQ(State(direct), State(ahead));
}

INSTANTIATE_TEST_SUITE_P(Files, SheetPreloadOpen, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SheetPreload, AnotherPathIsReadAfreshAndTheReadAheadDropped) {
    CTempDir dir;
    const std::string a = dir.File("a.tvr"), b = dir.File("b.tvr");
    WriteBytes(a, SheetBytes(5, 2));
    WriteBytes(b, SheetBytes(9, 1));
    CSheetDocument d;
    d.SetPreload(std::make_unique<CSheetPreload>(a));
    EXPECT_FALSE(d.Open(b).has_value());
    EXPECT_EQ(d.m_Sheet.GetSize(), 9);
    EXPECT_FALSE(d.Open(a).has_value()); // read from the file: the read-ahead is gone
    EXPECT_EQ(d.m_Sheet.GetSize(), 5);
}

} // namespace
