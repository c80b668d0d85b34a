// The sheet shares rows with its undo snapshots and places rows lazily. Both
// must be invisible: random sequences of every row, column, check, cursor,
// scroll, cut/paste-like and undo/redo operation are run on the document and
// on a plain reference model that copies everything deeply and lays out every
// row at every layout, and the two are compared step by step: the shown sheet,
// every stored snapshot, every rectangle and every hit test.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "document/SheetDocument.h"
#include "fw/RecordingDC.h"
#include "model/DisplaySettings.h"
#include "ReferenceHistory.h"
#include "undo/TavrlUndo.h"

namespace {

// The reference: values only, copied deeply, laid out eagerly.
struct RCell {
    int type = 1;
    int check = 0;
    CRect rect;
    CRect box; // check cells only
};
struct RRow {
    std::string name;
    std::string detail;
    int sel = 0;
    CRect rect;
    std::vector<RCell> cells;
};
struct RCol {
    std::string name;
    int sel = 0;
    CRect rect;
};
struct RSheet {
    std::vector<RRow> rows;
    std::vector<RCol> cols;
    int top = 0, left = 0, curLine = -1, curCol = -1;
    int lineH = 20, colH = 20;
    CRect grid;
    // The pixel widths are the drawer's, not the sheet's content: undo does
    // not bring them back, so every copy of the reference shares them.
    struct Widths {
        int name = 100, column = 20;
    };
    std::shared_ptr<Widths> px = std::make_shared<Widths>();

    int Rows() const { return static_cast<int>(rows.size()); }
    int Cols() const { return static_cast<int>(cols.size()); }

