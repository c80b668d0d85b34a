// The grid view driven as a user drives it (mouse presses at pixel
// positions, double clicks, keys, commands through the view, dialogs and
// message boxes answered through the user-interface seam, the clipboard,
// saving), step by step beside a plain reference that copies every sheet
// deeply. After each step the shown sheet, every undo snapshot, every
// recovery copy taken while a dialog was open, the check counts and the
// modified flag must be what the reference says.
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "dialogs/ColumnEditDlg.h"
#include "dialogs/LineEditDlg.h"
#include "fw/UserInterface.h"
#include "model/SheetIo.h"
#include "res/CommandIds.h"
#include "ReferenceHistory.h"
#include "undo/TavrlUndo.h"
#include "ViewTestUtil.h"
#include "ScriptedAnswers.h"
#include "TempDir.h"

namespace {

// The reference: values only, copied deeply.
struct RCell {
    int type = CELL_CHECK;
    int check = 0;
};
struct RItem {
    std::string name, detail, link;
};
struct RRow : RItem {
    std::vector<RCell> cells;
};
struct RSheet {
    std::vector<RRow> rows;
    std::vector<RItem> cols;
    int curLine = -1, curCol = -1;
    bool openOnly = false; // a view state: neither undone nor stored

    int Rows() const { return static_cast<int>(rows.size()); }
    int Cols() const { return static_cast<int>(cols.size()); }
    bool HasLine() const { return curLine >= 0 && curLine < Rows(); }
    bool HasCol() const { return curCol >= 0 && curCol < Cols(); }
    RRow& Row(int i) { return rows[static_cast<std::size_t>(i)]; }
    RCell& Cell(int i, int j) { return Row(i).cells[static_cast<std::size_t>(j)]; }
    RRow NewRow(const RItem& item) const {
        RRow r;
        static_cast<RItem&>(r) = item;
        r.cells.resize(cols.size());
        return r;
    }
    // The rows the grid shows: with only open rows, those with an unchecked
    // check cell and the cursor's row.
    std::vector<int> Shown() const {
        std::vector<int> shown;
        for (int i = 0; i < Rows(); ++i) {
            bool open = false;
            for (const RCell& c : rows[static_cast<std::size_t>(i)].cells)
                open = open || (c.type == CELL_CHECK && !c.check);
            if (!openOnly || open || i == curLine)
                shown.push_back(i);
        }
        return shown;
    }
    int ShownPos(int i) const {
        const std::vector<int> shown = Shown();
        const auto at = std::find(shown.begin(), shown.end(), i);
        return at == shown.end() ? -1 : static_cast<int>(at - shown.begin());
    }
    void SetCur(int column, int line) {
        if (column != -1)
            curCol = column;
        if (line != -1)
            curLine = line;
    }
    CCheckTally Tally(int line, int column) const {
        CCheckTally t;
        for (int i = 0; i < Rows(); ++i)
            for (int j = 0; j < Cols(); ++j)
                if ((line < 0 || i == line) && (column < 0 || j == column)) {
                    const RCell& c =
                        rows[static_cast<std::size_t>(i)].cells[static_cast<std::size_t>(j)];
                    t.nTotal += c.type == CELL_CHECK;
                    t.nChecked += c.type == CELL_CHECK && c.check;
                }
        return t;
    }
};

using RHistory = ReferenceHistory<RSheet>;

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Everything a user can see of a sheet, as text; bCursor: with the cursor.
std::string Dump(const CSheetFile& s, bool bCursor = true) {
    std::ostringstream o;
    if (bCursor)
        o << "cur " << s.m_nCurLine << "," << s.m_nCurColumn << "\n";
    for (const CColumnData* c : s.m_Columns)
        o << "C " << c->m_strName << "|" << c->m_strDetail << "|" << c->m_strLinkFile << "\n";
    for (int i = 0; i < s.GetSize(); ++i) {
        const CLineData* row = s.GetAt(i);
        o << "L " << row->m_strName << "|" << row->m_strDetail << "|" << row->m_strLinkFile << ":";
        for (const CDataItem* c : *row) {
            o << " " << c->GetType();
            if (const CCheckItem* k = AsCheckItem(c))
                o << "/" << (k->m_bCheck != 0);
        }
        o << "\n";
    }
    return o.str();
}

std::string Dump(const RSheet& s, bool bCursor = true) {
    std::ostringstream o;
    if (bCursor)
        o << "cur " << s.curLine << "," << s.curCol << "\n";
    for (const RItem& c : s.cols)
        o << "C " << c.name << "|" << c.detail << "|" << c.link << "\n";
    for (const RRow& row : s.rows) {
        o << "L " << row.name << "|" << row.detail << "|" << row.link << ":";
        for (const RCell& c : row.cells) {
            o << " " << c.type;
            if (c.type == CELL_CHECK)
                o << "/" << (c.check != 0);
        }
        o << "\n";
    }
    return o.str();
}

std::string Counts(const CSheetFile& s) {
    auto t = [](CCheckTally x) {
        return std::to_string(x.nChecked) + "/" + std::to_string(x.nTotal);
    };
    return t(s.CheckCounts()) + " row " + t(s.LineCheckCounts(s.m_nCurLine)) + " column " +
           t(s.ColumnCheckCounts(s.m_nCurColumn));
}

std::string Counts(const RSheet& s) {
    auto t = [](CCheckTally x) {
        return std::to_string(x.nChecked) + "/" + std::to_string(x.nTotal);
    };
    return t(s.Tally(-1, -1)) + " row " + t(s.HasLine() ? s.Tally(s.curLine, -1) : CCheckTally{}) +
           " column " + t(s.HasCol() ? s.Tally(-1, s.curCol) : CCheckTally{});
}

// What the user does; each is one step.
enum Op {
    kClickBox,
    kClickCell,
    kClickRowName,
    kClickHeader,
    kDoubleClickRowName,
    kDoubleClickHeader,
    kKeyMove,
    kKeySpace,
    kKeyEnter,      // row dialog
    kKeyShiftEnter, // column dialog
    kKeyUndo,
    kRedo,
    kKeyCut,
    kKeyCopy,
    kKeyPaste,
    kPasteAdd,
    kPasteText,
    kKeyLineAdd,
    kKeyLineMove,
    kKeyColumnMove,
    kCommand, // the remaining commands, through the view
    kSave,
    kOpenOnly, // only open rows, on or off
    kOpCount
};

class ViewDifferential : public ::testing::TestWithParam<unsigned> {
protected:
    void SetUp() override {
        m_ui.AnswerDialogs<CLineEditDlg>([this](CLineEditDlg& d) { return Answer(d); });
        m_ui.AnswerDialogs<CColumnEditDlg>([this](CColumnEditDlg& d) { return Answer(d); });
        m_f = std::make_unique<ViewFixture>(8, 4, 480, 320);
        Doc().m_Undo.m_nMaxUnits = 12; // small, so that old snapshots are dropped often
        h.max = 12;
        for (int j = 0; j < 4; ++j)
            r.cols.push_back({"c" + std::to_string(j), "", ""});
        for (int i = 0; i < 8; ++i)
            r.rows.push_back(r.NewRow({"r" + std::to_string(i), "", ""}));
    }
    void TearDown() override { m_f.reset(); }

