#pragma once
// The whole content of a document: the rows (element i is row i), the
// columns, the sheet's own view state (scroll position, cursor, grid
// rectangle, pixel heights) and its per-sheet settings.
//
// Copies behave as deep copies but share the rows and columns neither side
// changed: a row is copied when one side changes it (see CLineList). So the
// sheet hands rows, columns and cells out for reading only (const). A row is
// changed only through the sheet's own calls or through EditLine, which owns
// the row alone for exactly the call and keeps the check counts; no pointer
// that could write into a shared row ever leaves the sheet.
//
// How the sheet is drawn is its own too: the look (colours, pens, fonts), the
// pixel widths measured from it and the scroll bars' thickness. Whoever draws
// the sheet hands them to it, so that sheets on other threads (the recovery
// copy, a file read ahead) and beside the document (snapshots, print pages)
// never see another sheet's.
//
// Rows are placed lazily. Layout() records where the rows from the top one
// on go (a row's place follows from its index) and places a row only when it
// is drawn, hit-tested or handed out; rows that leave the laid-out range keep
// the place they had, as if every row had been placed at every layout.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fw/Archive.h"
#include "fw/DC.h"
#include "fw/Geometry.h"
#include "fw/Object.h"
#include "fw/TypedPtrArray.h"
#include "model/CheckCounts.h"
#include "model/CheckItem.h"
#include "model/ColumnData.h"
#include "model/ColumnList.h"
#include "model/DisplaySettings.h"
#include "model/FrozenRuns.h"
#include "model/LayoutParams.h"
#include "model/LineData.h"
#include "model/LineList.h"
#include "model/RowFilter.h"

class CTextFile;

class CSheetFile : public CObject {
    DECLARE_SERIAL(CSheetFile)
public:
    CSheetFile(); // reads the row height factor from the profile
    // An empty sheet about to become a copy of src, which brings its own factor.
    enum CopyTarget { kCopyTarget };
    explicit CSheetFile(CopyTarget) {}
    CSheetFile(const CSheetFile&) = delete;
    CSheetFile& operator=(const CSheetFile&) = delete;

    // The rows as an array, for reading. A row is placed before it is returned.
    int GetSize() const { return m_Lines.GetSize(); }
    bool IsEmpty() const { return m_Lines.IsEmpty(); }
    const CLineData* GetAt(int i) const { return Placed(i); }
    const CLineData* operator[](int i) const { return GetAt(i); }
    // Changes row i through f(CLineData&) and returns what f returns. The row
    // is this sheet's alone while f runs (a snapshot never sees the change),
    // and the check counts follow the change. f must change only that row.
    template <class F> decltype(auto) EditLine(int i, F&& f) {
        CEditScope scope(*this, i);
        return f(*scope.pLine);
    }
    // Array changes without laying out (the rows keep their rectangles until
    // the next Layout); the sheet takes the row.
    int Add(std::unique_ptr<CLineData> pLine);
    void InsertAt(int i, std::unique_ptr<CLineData> pLine);
    void RemoveAt(int i);
    std::unique_ptr<CLineData> ReleaseAt(int i);
    void Swap(int a, int b);
    void RemoveAll();
    void Reserve(std::size_t) {}
    std::uint64_t GetVersion() const { return m_Lines.GetVersion(); }