    static void PlaceCell(RCell& c, int l, int t, int r, int b) {
        c.rect = CRect(l, t, r, b);
        int dy = (b - t - 15) / 2;
        const int dx = (r - l - 15) / 2;
        if (dy < 1)
            dy = 1;
        if (c.type == 1)
            c.box = CRect(l + dx, t + dy, l + dx + 15, t + dy + 15);
    }
    void Layout() {
        const int n = px->name, w = px->column;
        int y = grid.top + colH;
        for (int i = std::max(top, 0); i < Rows(); ++i) {
            RRow& row = rows[static_cast<std::size_t>(i)];
            row.rect = CRect(grid.left, y, grid.right, y + lineH);
            int x = grid.left + n;
            for (int j = 0; j < static_cast<int>(row.cells.size()); ++j) {
                if (j < left) {
                    PlaceCell(row.cells[static_cast<std::size_t>(j)], 0, 0, 0, 0);
                } else {
                    PlaceCell(row.cells[static_cast<std::size_t>(j)], x, y, x + w, y + lineH);
                    x += w;
                }
            }
            y += lineH;
        }
        int x = grid.left + n;
        for (int j = 0; j < Cols(); ++j) {
            if (j < left) {
                cols[static_cast<std::size_t>(j)].rect = CRect();
            } else {
                cols[static_cast<std::size_t>(j)].rect = CRect(x, grid.top, x + w, grid.top + colH);
                x += w;
            }
        }
    }
    RRow NewRow(const std::string& name) const {
        RRow r;
        r.name = name;
        r.cells.resize(cols.size());
        return r;
    }
    void SetCur(int column, int line) {
        if (column != -1 && column != curCol) {
            for (RCol& c : cols)
                c.sel = 0;
            curCol = column;
            cols[static_cast<std::size_t>(column)].sel = 1;
        }
        if (line != -1 && line != curLine) {
            for (RRow& r : rows)
                r.sel = 0;
            curLine = line;
            rows[static_cast<std::size_t>(line)].sel = 1;
        }
    }
    void SetChecks(RRow& r, int b) {
        for (RCell& c : r.cells)
            if (c.type == 1)
                c.check = b;
    }
};

using RHistory = ReferenceHistory<RSheet>;

std::string R(const CRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// Everything a caller can see, as text (rectangles included).
std::string Dump(const CSheetFile& s) {
    std::ostringstream o;
    o << "top " << s.m_nTopLine << " left " << s.m_nLeftColumn << " cur " << s.m_nCurLine << ","
      << s.m_nCurColumn << " grid " << R(s.m_rcGrid) << " h " << s.m_nLineHeight << "\n";
    for (const CColumnData* c : s.m_Columns)
        o << "C " << c->m_strName << " " << c->m_bSelected << " " << R(c->m_rect) << "\n";
    for (int i = 0; i < s.GetSize(); ++i) {
        const CLineData* row = s.GetAt(i);
        o << "L" << i << " " << row->m_strName << "|" << row->m_strDetail << " " << row->m_bSelected
          << " " << R(row->m_rect) << ":";
        for (const CDataItem* c : *row) {
            o << " " << c->GetType() << "/" << R(c->GetRect());
            if (const auto* k = dynamic_cast<const CCheckItem*>(c))
                o << "/" << k->m_bCheck << "/" << R(k->CheckRect());
        }
        o << "\n";
    }
    return o.str();
}

std::string Dump(const RSheet& s) {
    std::ostringstream o;
    o << "top " << s.top << " left " << s.left << " cur " << s.curLine << "," << s.curCol
      << " grid " << R(s.grid) << " h " << s.lineH << "\n";
    for (const RCol& c : s.cols)
        o << "C " << c.name << " " << c.sel << " " << R(c.rect) << "\n";
    for (int i = 0; i < s.Rows(); ++i) {
        const RRow& row = s.rows[static_cast<std::size_t>(i)];
        o << "L" << i << " " << row.name << "|" << row.detail << " " << row.sel << " "
          << R(row.rect) << ":";
        for (const RCell& c : row.cells) {
            o << " " << c.type << "/" << R(c.rect);
            if (c.type == 1)
                o << "/" << c.check << "/" << R(c.box);
        }
        o << "\n";
    }
    return o.str();
}

class Differential : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override {
        d.m_Undo.m_nMaxUnits = 12; // small, so that old units are dropped often
        h.max = 12;
        S().m_nLineHeight = 20;
        S().m_nColumnHeight = 20;
        S().Layout(0, 0, 400, 200);
        r.grid = CRect(0, 0, 400, 200);
    }
    CSheetFile& S() { return d.m_Sheet; }
    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    std::string Name() { return "n" + std::to_string(counter++); }
    void SaveUndo() {
        d.SaveUndo();
        h.Push(r);
    }
    void Step(int op);
    void Compare(int step, int op, bool bUnits) {
        ASSERT_EQ(Dump(S()), Dump(r)) << "after step " << step << " (operation " << op << ")";
        if (!bUnits)
            return;
        ASSERT_EQ(d.m_Undo.GetSize(), static_cast<int>(h.units.size()));
        ASSERT_EQ(d.m_Undo.GetPos(), h.pos);
        for (int k = 0; k < d.m_Undo.GetSize(); ++k) {
            const CSheetFile& unit = static_cast<const CTavrlUndo*>(d.m_Undo.GetAt(k))->m_Sheet;
            ASSERT_EQ(Dump(unit), Dump(h.units[static_cast<std::size_t>(k)]))
                << "snapshot " << k << " after step " << step << " (operation " << op << ")";
        }
    }

    CSheetDocument d;
    RSheet r;
    RHistory h;
    std::mt19937 rng{GetParam()};
    int counter = 0;
};

void Differential::Step(int op) {
    CSheetFile& s = S();
    CRecordingDC dc;
    const int n = r.Rows(), nc = r.Cols();
    switch (op) {
    case 0: { // add a row
        SaveUndo();
        const std::string name = Name();
        s.AddLine(name);
        r.rows.push_back(r.NewRow(name));
        r.Layout();
        break;
    }
    case 1: { // insert a row
        if (n == 0)
            return;
        SaveUndo();
        const int at = Rand(0, n - 1);
        const std::string name = Name();
        s.InsertLine(at, std::make_unique<CLineData>(name, nc));
        r.rows.insert(r.rows.begin() + at, r.NewRow(name));
        r.Layout();
        break;
    }
    case 2: { // delete a row
        if (n == 0)
            return;
        SaveUndo();
        const int at = Rand(0, n - 1);
        s.DeleteLine(at);
        r.rows.erase(r.rows.begin() + at);
        r.curLine = std::min(r.curLine, r.Rows() - 1);
        r.Layout();
        break;
    }
    case 3: { // move a row
        if (n < 2)
            return;
        SaveUndo();
        const int a = Rand(0, n - 1), b = Rand(0, n - 1);
        s.MoveLine(a, b);
        std::swap(r.rows[static_cast<std::size_t>(a)], r.rows[static_cast<std::size_t>(b)]);
        if (r.curLine == a)
            r.curLine = b;
        else if (r.curLine == b)
            r.curLine = a;
        r.Layout();
        break;
    }
    case 4: { // add or insert a column (sometimes of plain cells)
        if (nc >= 8)
            return;
        SaveUndo();
        const int type = Rand(0, 4) == 0 ? 0 : 1;
        const std::string name = Name();
        const int at = Rand(0, nc);
        RCell cell;
        cell.type = type;
        if (at == nc)
            s.AddColumn(name, type);
        else
            s.InsertColumn(at, std::make_unique<CColumnData>(name), type);
        r.cols.insert(r.cols.begin() + at, RCol{name, 0, CRect()});
        for (RRow& row : r.rows)
            row.cells.insert(row.cells.begin() + at, cell);
        r.Layout();
        break;
    }
    case 5: { // delete a column
        if (nc == 0)
            return;
        SaveUndo();
        const int at = Rand(0, nc - 1);
        s.DeleteColumn(at);
        r.cols.erase(r.cols.begin() + at);
        for (RRow& row : r.rows)
            row.cells.erase(row.cells.begin() + at);
        r.curCol = std::min(r.curCol, r.Cols() - 1);
        r.Layout();
        break;
    }
    case 6: { // move a column
        if (nc < 2)
            return;
        SaveUndo();
        const int a = Rand(0, nc - 1), b = Rand(0, nc - 1);
        s.MoveColumn(a, b);
        std::swap(r.cols[static_cast<std::size_t>(a)], r.cols[static_cast<std::size_t>(b)]);
        for (RRow& row : r.rows)
            std::swap(row.cells[static_cast<std::size_t>(a)],
                      row.cells[static_cast<std::size_t>(b)]);
        if (r.curCol == a)
            r.curCol = b;
        else if (r.curCol == b)
            r.curCol = a;
        r.Layout();
        break;
    }
    case 7: { // check or clear the sheet, a row or a column
        SaveUndo();
        const int b = Rand(0, 1);
        switch (Rand(0, 2)) {
        case 0:
            s.SetAllCheck(b);
            for (RRow& row : r.rows)
                r.SetChecks(row, b);
            break;
        case 1:
            s.SetLineCheck(b);
            if (r.curLine >= 0)
                r.SetChecks(r.rows[static_cast<std::size_t>(r.curLine)], b);
            break;
        default:
            s.SetColumnCheck(b);
            if (r.curCol >= 0)
                for (RRow& row : r.rows)
                    if (row.cells[static_cast<std::size_t>(r.curCol)].type == 1)
                        row.cells[static_cast<std::size_t>(r.curCol)].check = b;
            break;
        }
        break;
    }
    case 8:
    case 9: { // the check command on the current cell
        if (r.curLine < 0 || r.curCol < 0)
            return;
        SaveUndo();
        s.ToggleCur(&dc);
        RCell& c =
            r.rows[static_cast<std::size_t>(r.curLine)].cells[static_cast<std::size_t>(r.curCol)];
        if (c.type == 1)
            c.check ^= 1;
        break;
    }
    case 10: { // move the cursor
        if (n == 0 || nc == 0)
            return;
        const int col = Rand(-1, nc - 1), line = Rand(-1, n - 1);
        s.SetCur(col, line, &dc);
        r.SetCur(col, line);
        break;
    }
    case 11: { // edit the current row, read before the snapshot
        if (!s.GetCurLine())
            return;
        SaveUndo();
        const std::string name = Name();
        s.EditLine(s.m_nCurLine, [&](CLineData& l) { l.m_strName = name; });
        r.rows[static_cast<std::size_t>(r.curLine)].name = name;
        break;
    }
    case 12: { // cut a row and paste it elsewhere
        if (n < 2)
            return;
        SaveUndo();
        const int from = Rand(0, n - 1);
        std::unique_ptr<CLineData> row = s.ReleaseAt(from);
        RRow rrow = r.rows[static_cast<std::size_t>(from)];
        r.rows.erase(r.rows.begin() + from);
        const int to = Rand(0, n - 2);
        s.InsertLine(to, std::move(row));
        r.rows.insert(r.rows.begin() + to, rrow);
        r.Layout();
        break;
    }
    case 13: { // every row changed, one edit each
        SaveUndo();
        for (int i = 0; i < s.GetSize(); ++i)
            s.EditLine(i, [](CLineData& l) { l.m_strDetail += "x"; });
        for (RRow& row : r.rows)
            row.detail += "x";
        break;
    }
    case 14:
    case 15: { // scroll
        if (Rand(0, 3) == 0) {
            const int left = Rand(-1, nc + 1);
            s.SetLeftColumn(left);
            r.left = left;
        } else {
            const int top = Rand(-1, n + 1);
            s.SetTopLine(top);
            r.top = top;
        }
        r.Layout();
        break;
    }
    case 16: { // move down or up by the cursor keys
        if (n == 0)
            return;
        const int k = Rand(0, 1) ? 1 : 5;
        BOOL scrolled;
        if (Rand(0, 1)) {
            scrolled = s.MoveDown(k);
            r.curLine = std::min(r.curLine + k, r.Rows() - 1);
            const unsigned offset = static_cast<unsigned>(r.colH + (r.curLine - r.top) * r.lineH);
            const unsigned limit =
                static_cast<unsigned>(r.grid.bottom - 16); // scroll bars: 16 until a view says
            if (offset >= limit) {
                r.top = std::min(r.Rows() - 1, r.top + k);
                r.Layout();
            }
        } else {
            scrolled = s.MoveUp(k);
            r.curLine = std::max(r.curLine - k, 0);
            if (r.curLine < r.top) {
                r.top = std::max(r.top - k, 0);
                r.Layout();
            }
        }
        (void)scrolled;
        break;
    }
    case 17: { // the window is resized, or the fonts measured again
        if (Rand(0, 1)) {
            r.grid = CRect(Rand(0, 5), Rand(0, 5), Rand(100, 500), Rand(60, 300));
            s.Layout(r.grid.left, r.grid.top, r.grid.right, r.grid.bottom);
        } else {
            r.px->column = Rand(10, 40);
            r.px->name = Rand(30, 120);
            s.SetPixelWidths(r.px->name, r.px->column);
            r.lineH = s.m_nLineHeight = Rand(8, 30);
            s.Layout();
        }
        r.Layout();
        break;
    }
    case 18: { // a click
        const int x = Rand(-5, 420), y = Rand(-5, 320);
        const CDataItem* hit = s.HitTest(x, y, &dc);
        // The reference: rows from the top one, then the column spans.
        bool refHit = false, done = false;
        for (int i = std::max(r.top, 0); i < r.Rows() && !done; ++i) {
            const RRow& row = r.rows[static_cast<std::size_t>(i)];
            for (int j = 0; j < static_cast<int>(row.cells.size()); ++j)
                if (row.cells[static_cast<std::size_t>(j)].rect.PtInRect(CPoint(x, y))) {
                    r.SetCur(j, i);
                    refHit = done = true;
                    break;
                }
            if (!done && row.rect.PtInRect(CPoint(x, y))) {
                r.SetCur(-1, i);
                done = true;
            }
        }
        for (int j = std::max(r.left, 0); j < r.Cols() && !done; ++j)
            if (x >= r.cols[static_cast<std::size_t>(j)].rect.left &&
                x <= r.cols[static_cast<std::size_t>(j)].rect.right) {
                r.SetCur(j, -1);
                done = true;
            }
        ASSERT_EQ(hit != nullptr, refHit) << "click at " << x << "," << y;
        break;
    }
    case 19: { // a double click asks which row name or header is under the point
        const int x = Rand(-5, 150), y = Rand(-5, 320);
        int want = -1;
        for (int i = 0; i < r.Rows() && want < 0; ++i) {
            CRect rc = r.rows[static_cast<std::size_t>(i)].rect;
            rc.right = rc.left + r.px->name;
            if (rc.PtInRect(CPoint(x, y)))
                want = i;
        }
        ASSERT_EQ(s.LineFromPoint(x, y), want) << "at " << x << "," << y;
        break;
    }
    case 20:
    case 21: { // undo
        if (!d.CanUndo())
            return;
        ASSERT_TRUE(h.CanUndo());
        d.Undo();
        h.Undo(r);
        break;
    }
    case 22: { // redo
        ASSERT_EQ(d.CanRedo(), h.CanRedo());
        if (!d.CanRedo())
            return;
        d.Redo();
        h.Redo(r);
        break;
    }
    default:
        break;
    }
}

TEST_P(Differential, MatchesADeepCopyingEagerReference) {
    // Odd seeds start past two chunks of rows.
    const int rows = GetParam() % 2 ? 600 : 30;
    for (int i = 0; i < rows; ++i) {
        S().AddLine(Name());
        r.rows.push_back(r.NewRow(S().GetAt(i)->m_strName));
    }
    r.Layout();
    for (int step = 0; step < 600; ++step) {
        // Rows are added more often than removed, so that the sheet grows past a chunk.
        const int op = Rand(0, 25) > 22 ? 0 : Rand(0, 22);
        Step(op);
        if (HasFatalFailure())
            return;
        if (step % 3 == 0 || op >= 20) {
            Compare(step, op, step % 25 == 0);
            if (HasFatalFailure())
                return;
        }
    }
    Compare(-1, -1, true);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Differential, ::testing::Range(1u, 9u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

// Sharing is the point: a snapshot and the sheet hold the very same rows
// except the one the edit changed.
TEST(SnapshotSharing, AnEditCopiesOnlyTheRowItChanges) {
    CSheetDocument d;
    CSheetFile& s = d.m_Sheet;
    s.AddColumn("c", 1);
    for (int i = 0; i < 1000; ++i)
        s.AddLine("r" + std::to_string(i));
    s.Layout(0, 0, 400, 300);
    s.m_nCurLine = 500;
    s.m_nCurColumn = 0;
    d.SaveUndo();
    CRecordingDC dc;
    s.ToggleCur(&dc);
    const CSheetFile& shown = s;
    const CSheetFile& kept = static_cast<const CTavrlUndo*>(d.m_Undo.GetAt(0))->m_Sheet;
    int same = 0;
    for (int i = 0; i < shown.GetSize(); ++i)
        same += shown.GetAt(i) == kept.GetAt(i);
    EXPECT_EQ(same, 999);
    EXPECT_NE(shown.GetAt(500), kept.GetAt(500));
    EXPECT_EQ(static_cast<const CCheckItem*>(kept.GetAt(500)->GetAt(0))->m_bCheck, 0);
}

} // namespace

namespace {

// The enable checks read the current row at every cursor position; the next
// snapshot must still share every row, and the row edited after it is the
// only one copied.
TEST(SnapshotSharing, RowsReadOneByOneStayShared) {
    CSheetDocument d;
    CSheetFile& s = d.m_Sheet;
    s.AddColumn("c", 1);
    for (int i = 0; i < 1000; ++i)
        s.AddLine("r" + std::to_string(i));
    s.Layout(0, 0, 400, 300);
    for (int i = 0; i < 200; ++i) {
        s.m_nCurLine = i;
        ASSERT_NE(s.GetCurLine(), nullptr);
    }
    d.SaveUndo();
    s.EditLine(s.m_nCurLine, [](CLineData& l) { l.m_strName = "edited"; });
    const CSheetFile& shown = s;
    const CSheetFile& kept = static_cast<const CTavrlUndo*>(d.m_Undo.GetAt(0))->m_Sheet;
    int same = 0;
    for (int i = 0; i < shown.GetSize(); ++i)
        same += shown.GetAt(i) == kept.GetAt(i);
    EXPECT_EQ(same, 999);
    EXPECT_EQ(kept.GetAt(199)->m_strName, "r199");
    EXPECT_EQ(shown.GetAt(199)->m_strName, "edited");
}

} // namespace