    CTestViewDocument& Doc() { return *m_f->doc; }
    const CSheetFile& S() { return m_f->doc->m_Sheet; }
    CTavrelView* View() { return m_f->view.get(); }
    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    std::string Name() { return "n" + std::to_string(counter++); }
    void Snapshot() { h.Push(r); }

    // A row or column dialog: shows the current values (edit) or empty ones
    // (add, insert); answered with new values or cancelled. Now and then the
    // recovery timer copies the sheet while the dialog is open.
    template <class Dlg> int Answer(Dlg& d) {
        m_seen = {d.m_strName, d.m_strDetail, d.m_strLinkFile};
        if (Rand(0, 2) == 0) {
            auto copy = std::make_unique<CSheetFile>(CSheetFile::kCopyTarget);
            copy->Copy(S());
            m_recovery.push_back({std::move(copy), r});
            if (m_recovery.size() > 4)
                m_recovery.erase(m_recovery.begin());
        }
        if (Rand(0, 5) == 0)
            return IDCANCEL;
        m_answer = {Name(), "d" + std::to_string(counter), "l" + std::to_string(counter)};
        d.m_strName = m_answer.name;
        d.m_strDetail = m_answer.detail;
        d.m_strLinkFile = m_answer.link;
        return IDOK;
    }
    bool Answered() const { return !m_answer.name.empty(); }