    class const_iterator {
    public:
        const_iterator(const CSheetFile* s, int i) : m_s(s), m_i(i) {}
        const CLineData* operator*() const { return m_s->Placed(m_i); }
        const_iterator& operator++() {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        const CSheetFile* m_s;
        int m_i;
    };
    // Visits rows [from, to) for what they hold (names, details, cell values)
    // without placing them, as searches need: f(int i, const CLineData&)
    // returns false to stop.
    template <class F> void ForEachContent(int from, int to, F f) const {
        m_Lines.ForEach(from, to, [&](int i, const CLineSlot& s) { return f(i, *s.pLine); });
    }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, GetSize()); }

    void Clear();
    // Takes what src holds and where it stands (rows, columns, scroll
    // position, cursor, layout), not how it is drawn: the look, the pixel
    // widths and the scroll bars stay this sheet's. Undo restores through
    // Copy, and a colour, a font or a measurement is no step of its own.
    void Copy(const CSheetFile& src);
    // Draws like src from now on: its look (shared), its pixel widths and
    // scroll bars. A copy made to be drawn (a print page, a picture) takes it.
    void ShareDisplay(const CSheetFile& src);
    // Becomes what reading a file gives, from src, a sheet that was just read
    // from it with success and holds rows or columns (every value the file
    // holds was read then): what the file holds, and this sheet's own state
    // where a read leaves that alone. src is left empty.
    void TakeLoaded(CSheetFile& src);
    void Serialize(CArchive& ar) override;

    // Measures the look's fonts: the row and header heights and both pixel widths.
    void CalcMetrics(CDC* pDC);
    void Layout();
    void Layout(int l, int t, int r, int b);
    static CDataItem* CreateItem(int type);

    // Rows.
    void AddLine(LPCTSTR name);
    void AddLine(const std::string& name) { AddLine(name.c_str()); }
    void AddLine(std::unique_ptr<CLineData> pLine);
    void InsertLine(std::unique_ptr<CLineData> pLine);
    void InsertLine(int index, std::unique_ptr<CLineData> pLine);
    void DeleteLine();
    void DeleteLine(int index);
    void MoveLine(int a, int b);

    // Columns.
    void AddColumn(LPCTSTR name, int type);
    void AddColumn(const std::string& name, int type) { AddColumn(name.c_str(), type); }
    void AddColumn(std::unique_ptr<CColumnData> pColumn, int type);
    void InsertColumn(std::unique_ptr<CColumnData> pColumn, int type);
    void InsertColumn(int index, std::unique_ptr<CColumnData> pColumn, int type);
    // Changes column j's name, detail or link through f(CColumnData&).
    template <class F> decltype(auto) EditColumn(int j, F&& f) {
        return m_Columns.Edit(j, std::forward<F>(f));
    }
    void DeleteColumn();
    void DeleteColumn(int index);
    void MoveColumn(int a, int b);

    // Checks.
    void SetAllCheck(BOOL b);
    void SetLineCheck(BOOL b);
    void SetColumnCheck(BOOL b);
    void ToggleCur(CDC* pDC);
    // How many check cells are checked, kept as rows change: the sheet's and
    // a column's are kept exact with every change (after a change of most
    // rows, one walk on the next read), a row's is one walk of its cells.
    CCheckTally CheckCounts() const;
    CCheckTally ColumnCheckCounts(int column) const;
    CCheckTally LineCheckCounts(int index) const;

    // Only open rows: a state of the view, neither stored nor copied. While
    // it is on, the grid shows the rows that hold an unchecked check cell,
    // and the cursor's row for as long as the cursor stays on it; places
    // (scroll positions, the rows on screen) count the shown rows only.
    // Off, a row's place is its index.
    void SetOpenOnly(bool on);
    bool IsOpenOnly() const { return m_bOpenOnly; }
    int ShownCount() const;
    int ShownAt(int pos) const; // the row at a place (0 <= pos < ShownCount())
    int ShownPos(int i) const;  // row i's place; -1 for a hidden row
    bool IsShown(int i) const { return ShownPos(i) >= 0; }
    int TopPos() const;      // the place of the top row on screen
    void SetTopPos(int pos); // scrolls so that this place is on top
    // Ends a cursor move: the row the cursor kept shown until now is hidden
    // when it is finished and the cursor left it. True when a row was hidden
    // (the rows below it move up). Until then both rows stay, so that places
    // do not move in the middle of a click.
    bool SettleShown();
    std::size_t FilterBytes() const { return m_Filter.Bytes(); }

    // Cursor, scrolling and hit tests.
    const CLineData* GetCurLine() const;
    const CColumnData* GetCurColumn() const;
    void SetCur(int column, int line, CDC* pDC);
    BOOL MoveUp(int n);
    BOOL MoveDown(int n);
    BOOL MoveLeft();
    BOOL MoveRight();
    void SetTopLine(int n);
    void SetLeftColumn(int n);
    // Moves the cursor to what lies under the point and returns the cell
    // there (read only: change it through the sheet, e.g. ToggleCur).
    const CDataItem* HitTest(int x, int y, CDC* pDC);
    int ColumnFromPoint(int x, int y) const;
    int LineFromPoint(int x, int y) const;
    CSize GetExtent() const;

    // Drawing.
    // The look, never changed in place: a change hands over a whole new one,
    // which a copy being drawn elsewhere never sees.
    const CDisplaySettings& Look() const;
    void SetLook(CDisplaySettings look);
    // The pixel widths of the row-name column and of one column, as
    // CalcMetrics measured them (100 and 20 until then).
    int LineNameWidthPx() const { return m_nLineNameWidthPx; }
    int ColumnWidthPx() const { return m_nColumnWidthPx; }
    void SetPixelWidths(int lineNameWidth, int columnWidth);
    // The platform's scroll bar thickness, which the cursor moves keep clear
    // of (the view sets it from its style; 16 until then).
    void SetScrollBarExtents(int hScrollHeight, int vScrollWidth);
    int HScrollHeight() const { return m_nHScrollHeight; }
    int VScrollWidth() const { return m_nVScrollWidth; }
    void Draw(CDC* pDC) const;
    void DrawLine(CDC* pDC, int index) const;
    void DrawCurLine(CDC* pDC) const;
    void DrawSelection(CDC* pDC);
    void ClearSelection(CDC* pDC);

    // Import and export (src/io). Paths are UTF-8; failures are shown
    // through the user interface and reported as FALSE.
    std::string CsvMarkText(BOOL bCheck) const;
    BOOL ExportCsv(LPCTSTR path) const;
    BOOL ExportCsv(CTextFile& file) const; // on an open file, which it closes
    BOOL ImportCsv(LPCTSTR path);
    BOOL ImportCsv(CTextFile& file);
    std::string HtmlMarkText(BOOL bCheck) const;
    std::string MakeHtmlTable() const;
    std::string MakeHtmlPage() const;
    BOOL ExportHtml(BOOL bToFile) const; // the page goes to m_strHtmlFile
    BOOL ExportHtmlFile(const std::string& path) const;
    BOOL ExportHtmlFile(CTextFile& file) const; // on an open file, which it closes

    std::string m_strTitle;
    CColumnList m_Columns;
    int m_nColumnHeight = 20;
    int m_nLineHeight = 20;
    int m_nTopLine = 0;
    int m_nLeftColumn = 0;
    CRect m_rcGrid;
    int m_nCurColumn = -1;
    int m_nCurLine = -1;
    int m_nLineNameWidth = 10;
    int m_nColumnWidth = 10;
    double m_dLineHeightRate = 1.5;
    int m_nCsvMark = 0;
    int m_nHtmlMark = 0;
    std::string m_strHtmlCss;
    std::string m_strHtmlFile;