    // Where row i and column j are on screen, from the layout rules.
    struct Spot {
        int x, y, w, h;
    };
    // Rows are counted by their place among the shown ones.
    Spot CellSpot(int i, int j) {
        const CSheetFile& s = S();
        const int pos = r.openOnly ? r.ShownPos(i) : i;
        const int top = r.openOnly ? s.TopPos() : s.m_nTopLine;
        return {s.LineNameWidthPx() + (j - s.m_nLeftColumn) * s.ColumnWidthPx(),
                s.m_nColumnHeight + (pos - top) * s.m_nLineHeight, s.ColumnWidthPx(),
                s.m_nLineHeight};
    }
    // A visible row and column picked at random; false when there is none.
    bool PickVisible(int& i, int& j) {
        const CSheetFile& s = S();
        const CRect grid = View()->GridRect();
        std::vector<int> rows, cols;
        const std::vector<int> shown = r.Shown();
        const int top = r.openOnly ? s.TopPos() : s.m_nTopLine;
        for (int pos = std::max(top, 0); pos < static_cast<int>(shown.size()); ++pos)
            if (const int k = shown[static_cast<std::size_t>(pos)];
                CellSpot(k, 0).y + s.m_nLineHeight < grid.bottom)
                rows.push_back(k);
        for (int k = std::max(s.m_nLeftColumn, 0); k < r.Cols(); ++k)
            if (CellSpot(0, k).x + s.ColumnWidthPx() < grid.right)
                cols.push_back(k);
        i = rows.empty() ? -1 : rows[static_cast<std::size_t>(Rand(0, int(rows.size()) - 1))];
        j = cols.empty() ? -1 : cols[static_cast<std::size_t>(Rand(0, int(cols.size()) - 1))];
        return i >= 0 || j >= 0;
    }
    void Click(int x, int y) {
        QTest::mouseClick(View(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(View(), key, mods);
    }

    // The reference side of the commands.
    void Toggle() {
        RCell& c = r.Cell(r.curLine, r.curCol);
        if (c.type == CELL_CHECK)
            c.check ^= 1;
    }
    void LineEditDone() {
        if (!Answered())
            return;
        Snapshot();
        static_cast<RItem&>(r.Row(r.curLine)) = m_answer;
        r.modified = true;
    }
    void ColumnEditDone() {
        if (!Answered())
            return;
        Snapshot();
        r.cols[static_cast<std::size_t>(r.curCol)] = m_answer;
        r.modified = true;
    }
    void CheckRef(int line, int column, int b) {
        for (int i = 0; i < r.Rows(); ++i)
            for (int j = 0; j < r.Cols(); ++j)
                if ((line < 0 || i == line) && (column < 0 || j == column))
                    r.Cell(i, j).check = b;
    }

    void Step(Op op);
    void Compare(int step, Op op);

    struct Ref : RSheet {
        bool modified = false;
    };
    struct Recovery {
        std::unique_ptr<CSheetFile> sheet;
        RSheet want;
    };

    CScriptedAnswers m_ui;
    std::unique_ptr<ViewFixture> m_f;
    Ref r;
    RHistory h;
    std::optional<RRow> m_clip;
    std::vector<Recovery> m_recovery;
    std::vector<std::string> m_seen;
    RItem m_answer;
    CTempDir m_dir;
    std::string m_path = m_dir.File("sheet.tvr");
    std::mt19937 rng{GetParam()};
    int counter = 0;
};

void ViewDifferential::Step(Op op) {
    m_answer = {};
    m_seen.clear();
    int i = -1, j = -1;
    switch (op) {
    case kClickBox:
    case kClickCell: {
        if (!PickVisible(i, j) || i < 0 || j < 0)
            return;
        const Spot c = CellSpot(i, j);
        // The box is 15 × 15, centred (at least a pixel below the top).
        const int dx = (c.w - 15) / 2, dy = std::max(1, (c.h - 15) / 2);
        if (op == kClickBox)
            Click(c.x + dx + 7, c.y + dy + 7);
        else
            Click(c.x + dx - 1, c.y + c.h / 2); // in the cell, left of the box
        r.SetCur(j, i);
        if (op == kClickBox && r.Cell(i, j).type == CELL_CHECK) {
            Snapshot();
            Toggle();
        }
        r.modified = true; // any cell hit marks the document
        break;
    }
    case kClickRowName:
    case kDoubleClickRowName: {
        if (!PickVisible(i, j) || i < 0)
            return;
        const Spot c = CellSpot(i, 0);
        const QPoint p(S().LineNameWidthPx() / 2, c.y + c.h / 2);
        Click(p.x(), p.y());
        r.SetCur(-1, i);
        if (op == kDoubleClickRowName) {
            QTest::mouseDClick(View(), Qt::LeftButton, Qt::NoModifier, p);
            ASSERT_EQ(m_seen,
                      (std::vector<std::string>{r.Row(i).name, r.Row(i).detail, r.Row(i).link}));
            LineEditDone();
        }
        break;
    }
    case kClickHeader:
    case kDoubleClickHeader: {
        if (!PickVisible(i, j) || j < 0)
            return;
        const Spot c = CellSpot(0, j);
        const QPoint p(c.x + c.w / 2, S().m_nColumnHeight / 2);
        Click(p.x(), p.y());
        r.SetCur(j, -1);
        if (op == kDoubleClickHeader) {
            QTest::mouseDClick(View(), Qt::LeftButton, Qt::NoModifier, p);
            ColumnEditDone();
        }
        break;
    }
    case kKeyMove: {
        static const Qt::Key kKeys[] = {Qt::Key_Down,   Qt::Key_Up,   Qt::Key_PageDown,
                                        Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Right};
        const Qt::Key key = kKeys[Rand(0, 5)];
        Key(key);
        // Up and down go by places among the shown rows.
        const std::vector<int> shown = r.Shown();
        const int n = static_cast<int>(shown.size()), nc = r.Cols();
        const int pos = r.HasLine() ? r.ShownPos(r.curLine) : r.curLine;
        if ((key == Qt::Key_Down || key == Qt::Key_PageDown) && n > 0)
            r.curLine = shown[static_cast<std::size_t>(
                std::min(pos + (key == Qt::Key_Down ? 1 : 5), n - 1))];
        else if ((key == Qt::Key_Up || key == Qt::Key_PageUp) && n > 0)
            r.curLine =
                shown[static_cast<std::size_t>(std::max(pos - (key == Qt::Key_Up ? 1 : 5), 0))];
        else if (key == Qt::Key_Right && nc > 0 && r.curCol != nc - 1)
            ++r.curCol;
        else if (key == Qt::Key_Left && nc > 0 && r.curCol > 0)
            --r.curCol;
        break;
    }
    case kKeySpace:
        Key(Qt::Key_Space);
        if (r.HasLine() && r.HasCol()) {
            Snapshot();
            Toggle();
            r.modified = true;
        }
        break;
    case kKeyEnter:
        Key(Qt::Key_Return);
        if (r.HasLine()) {
            ASSERT_EQ(m_seen,
                      (std::vector<std::string>{r.Row(r.curLine).name, r.Row(r.curLine).detail,
                                                r.Row(r.curLine).link}));
            LineEditDone();
        }
        break;
    case kKeyShiftEnter:
        Key(Qt::Key_Return, Qt::ShiftModifier);
        if (r.HasCol())
            ColumnEditDone();
        break;
    case kKeyUndo:
        ASSERT_EQ(Doc().CanUndo(), h.CanUndo());
        Key(Qt::Key_Z, Qt::ControlModifier);
        if (h.CanUndo()) {
            const bool openOnly = r.openOnly;
            h.Undo(r);
            r.openOnly = openOnly;
            r.modified = true;
        }
        break;
    case kRedo:
        ASSERT_EQ(Doc().CanRedo(), h.CanRedo());
        View()->OnCmdMsg(ID_EDIT_REDO);
        if (h.CanRedo()) {
            const bool openOnly = r.openOnly;
            h.Redo(r);
            r.openOnly = openOnly;
            r.modified = true;
        }
        break;
    case kKeyCut:
    case kKeyCopy:
        Key(op == kKeyCut ? Qt::Key_X : Qt::Key_C, Qt::ControlModifier);
        if (r.HasLine()) {
            m_clip = r.Row(r.curLine);
            if (op == kKeyCut) {
                Snapshot();
                r.rows.erase(r.rows.begin() + r.curLine);
                r.curLine = std::min(r.curLine, r.Rows() - 1);
                r.modified = true;
            }
        }
        break;
    case kKeyPaste:
    case kPasteAdd: {
        if (op == kKeyPaste)
            Key(Qt::Key_V, Qt::ControlModifier);
        else
            View()->OnCmdMsg(ID_EDIT_PASTE_ADD);
        const bool fits = m_clip && static_cast<int>(m_clip->cells.size()) == r.Cols();
        if (!fits || (op == kKeyPaste && !r.HasLine()))
            break; // a message, and nothing changes
        Snapshot();
        if (op == kKeyPaste) {
            r.rows.insert(r.rows.begin() + r.curLine, *m_clip);
        } else {
            r.rows.push_back(*m_clip);
            r.curLine = r.Rows() - 1;
        }
        r.modified = true;
        break;
    }
    case kPasteText: {
        const bool asColumns = Rand(0, 1) == 1;
        const std::string a = Name(), b = Name();
        m_ui.m_unicodeText = a + "\r\n\r\n" + b + "\n";
        View()->OnCmdMsg(asColumns ? ID_COLUMN_PASTE_TEXT : ID_LINE_PASTE_TEXT);
        Snapshot();
        for (const std::string& name : {a, b}) {
            if (asColumns) {
                r.cols.push_back({name, "", ""});
                for (RRow& row : r.rows)
                    row.cells.push_back(RCell{});
            } else {
                r.rows.push_back(r.NewRow({name, "", ""}));
            }
        }
        r.modified = true;
        break;
    }
    case kKeyLineAdd:
        Key(Qt::Key_A, Qt::ControlModifier);
        ASSERT_EQ(m_seen, (std::vector<std::string>{"", "", ""}));
        if (Answered()) {
            Snapshot();
            r.rows.push_back(r.NewRow(m_answer));
            r.curLine = r.Rows() - 1;
            r.modified = true;
        }
        break;
    case kKeyLineMove:
    case kKeyColumnMove: {
        const bool up = Rand(0, 1) == 1;
        const bool line = op == kKeyLineMove;
        Key(line ? (up ? Qt::Key_Up : Qt::Key_Down) : (up ? Qt::Key_Left : Qt::Key_Right),
            Qt::ControlModifier);
        int& cur = line ? r.curLine : r.curCol;
        const int n = line ? r.Rows() : r.Cols();
        const int to = cur + (up ? -1 : 1);
        if (cur < 0 || cur >= n || to < 0 || to >= n || (line && r.openOnly))
            break;
        Snapshot();
        if (line) {
            std::swap(r.Row(cur), r.Row(to));
        } else {
            std::swap(r.cols[static_cast<std::size_t>(cur)], r.cols[static_cast<std::size_t>(to)]);
            for (RRow& row : r.rows)
                std::swap(row.cells[static_cast<std::size_t>(cur)],
                          row.cells[static_cast<std::size_t>(to)]);
        }
        cur = to;
        r.modified = true;
        break;
    }
    case kCommand: {
        static const UINT kIds[] = {ID_LINE_INSERT,    ID_LINE_DELETE,   ID_LINE_CHECK,
                                    ID_LINE_UNCHECK,   ID_COLUMN_ADD,    ID_COLUMN_INSERT,
                                    ID_COLUMN_DELETE,  ID_COLUMN_CHECK,  ID_COLUMN_UNCHECK,
                                    ID_EDIT_ALL_CHECK, ID_EDIT_CLEAR_ALL};
        const UINT id = kIds[Rand(0, 10)];
        View()->OnCmdMsg(id); // message boxes answer OK
        const bool line = id == ID_LINE_INSERT || id == ID_LINE_DELETE || id == ID_LINE_CHECK ||
                          id == ID_LINE_UNCHECK;
        const bool column = id == ID_COLUMN_INSERT || id == ID_COLUMN_DELETE ||
                            id == ID_COLUMN_CHECK || id == ID_COLUMN_UNCHECK;
        if ((line && !r.HasLine()) || (column && !r.HasCol()))
            break; // disabled
        const bool dialog = id == ID_LINE_INSERT || id == ID_COLUMN_ADD || id == ID_COLUMN_INSERT;
        if (dialog && !Answered())
            break;
        Snapshot();
        r.modified = true;
        switch (id) {
        case ID_LINE_INSERT:
            r.rows.insert(r.rows.begin() + r.curLine, r.NewRow(m_answer));
            break;
        case ID_LINE_DELETE:
            r.rows.erase(r.rows.begin() + r.curLine);
            r.curLine = std::min(r.curLine, r.Rows() - 1);
            break;
        case ID_LINE_CHECK:
        case ID_LINE_UNCHECK:
            CheckRef(r.curLine, -1, id == ID_LINE_CHECK);
            break;
        case ID_COLUMN_ADD:
        case ID_COLUMN_INSERT: {
            const int at = id == ID_COLUMN_ADD ? r.Cols() : r.curCol;
            r.cols.insert(r.cols.begin() + at, m_answer);
            for (RRow& row : r.rows)
                row.cells.insert(row.cells.begin() + at, RCell{});
            if (id == ID_COLUMN_ADD)
                r.curCol = r.Cols() - 1;
            break;
        }
        case ID_COLUMN_DELETE:
            r.cols.erase(r.cols.begin() + r.curCol);
            for (RRow& row : r.rows)
                row.cells.erase(row.cells.begin() + r.curCol);
            r.curCol = std::min(r.curCol, r.Cols() - 1);
            break;
        case ID_COLUMN_CHECK:
        case ID_COLUMN_UNCHECK:
            CheckRef(-1, r.curCol, id == ID_COLUMN_CHECK);
            break;
        default:
            CheckRef(-1, -1, id == ID_EDIT_ALL_CHECK);
            break;
        }
        break;
    }
    case kOpenOnly:
        View()->OnCmdMsg(ID_VIEW_OPEN_ONLY);
        r.openOnly = !r.openOnly;
        break;
    case kSave: {
        ASSERT_FALSE(Doc().Save(m_path));
        r.modified = false;
        CSheetFile saved;
        ASSERT_FALSE(ReadSheetFile(saved, m_path));
        ASSERT_EQ(Dump(saved, false), Dump(r, false)) << "the saved file";
        if (r.openOnly) {
            // The filter changes no byte of the file: the same as saving the
            // same sheet, scrolled the same, where no filter was ever on.
            const std::string path2 = m_path + ".all";
            CSheetFile plain(CSheetFile::kCopyTarget);
            plain.Copy(S());
            ASSERT_FALSE(SaveSheetFile(plain, path2));
            ASSERT_EQ(FileBytes(path2), FileBytes(m_path));
            std::filesystem::remove(path2);
        }
        break;
    }
    default:
        break;
    }
}

void ViewDifferential::Compare(int step, Op op) {
    const std::string where =
        "after step " + std::to_string(step) + " (operation " + std::to_string(op) + ")";
    ASSERT_EQ(Dump(S()), Dump(r)) << where;
    std::vector<int> shown;
    for (int pos = 0; pos < S().ShownCount(); ++pos)
        shown.push_back(S().ShownAt(pos));
    ASSERT_EQ(shown, r.Shown()) << "the rows shown " << where;
    ASSERT_EQ(Counts(S()), Counts(r)) << where;
    ASSERT_EQ(Doc().IsModified(), r.modified) << where;
    ASSERT_EQ(Doc().m_Undo.GetSize(), static_cast<int>(h.units.size())) << where;
    ASSERT_EQ(Doc().m_Undo.GetPos(), h.pos) << where;
    for (int k = 0; k < Doc().m_Undo.GetSize(); ++k) {
        const CSheetFile& unit = static_cast<const CTavrlUndo*>(Doc().m_Undo.GetAt(k))->m_Sheet;
        const RSheet& want = h.units[static_cast<std::size_t>(k)];
        ASSERT_EQ(Dump(unit), Dump(want)) << "snapshot " << k << " " << where;
        ASSERT_EQ(unit.CheckCounts(), want.Tally(-1, -1)) << "snapshot " << k << " " << where;
    }
    for (std::size_t k = 0; k < m_recovery.size(); ++k) {
        const Recovery& c = m_recovery[k];
        ASSERT_EQ(Dump(*c.sheet), Dump(c.want)) << "recovery copy " << k << " " << where;
        ASSERT_EQ(c.sheet->CheckCounts(), c.want.Tally(-1, -1))
            << "recovery copy " << k << " " << where;
    }
}

TEST_P(ViewDifferential, MatchesADeepCopyingReference) {
    ASSERT_GT(S().ColumnWidthPx(), 17) << "a cell must be wider than its box";
    for (int step = 0; step < 400; ++step) {
        const Op op = static_cast<Op>(Rand(0, kOpCount - 1));
        Step(op);
        if (HasFatalFailure())
            return;
        Compare(step, op);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ViewDifferential, ::testing::Range(1u, 7u),
                         [](const auto& info) { return "Seed" + std::to_string(info.param); });

} // namespace