private:
    // Unhighlights every highlighted row and redraws it. The row this sheet
    // highlighted last is remembered with the array's version, so a cursor
    // move costs the same on any length; once rows were added, removed or
    // moved, every row is looked at again.
    void UnselectLines(CDC* pDC);
    // The columns and every value the sheet file holds.
    void CopyFileFields(const CSheetFile& src);
    void RememberSelectedLine(int index);
    // Column selection, written only where it changes.
    void UnselectColumns(CDC* pDC);
    void SelectColumn(int column, CDC* pDC);

    // Row i placed where it belongs.
    const CLineData* Placed(int i) const;
    // Row i owned alone, for a change the counts do not see (the highlight).
    // Written at once; the pointer is never kept.
    CLineData* OwnLine(int i) { return m_Lines.MutableLine(i); }
    // Only open rows place every row from its place among the shown ones.
    bool InRange(int i) const {
        return !m_bOpenOnly && m_nLaidId != 0 && i >= m_nLaidFirst && i < m_nLaidEnd;
    }
    int RangeTop(int i) const;
    // Where row i goes: layout parameters (0: its own rectangles) and top;
    // bLaid when a layout gives the place (the range, the filter, a run)
    // rather than the row's slot.
    struct CPlace {
        std::uint32_t id;
        int top;
        bool bLaid;
    };
    CPlace PlaceOf(int i) const;
    const CLayoutParams& ParamsOf(std::uint32_t id) const;
    CRect RowRect(int i) const; // without placing it
    // Row i keeps its place even when it leaves the laid-out range.
    void Freeze(int i);
    // Rows [from, to) leave the runs for their slots, before a slot moves or
    // its row changes.
    void Thaw(int from, int to);
    // Rows from i on keep their places; the range ends before i.
    void CutRange(int i);
    // Changes every row's cells through f(CLineData&) (column changes); the
    // counts are taken again on the next read.
    template <class F> void EditEveryLine(F&& f) {
        m_bRecount = true;
        m_bFilterStale = true;
        for (int i = 0; i < GetSize(); ++i)
            f(*LineForCells(i));
    }
    // Rows outside the laid-out range get their rectangles in the row itself,
    // before a change to their cells.
    CLineData* LineForCells(int i);

    // What EditLine holds while its function runs: the row owned alone, out
    // of the counts until the change is done (also when f throws).
    struct CEditScope {
        CEditScope(CSheetFile& s, int i);
        ~CEditScope();
        CEditScope(const CEditScope&) = delete;
        CEditScope& operator=(const CEditScope&) = delete;
        CSheetFile& sheet;
        CLineData* pLine;
        int index;
    };
    BOOL MoveShown(std::int64_t n);
    // The shown row whose span holds y, -1 for none (only open rows).
    int ShownRowAt(int y) const;
    // Makes the column under x current (the header's hit test).
    const CDataItem* HitHeader(int x, CDC* pDC);
    // The open rows, built again on the first read after the rows changed.
    void SyncFilter() const;
    // The finished rows shown all the same (the cursor's and the one it kept
    // until the move settles), sorted, at most two; returns how many.
    int Extras(int extras[2]) const;
    void CountsAdded(const CLineData& line);
    void CountsRemoved(const CLineData& line);
    void FoldCounts() const;
    // In builds with assertions: the kept counts equal a full recount.
    void VerifyCounts() const;

    // Each sheet has a look of its own (made on first use), so two sheets
    // share one only where it was handed on.
    mutable std::shared_ptr<const CDisplaySettings> m_pLook;
    int m_nLineNameWidthPx = 100;
    int m_nColumnWidthPx = 20;
    int m_nHScrollHeight = 16; // SM_CYHSCROLL
    int m_nVScrollWidth = 16;  // SM_CXVSCROLL

    mutable CLineList m_Lines;
    mutable CCheckCounts m_Counts;
    // m_Counts is stale: counted again, all at once, on the next read.
    mutable bool m_bRecount = false;
    bool m_bOpenOnly = false;
    mutable CRowFilter m_Filter;
    mutable bool m_bFilterStale = true;
    mutable int m_nKeptLine = -1; // the cursor's row when the last move settled
    mutable std::uint64_t m_nFilterVersion = 0;
    int m_nEditing = 0; // EditLine calls running; no copy may be taken then
    // At least this many rows leaving the range at once leave as one run.
    static constexpr int kRunRows = 64;
    // Shared with copies, like the rows; made by the first layout.
    std::shared_ptr<CLayoutRegistry> m_pLayouts;
    CLayoutParams m_Laid;        // the parameters numbered m_nLaidId
    CFrozenRuns m_Runs;          // rows that left the range together
    std::uint32_t m_nLaidId = 0; // parameters of the last layout; 0: none yet
    int m_nLaidFirst = 0;        // rows [m_nLaidFirst, m_nLaidEnd) follow that layout
    int m_nLaidEnd = 0;
    std::int64_t m_nLaidTop = 0; // top pixel of row m_nLaidFirst

    int m_nSelIndex = -1;
    std::uint64_t m_nSelVersion = 0;
    bool m_bSelKnown = false;
};
