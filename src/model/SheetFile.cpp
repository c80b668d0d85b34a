#include "model/SheetFile.h"

#include "model/CheckItem.h"
#include "model/ColumnData.h"
#include "model/DataItem.h"
#include "model/DisplaySettings.h"
#include "model/LayoutParams.h"
#include "model/LineData.h"
#include "model/PixelMath.h"
#include "model/ReadBudget.h"
#include "model/Settings.h"

#include <algorithm>
#include <cassert>
#include <climits>
#include <utility>

IMPLEMENT_SERIAL(CSheetFile, nullptr, 1)

// A sheet file names every item class, and a static library drops an object
// nothing refers to, its registration with it: naming them here keeps them in
// every program that can read a sheet.
static const bool g_bItemClassesRegistered = CRuntimeClass::Register(RUNTIME_CLASS(CColumnData)) &&
                                             CRuntimeClass::Register(RUNTIME_CLASS(CLineData)) &&
                                             CRuntimeClass::Register(RUNTIME_CLASS(CDataItem)) &&
                                             CRuntimeClass::Register(RUNTIME_CLASS(CCheckItem));

CSheetFile::CSheetFile() : m_dLineHeightRate(ReadLineHeightRate()) {}

// Rows as an array.

int CSheetFile::Add(std::unique_ptr<CLineData> pLine) {
    const int i = GetSize();
    CountsAdded(*pLine);
    m_Lines.Insert(i, pLine.release());
    return i;
}

void CSheetFile::InsertAt(int i, std::unique_ptr<CLineData> pLine) {
    CutRange(i);
    m_Runs.Shift(i, 1);
    CountsAdded(*pLine);
    m_Lines.Insert(i, pLine.release());
}

void CSheetFile::RemoveAt(int i) {
    CutRange(i);
    m_Runs.Shift(i, -1);
    CountsRemoved(*m_Lines.Slot(i).pLine);
    m_Lines.Erase(i);
    m_nLaidEnd = std::min(m_nLaidEnd, GetSize());
}

std::unique_ptr<CLineData> CSheetFile::ReleaseAt(int i) {
    Placed(i); // the row leaves with the rectangles it had here
    CutRange(i);
    m_Runs.Shift(i, -1);
    std::unique_ptr<CLineData> p(m_Lines.Release(i));
    CountsRemoved(*p);
    m_nLaidEnd = std::min(m_nLaidEnd, GetSize());
    return p;
}

void CSheetFile::Swap(int a, int b) {
    CutRange(std::min(a, b));
    // The slots move with their rows; the runs stay with the places.
    Thaw(a, a + 1);
    Thaw(b, b + 1);
    m_Lines.Swap(a, b);
}

void CSheetFile::RemoveAll() {
    m_bFilterStale = true;
    m_Lines.RemoveAll();
    m_Counts.Reset();
    m_bRecount = false;
    m_nLaidEnd = 0;
    m_Runs.Clear();
}

// Placing rows.

const CLayoutParams& CSheetFile::ParamsOf(std::uint32_t id) const {
    static const CLayoutParams none;
    if (id == m_nLaidId)
        return m_Laid; // the common case takes no lock
    return m_pLayouts ? m_pLayouts->Get(id) : none;
}

int CSheetFile::RangeTop(int i) const {
    return ClampCoord(m_nLaidTop + (std::int64_t(i) - m_nLaidFirst) * m_Laid.nLineHeight);
}

CSheetFile::CPlace CSheetFile::PlaceOf(int i) const {
    if (m_bOpenOnly) {
        // Only the shown rows from the top one on have a place; the rest
        // are off the screen.
        const int pos = ShownPos(i), top = TopPos();
        if (m_nLaidId == 0 || pos < top)
            return {CLineData::kUnplaced, 0, true};
        return {m_nLaidId, ClampCoord(m_nLaidTop + (std::int64_t(pos) - top) * m_Laid.nLineHeight),
                true};
    }
    if (InRange(i))
        return {m_nLaidId, RangeTop(i), true};
    if (const CFrozenRun* r = m_Runs.Find(i))
        return {r->nId, r->Top(i), true};
    const CLineSlot& s = m_Lines.Slot(i);
    return {s.nPlace, s.nTop, false};
}

CRect CSheetFile::RowRect(int i) const {
    const CPlace at = PlaceOf(i);
    if (at.id == 0)
        return m_Lines.Slot(i).pLine->m_rect;
    if (at.id == CLineData::kUnplaced)
        return CRect();
    const CLayoutParams& p = ParamsOf(at.id);
    return CRect(p.nLeft, at.top, p.nRight, p.Bottom(at.top));
}

const CLineData* CSheetFile::Placed(int i) const {
    const CPlace at = PlaceOf(i);
    const CLineData* p = m_Lines.Slot(i).pLine;
    // A row placed by its slot whose cells changed since it was placed keeps
    // its own rectangles, as it would have if every row were placed eagerly.
    // A run stands for slots written when its rows left the range: a row
    // changed since then has left the run.
    const bool bPlace =
        at.id != 0 && !p->IsPlaced(at.id, at.top) && (p->IsPlacementKnown() || at.bLaid);
    if (bPlace) {
        // A shared row may be placed where it is: every sheet holding it can
        // place it again from its own slot. Only one whose rectangles are its
        // own is copied first.
        CLineData* own = p->IsPlacementKnown() ? const_cast<CLineData*>(p) : m_Lines.MutableLine(i);
        own->Place(at.id, ParamsOf(at.id), at.top);
        p = own;
    }
    return p;
}

void CSheetFile::Freeze(int i) {
    if (!InRange(i))
        return;
    m_Runs.Cut(i, i + 1);
    // A row whose cells changed since it was placed would have been placed
    // by the layout that follows the change: place it before it leaves.
    if (!m_Lines.Slot(i).pLine->IsPlacementKnown())
        Placed(i);
    CLineSlot& s = m_Lines.MutableSlot(i);
    s.nPlace = m_nLaidId;
    s.nTop = RangeTop(i);
}

void CSheetFile::Thaw(int from, int to) {
    if (m_Runs.IsEmpty())
        return;
    // What the runs stand for goes into the slots, as an eager freeze would
    // have written it when the rows left.
    std::vector<CFrozenRun> parts;
    m_Runs.ForEachIn(from, to, [&](const CFrozenRun& r) { parts.push_back(r); });
    if (parts.empty())
        return;
    m_Runs.Cut(from, to);
    for (const CFrozenRun& r : parts) {
        for (int k = r.nFirst; k < r.nEnd; ++k) {
            const int t = r.Top(k);
            const CLineData* row = m_Lines.Slot(k).pLine;
            if (!row->IsPlacementKnown())
                m_Lines.MutableLine(k)->Place(r.nId, r.params, t);
            CLineSlot& s = m_Lines.MutableSlot(k);
            s.nPlace = r.nId;
            s.nTop = t;
        }
    }
}

void CSheetFile::CutRange(int i) {
    if (m_nLaidId == 0 || i >= m_nLaidEnd)
        return;
    for (int k = std::max(i, m_nLaidFirst); k < m_nLaidEnd; ++k)
        Freeze(k);
    m_nLaidEnd = std::max(i, m_nLaidFirst);
}

CLineData* CSheetFile::LineForCells(int i) {
    // Placed first: outside the range the cells then keep their places, and
    // the changed row its own rectangles.
    Thaw(i, i + 1);
    Placed(i);
    return m_Lines.MutableLine(i);
}

CSheetFile::CEditScope::CEditScope(CSheetFile& s, int i)
    : sheet(s), pLine(s.LineForCells(i)), index(i) {
    sheet.CountsRemoved(*pLine);
    ++sheet.m_nEditing;
}

CSheetFile::CEditScope::~CEditScope() {
    --sheet.m_nEditing;
    sheet.CountsAdded(*pLine);
    if (sheet.m_bOpenOnly && !sheet.m_bFilterStale &&
        sheet.m_nFilterVersion == sheet.GetVersion()) {
        const CCheckTally t = CCheckCounts::OfLine(*pLine);
        sheet.m_Filter.Set(index, t.nChecked < t.nTotal);
    }
}

// Only open rows.

void CSheetFile::SetOpenOnly(bool on) {
    if (on == m_bOpenOnly)
        return;
    m_bOpenOnly = on;
    m_bFilterStale = true;
    if (!on)
        m_Filter.Reset(0); // nothing kept while off
    Layout();
}

void CSheetFile::SyncFilter() const {
    if (!m_bFilterStale && m_nFilterVersion == GetVersion())
        return;
    std::vector<std::uint8_t> open(GetSize());
    m_Lines.ForEach(0, GetSize(), [&](int i, const CLineSlot& s) {
        const CCheckTally t = CCheckCounts::OfLine(*s.pLine);
        open[i] = t.nChecked < t.nTotal;
        return true;
    });
    m_Filter.Assign(std::move(open));
    m_bFilterStale = false;
    m_nFilterVersion = GetVersion();
    // Rows moved: the kept row's index no longer names it.
    m_nKeptLine = m_nCurLine;
}

int CSheetFile::Extras(int extras[2]) const {
    SyncFilter();
    int n = 0;
    for (int e : {std::min(m_nKeptLine, m_nCurLine), std::max(m_nKeptLine, m_nCurLine)})
        if (e >= 0 && e < GetSize() && !m_Filter.IsOpen(e) && (n == 0 || extras[0] != e))
            extras[n++] = e;
    return n;
}

bool CSheetFile::SettleShown() {
    if (!m_bOpenOnly || m_nKeptLine == m_nCurLine)
        return false;
    SyncFilter();
    const int old = m_nKeptLine;
    m_nKeptLine = m_nCurLine;
    // Hidden now: the old row was closed, and the cursor is elsewhere.
    return old >= 0 && old < GetSize() && !m_Filter.IsOpen(old);
}

int CSheetFile::ShownCount() const {
    if (!m_bOpenOnly)
        return GetSize();
    int extras[2];
    const int n = Extras(extras);
    return m_Filter.Count() + n;
}

int CSheetFile::ShownAt(int pos) const {
    if (!m_bOpenOnly)
        return pos;
    int extras[2];
    const int n = Extras(extras);
    int before = 0; // kept rows placed before pos
    for (int k = 0; k < n; ++k) {
        const int at = m_Filter.Rank(extras[k]) + k;
        if (at == pos)
            return extras[k];
        before += at < pos;
    }
    return m_Filter.Select(pos - before);
}

int CSheetFile::ShownPos(int i) const {
    if (!m_bOpenOnly)
        return i;
    if (i < 0 || i >= GetSize())
        return -1;
    int extras[2];
    const int n = Extras(extras);
    const bool kept = (n > 0 && extras[0] == i) || (n > 1 && extras[1] == i);
    if (!kept && !m_Filter.IsOpen(i))
        return -1;
    int pos = m_Filter.Rank(i);
    for (int k = 0; k < n; ++k)
        pos += extras[k] < i;
    return pos;
}

int CSheetFile::TopPos() const {
    if (!m_bOpenOnly)
        return m_nTopLine;
    // The first shown row at or after the top one.
    const int t = std::clamp(m_nTopLine, 0, GetSize());
    int extras[2];
    const int n = Extras(extras);
    int pos = m_Filter.Rank(t);
    for (int k = 0; k < n; ++k)
        pos += extras[k] < t;
    return std::max(0, std::min(pos, ShownCount() - 1));
}

void CSheetFile::SetTopPos(int pos) {
    if (!m_bOpenOnly) {
        SetTopLine(pos);
        return;
    }
    const int n = ShownCount();
    SetTopLine(n == 0 ? 0 : ShownAt(std::clamp(pos, 0, n - 1)));
}

// Whole sheet.

void CSheetFile::Clear() {
    RemoveAll();
    m_Columns.RemoveAll();
    m_strTitle.clear();
    m_strHtmlCss.clear();
    m_strHtmlFile.clear();
    m_nColumnHeight = 20;
    m_nLineHeight = 20;
    m_nTopLine = 0;
    m_nLeftColumn = 0;
    m_nCurColumn = -1;
    m_nCurLine = -1;
    m_nCsvMark = 0;
    m_nHtmlMark = 0;
}

void CSheetFile::TakeLoaded(CSheetFile& src) {
    m_bFilterStale = true;
    Clear();
    m_Counts = src.m_Counts;
    m_bRecount = src.m_bRecount;
    m_Lines.ShareFrom(src.m_Lines);
    CopyFileFields(src);
    src.Clear(); // the rows and columns are this sheet's alone now
}

void CSheetFile::CopyFileFields(const CSheetFile& src) {
    m_Columns.ShareFrom(src.m_Columns);
    m_strTitle = src.m_strTitle;
    m_nColumnHeight = src.m_nColumnHeight;
    m_nTopLine = src.m_nTopLine;
    m_nLeftColumn = src.m_nLeftColumn;
    m_nLineNameWidth = src.m_nLineNameWidth;
    m_nColumnWidth = src.m_nColumnWidth;
    m_nCsvMark = src.m_nCsvMark;
    m_nHtmlMark = src.m_nHtmlMark;
    m_strHtmlCss = src.m_strHtmlCss;
    m_strHtmlFile = src.m_strHtmlFile;
}

void CSheetFile::Copy(const CSheetFile& src) {
    m_bFilterStale = true;
    if (&src == this)
        return;
    // A copy taken inside EditLine would share the row being changed.
    assert(src.m_nEditing == 0);
    Clear();
    m_Lines.ShareFrom(src.m_Lines);
    m_Counts = src.m_Counts;
    m_bRecount = src.m_bRecount;
    m_pLayouts = src.m_pLayouts;
    m_Laid = src.m_Laid;
    m_Runs = src.m_Runs;
    m_nLaidId = src.m_nLaidId;
    m_nLaidFirst = src.m_nLaidFirst;
    m_nLaidEnd = src.m_nLaidEnd;
    m_nLaidTop = src.m_nLaidTop;
    CopyFileFields(src);
    m_nLineHeight = src.m_nLineHeight;
    m_rcGrid = src.m_rcGrid;
    m_nCurColumn = src.m_nCurColumn;
    m_nCurLine = src.m_nCurLine;
    m_dLineHeightRate = src.m_dLineHeightRate;
}

const CDisplaySettings& CSheetFile::Look() const {
    // Made on first use: an undo snapshot is never drawn and never pays for one.
    if (!m_pLook)
        m_pLook = std::make_shared<const CDisplaySettings>();
    return *m_pLook;
}

void CSheetFile::ShareDisplay(const CSheetFile& src) {
    src.Look();
    m_pLook = src.m_pLook;
    m_nLineNameWidthPx = src.m_nLineNameWidthPx;
    m_nColumnWidthPx = src.m_nColumnWidthPx;
    m_nHScrollHeight = src.m_nHScrollHeight;
    m_nVScrollWidth = src.m_nVScrollWidth;
}

void CSheetFile::SetLook(CDisplaySettings look) {
    m_pLook = std::make_shared<const CDisplaySettings>(std::move(look));
}

void CSheetFile::SetPixelWidths(int lineNameWidth, int columnWidth) {
    m_nLineNameWidthPx = lineNameWidth;
    m_nColumnWidthPx = columnWidth;
}

void CSheetFile::SetScrollBarExtents(int hScrollHeight, int vScrollWidth) {
    m_nHScrollHeight = hScrollHeight;
    m_nVScrollWidth = vScrollWidth;
}

void CSheetFile::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << DWORD(100);
        ar.WriteString(m_strTitle);
        ar << LONG(m_nColumnHeight) << LONG(m_nTopLine) << LONG(m_nLeftColumn)
           << LONG(m_nLineNameWidth) << LONG(m_nColumnWidth) << LONG(m_nCsvMark)
           << LONG(m_nHtmlMark);
        ar.WriteString(m_strHtmlCss);
        ar.WriteString(m_strHtmlFile);
        ar.WriteCount(static_cast<std::size_t>(m_Columns.GetSize()));
        for (const CColumnData* p : std::as_const(m_Columns))
            ar.WriteObject(p);
        ar.WriteCount(static_cast<std::size_t>(GetSize()));
        // Storing reads a row and never changes it.
        m_Lines.ForEach(0, GetSize(), [&](int, const CLineSlot& s) {
            ar.WriteObject(s.pLine);
            return true;
        });
        return;
    }
    DWORD version;
    LONG v[7];
    ar >> version;
    m_strTitle = ar.ReadString();
    for (LONG& x : v)
        ar >> x;
    m_nColumnHeight = v[0];
    m_nTopLine = v[1];
    m_nLeftColumn = v[2];
    m_nLineNameWidth = v[3];
    m_nColumnWidth = v[4];
    m_nCsvMark = v[5];
    m_nHtmlMark = v[6];
    m_strHtmlCss = ar.ReadString();
    m_strHtmlFile = ar.ReadString();
    std::size_t n = ar.ReadCount();
    CheckSheetBudget(0, n, 0);
    m_Columns.Reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        m_Columns.Add(std::unique_ptr<CColumnData>(
            static_cast<CColumnData*>(ar.ReadObject(RUNTIME_CLASS(CColumnData)))));
    n = ar.ReadCount();
    const int nColumns = m_Columns.GetSize();
    CheckSheetBudget(n, 0, SaturatingProduct(n, static_cast<std::size_t>(nColumns)));
    // Counted once, on the first read of the counts, not row by row here.
    m_bRecount = true;
    for (std::size_t i = 0; i < n; ++i) {
        std::unique_ptr<CLineData> p(
            static_cast<CLineData*>(ar.ReadObject(RUNTIME_CLASS(CLineData))));
        const bool bFits = p->GetSize() == nColumns;
        Add(std::move(p));
        // Every row must hold one cell per column.
        if (!bFits)
            CArchive::ThrowBadFormat();
    }
}

void CSheetFile::CalcMetrics(CDC* pDC) {
    TEXTMETRIC tm;
    const CDisplaySettings& look = Look();
    const CFont* old = pDC->SelectObject(&look.m_fontColumn);
    pDC->GetTextMetrics(&tm);
    m_nColumnHeight = PixelSizeFromDouble(tm.tmHeight * m_dLineHeightRate);
    m_nColumnWidthPx = ClampPixelSize(std::int64_t(m_nColumnWidth) * tm.tmAveCharWidth);
    pDC->SelectObject(&look.m_fontLine);
    pDC->GetTextMetrics(&tm);
    m_nLineHeight = PixelSizeFromDouble(tm.tmHeight * m_dLineHeightRate);
    m_nLineNameWidthPx = ClampPixelSize(std::int64_t(m_nLineNameWidth) * tm.tmAveCharWidth);
    pDC->SelectObject(old);
    Layout();
}

void CSheetFile::Layout(int l, int t, int r, int b) {
    m_rcGrid.SetRect(l, t, r, b);
    Layout();
}

void CSheetFile::Layout() {
    const CRect& g = m_rcGrid;
    CLayoutParams p;
    p.nLeft = g.left;
    p.nRight = g.right;
    p.nLineHeight = ClampPixelSize(m_nLineHeight);
    p.nLeftColumn = m_nLeftColumn;
    p.nNameWidth = ClampPixelSize(m_nLineNameWidthPx);
    p.nColumnWidth = ClampPixelSize(m_nColumnWidthPx);
    const int first = std::max(m_nTopLine, 0);
    // Rows that leave the range keep where they are: a few row by row, many
    // as one run.
    if (m_nLaidId != 0 && !m_bOpenOnly) {
        const int leave = std::min(m_nLaidEnd, first);
        if (leave - m_nLaidFirst >= kRunRows)
            m_Runs.Add({m_nLaidFirst, leave, m_nLaidId, m_Laid, m_nLaidTop});
        else
            for (int i = m_nLaidFirst; i < leave; ++i)
                Freeze(i);
    }
    if (!m_pLayouts)
        m_pLayouts = std::make_shared<CLayoutRegistry>();
    m_nLaidId = m_pLayouts->Intern(p);
    m_Laid = p;
    m_nLaidFirst = first;
    m_nLaidEnd = std::max(GetSize(), first);
    const int colH = ClampPixelSize(m_nColumnHeight);
    m_nLaidTop = ClampCoord(std::int64_t(g.top) + colH);

    const int nc = m_Columns.GetSize();
    for (int j = 0; j < nc; ++j) {
        CRect rc;
        if (j >= m_nLeftColumn) {
            const int x = p.CellLeft(j);
            rc.SetRect(x, g.top, ClampCoord(std::int64_t(x) + p.nColumnWidth),
                       ClampCoord(std::int64_t(g.top) + colH));
        }
        // Only a header that moves is written, so laying out again does not
        // make the next undo snapshot copy the columns.
        if (m_Columns[j]->m_rect != rc)
            m_Columns.Edit(j, [&](CColumnData& c) { c.m_rect = rc; });
    }
}

CDataItem* CSheetFile::CreateItem(int type) {
    switch (type) {
    case 0:
        return new CDataItem;
    case 1:
        return new CCheckItem;
    default:
        return nullptr;
    }
}

void CSheetFile::AddLine(LPCTSTR name) {
    Add(std::make_unique<CLineData>(name, m_Columns.GetSize()));
    Layout();
}

void CSheetFile::AddLine(std::unique_ptr<CLineData> pLine) {
    Add(std::move(pLine));
    Layout();
}

void CSheetFile::InsertLine(std::unique_ptr<CLineData> pLine) {
    InsertLine(m_nCurLine, std::move(pLine));
}

// The row operations change the array directly and lay out at once: only the
// rows that cross the top of the range need their places kept.
void CSheetFile::InsertLine(int index, std::unique_ptr<CLineData> pLine) {
    m_Runs.Shift(index, 1);
    CountsAdded(*pLine);
    m_Lines.Insert(index, pLine.release());
    Layout();
}

void CSheetFile::DeleteLine() {
    DeleteLine(m_nCurLine);
}

void CSheetFile::DeleteLine(int index) {
    // The first row of the range moves above it and keeps its place.
    if (index < m_nLaidFirst && m_nLaidFirst < m_nLaidEnd)
        Freeze(m_nLaidFirst);
    m_Runs.Shift(index, -1);
    CountsRemoved(*m_Lines.Slot(index).pLine);
    m_Lines.Erase(index);
    m_nLaidEnd = std::min(m_nLaidEnd, GetSize());
    m_nCurLine = std::min(m_nCurLine, GetSize() - 1);
    Layout();
}

void CSheetFile::MoveLine(int a, int b) {
    Thaw(a, a + 1);
    Thaw(b, b + 1);
    Freeze(a);
    Freeze(b);
    m_Lines.Swap(a, b);
    if (m_nCurLine == a)
        m_nCurLine = b;
    else if (m_nCurLine == b)
        m_nCurLine = a;
    Layout();
}

void CSheetFile::AddColumn(LPCTSTR name, int type) {
    AddColumn(std::make_unique<CColumnData>(name), type);
}

void CSheetFile::AddColumn(std::unique_ptr<CColumnData> pColumn, int type) {
    m_Columns.Add(std::move(pColumn));
    EditEveryLine([&](CLineData& line) { line.Add(CreateItem(type)); });
    Layout();
}

void CSheetFile::InsertColumn(std::unique_ptr<CColumnData> pColumn, int type) {
    InsertColumn(m_nCurColumn, std::move(pColumn), type);
}

void CSheetFile::InsertColumn(int index, std::unique_ptr<CColumnData> pColumn, int type) {
    m_Columns.InsertAt(index, std::move(pColumn));
    EditEveryLine([&](CLineData& line) { line.InsertAt(index, CreateItem(type)); });
    Layout();
}

void CSheetFile::DeleteColumn() {
    DeleteColumn(m_nCurColumn);
}

void CSheetFile::DeleteColumn(int index) {
    m_Columns.RemoveAt(index);
    EditEveryLine([&](CLineData& line) { line.RemoveAt(index); });
    m_nCurColumn = std::min(m_nCurColumn, m_Columns.GetSize() - 1);
    Layout();
}

void CSheetFile::MoveColumn(int a, int b) {
    m_Columns.Swap(a, b);
    EditEveryLine([&](CLineData& line) { line.Swap(a, b); });
    if (m_nCurColumn == a)
        m_nCurColumn = b;
    else if (m_nCurColumn == b)
        m_nCurColumn = a;
    Layout();
}

namespace {
// Changes the row only where a cell changes, so an unchanged row stays shared.
template <class Cells> bool NeedsCheck(const Cells& cells, BOOL b) {
    for (const CDataItem* p : cells)
        if (const CCheckItem* c = AsCheckItem(p); c && c->m_bCheck != b)
            return true;
    return false;
}

void SetCheck(CDataItem* p, BOOL b) {
    if (CCheckItem* c = AsCheckItem(p))
        c->m_bCheck = b;
}
} // namespace

void CSheetFile::SetAllCheck(BOOL b) {
    for (int i = 0; i < GetSize(); ++i)
        if (NeedsCheck(*m_Lines.Slot(i).pLine, b))
            EditLine(i, [b](CLineData& line) {
                for (CDataItem* p : line)
                    SetCheck(p, b);
            });
}

void CSheetFile::SetLineCheck(BOOL b) {
    if (m_nCurLine < 0 || m_nCurLine >= GetSize())
        return;
    EditLine(m_nCurLine, [b](CLineData& line) {
        for (CDataItem* p : line)
            SetCheck(p, b);
    });
}

void CSheetFile::SetColumnCheck(BOOL b) {
    if (m_nCurColumn < 0)
        return;
    for (int i = 0; i < GetSize(); ++i) {
        const CLineData* line = m_Lines.Slot(i).pLine;
        if (m_nCurColumn >= line->GetSize())
            continue;
        if (const CCheckItem* c = AsCheckItem(line->GetAt(m_nCurColumn)); c && c->m_bCheck != b)
            EditLine(i, [&](CLineData& l) { SetCheck(l.GetAt(m_nCurColumn), b); });
    }
}

void CSheetFile::ToggleCur(CDC* pDC) {
    if (m_nCurLine < 0 || m_nCurLine >= GetSize())
        return;
    if (m_nCurColumn < 0 || m_nCurColumn >= m_Lines.Slot(m_nCurLine).pLine->GetSize())
        return;
    EditLine(m_nCurLine, [&](CLineData& line) {
        CDataItem* p = line.GetAt(m_nCurColumn);
        p->Toggle();
        if (pDC)
            p->Draw(pDC, Look());
    });
}

// Check counts.

void CSheetFile::CountsAdded(const CLineData& line) {
    if (!m_bRecount)
        m_Counts.AddLine(line, 1);
}

void CSheetFile::CountsRemoved(const CLineData& line) {
    if (!m_bRecount)
        m_Counts.AddLine(line, -1);
}

void CSheetFile::FoldCounts() const {
    if (!m_bRecount)
        return;
    m_Counts.Reset();
    m_Lines.ForEach(0, GetSize(), [&](int, const CLineSlot& s) {
        m_Counts.AddLine(*s.pLine, 1);
        return true;
    });
    m_bRecount = false;
}

void CSheetFile::VerifyCounts() const {
#ifndef NDEBUG
    CCheckCounts all;
    m_Lines.ForEach(0, GetSize(), [&](int, const CLineSlot& s) {
        all.AddLine(*s.pLine, 1);
        return true;
    });
    assert(all.SameAs(m_Counts));
#endif
}

CCheckTally CSheetFile::CheckCounts() const {
    FoldCounts();
    VerifyCounts();
    return m_Counts.Sheet();
}

CCheckTally CSheetFile::ColumnCheckCounts(int column) const {
    if (column < 0 || column >= m_Columns.GetSize())
        return {};
    FoldCounts();
    return m_Counts.Column(column);
}

CCheckTally CSheetFile::LineCheckCounts(int index) const {
    if (index < 0 || index >= GetSize())
        return {};
    return CCheckCounts::OfLine(*m_Lines.Slot(index).pLine);
}

const CLineData* CSheetFile::GetCurLine() const {
    return m_nCurLine >= 0 && m_nCurLine < GetSize() ? GetAt(m_nCurLine) : nullptr;
}

const CColumnData* CSheetFile::GetCurColumn() const {
    return m_nCurColumn >= 0 && m_nCurColumn < m_Columns.GetSize() ? m_Columns[m_nCurColumn]
                                                                   : nullptr;
}

void CSheetFile::UnselectColumns(CDC* pDC) {
    for (int j = 0; j < m_Columns.GetSize(); ++j)
        if (m_Columns[j]->m_bSelected)
            m_Columns.Edit(j, [&](CColumnData& c) {
                c.m_bSelected = 0;
                c.Draw(pDC, Look());
            });
}

void CSheetFile::SelectColumn(int column, CDC* pDC) {
    if (const CColumnData* c = m_Columns[column]; c->m_bSelected)
        c->Draw(pDC, Look());
    else
        m_Columns.Edit(column, [&](CColumnData& c) { c.Select(pDC, Look()); });
}

void CSheetFile::SetCur(int column, int line, CDC* pDC) {
    if (column != -1 && column != m_nCurColumn) {
        UnselectColumns(pDC);
        m_nCurColumn = column;
        SelectColumn(column, pDC);
        if ((line == -1 || line == m_nCurLine) && m_nCurLine >= 0 && m_nCurLine < GetSize())
            DrawCurLine(pDC);
    }
    if (line != -1 && line != m_nCurLine) {
        UnselectLines(pDC);
        m_nCurLine = line;
        OwnLine(line)->Select();
        RememberSelectedLine(line);
        DrawLine(pDC, line);
    }
}

void CSheetFile::UnselectLines(CDC* pDC) {
    const bool known = m_bSelKnown && m_nSelVersion == GetVersion();
    if (known) {
        if (m_nSelIndex >= 0 && m_nSelIndex < GetSize() &&
            m_Lines.Slot(m_nSelIndex).pLine->m_bSelected) {
            OwnLine(m_nSelIndex)->m_bSelected = 0;
            DrawLine(pDC, m_nSelIndex);
        }
    } else {
        std::vector<int> lit;
        m_Lines.ForEach(0, GetSize(), [&](int i, const CLineSlot& s) {
            if (s.pLine->m_bSelected)
                lit.push_back(i);
            return true;
        });
        for (int i : lit) {
            OwnLine(i)->m_bSelected = 0;
            DrawLine(pDC, i);
        }
    }
    m_nSelIndex = -1;
    m_nSelVersion = GetVersion();
    m_bSelKnown = true;
}

void CSheetFile::RememberSelectedLine(int index) {
    m_nSelIndex = index;
    m_nSelVersion = GetVersion();
    m_bSelKnown = true;
}

BOOL CSheetFile::MoveUp(int n) {
    if (GetSize() == 0)
        return FALSE;
    if (m_bOpenOnly)
        return MoveShown(-std::int64_t(n));
    m_nCurLine = static_cast<int>(std::max<std::int64_t>(std::int64_t(m_nCurLine) - n, 0));
    if (m_nCurLine >= m_nTopLine)
        return FALSE;
    m_nTopLine = static_cast<int>(std::max<std::int64_t>(std::int64_t(m_nTopLine) - n, 0));
    Layout();
    return TRUE;
}

BOOL CSheetFile::MoveDown(int n) {
    if (GetSize() == 0)
        return FALSE;
    if (m_bOpenOnly)
        return MoveShown(n);
    m_nCurLine =
        static_cast<int>(std::min<std::int64_t>(std::int64_t(m_nCurLine) + n, GetSize() - 1));
    // Compared as unsigned numbers: a row above the first visible one counts
    // as not visible. Wrapped to 32 bits as the platform computes it.
    const unsigned offset = static_cast<unsigned>(m_nColumnHeight) +
                            WrapMul(std::int64_t(m_nCurLine) - m_nTopLine, m_nLineHeight);
    const unsigned limit = static_cast<unsigned>(std::int64_t(m_rcGrid.bottom) - m_nHScrollHeight);
    if (offset < limit)
        return FALSE;
    m_nTopLine =
        static_cast<int>(std::min<std::int64_t>(GetSize() - 1, std::int64_t(m_nTopLine) + n));
    Layout();
    return TRUE;
}

BOOL CSheetFile::MoveShown(std::int64_t n) {
    // As MoveUp and MoveDown, counting places among the shown rows. The row
    // left stays shown until the view settles the move.
    const int count = ShownCount();
    if (count == 0)
        return FALSE;
    const int cur = m_nCurLine >= 0 && m_nCurLine < GetSize() ? ShownPos(m_nCurLine) : -1;
    const int to = static_cast<int>(std::clamp<std::int64_t>(cur + n, 0, count - 1));
    m_nCurLine = ShownAt(to);
    const int pos = ShownPos(m_nCurLine), top = TopPos();
    if (n < 0) {
        if (pos >= top)
            return FALSE;
        SetTopPos(static_cast<int>(std::max<std::int64_t>(std::int64_t(top) + n, 0)));
        return TRUE;
    }
    const unsigned offset =
        static_cast<unsigned>(m_nColumnHeight) + WrapMul(std::int64_t(pos) - top, m_nLineHeight);
    const unsigned limit = static_cast<unsigned>(std::int64_t(m_rcGrid.bottom) - m_nHScrollHeight);
    if (offset < limit)
        return FALSE;
    SetTopPos(static_cast<int>(std::min<std::int64_t>(ShownCount() - 1, std::int64_t(top) + n)));
    return TRUE;
}

BOOL CSheetFile::MoveRight() {
    const int nc = m_Columns.GetSize();
    if (nc == 0 || m_nCurColumn == nc - 1)
        return FALSE;
    m_nCurColumn += 1;
    const unsigned x = static_cast<unsigned>(m_nLineNameWidthPx) +
                       WrapMul(std::int64_t(m_nCurColumn) + 1, m_nColumnWidthPx);
    const unsigned limit = static_cast<unsigned>(std::int64_t(m_rcGrid.right) - m_nVScrollWidth);
    if (x < limit)
        return FALSE;
    if (m_nLeftColumn < INT_MAX) // a position read from a file may be the largest int
        m_nLeftColumn += 1;
    Layout();
    return TRUE;
}

BOOL CSheetFile::MoveLeft() {
    if (m_Columns.GetSize() == 0 || m_nCurColumn <= 0)
        return FALSE;
    m_nCurColumn -= 1;
    if (m_nCurColumn >= m_nLeftColumn)
        return FALSE;
    m_nLeftColumn -= 1;
    Layout();
    return TRUE;
}

void CSheetFile::SetTopLine(int n) {
    m_nTopLine = n;
    Layout();
}

void CSheetFile::SetLeftColumn(int n) {
    m_nLeftColumn = n;
    Layout();
}

const CDataItem* CSheetFile::HitTest(int x, int y, CDC* pDC) {
    const int n = GetSize();
    const int start = std::max(m_nTopLine, 0);
    // Tries row i; true when the search ends there.
    const CDataItem* hit = nullptr;
    auto tryRow = [&](int i) {
        const CLineData* line = Placed(i);
        const int item = line->ItemFromPoint(x, y);
        if (item >= 0) {
            SetCur(item, i, pDC);
            // Read after SetCur: the highlight may have given the row a copy.
            hit = GetAt(i)->GetAt(item);
            return true;
        }
        if (line->HitTest(x, y)) {
            SetCur(-1, i, pDC);
            return true;
        }
        return false;
    };
    // In the laid-out range rows are one height apart, so only the row whose
    // span holds y can be hit there; the rows outside it are tried in turn.
    const int lineH = m_nLaidId ? m_Laid.nLineHeight : 0;
    if (m_bOpenOnly) {
        if (const int row = ShownRowAt(y); row >= 0 && tryRow(row))
            return hit;
        return HitHeader(x, pDC);
    }
    const int rangeFrom = std::max(start, m_nLaidFirst);
    const int rangeTo = m_nLaidId ? std::min(m_nLaidEnd, n) : rangeFrom;
    for (int i = start; i < std::min(n, rangeFrom); ++i)
        if (!InRange(i) && tryRow(i))
            return hit;
    if (rangeFrom < rangeTo) {
        if (lineH > 0) {
            if (y >= m_nLaidTop) {
                const std::int64_t c = m_nLaidFirst + (std::int64_t(y) - m_nLaidTop) / lineH;
                if (c >= rangeFrom && c < rangeTo && tryRow(static_cast<int>(c)))
                    return hit;
            }
        } else {
            for (int i = rangeFrom; i < rangeTo; ++i)
                if (tryRow(i))
                    return hit;
        }
    }
    for (int i = std::max(start, rangeTo); i < n; ++i)
        if (tryRow(i))
            return hit;
    return HitHeader(x, pDC);
}

const CDataItem* CSheetFile::HitHeader(int x, CDC* pDC) {
    const int nc = m_Columns.GetSize();
    for (int j = std::max(m_nLeftColumn, 0); j < nc; ++j) {
        if (m_Columns[j]->HorzHitTest(x)) {
            SetCur(j, -1, pDC);
            return nullptr;
        }
    }
    return nullptr;
}

int CSheetFile::ShownRowAt(int y) const {
    if (!m_bOpenOnly || m_nLaidId == 0)
        return -1;
    const int lineH = m_Laid.nLineHeight;
    if (lineH <= 0 || y < m_nLaidTop)
        return -1;
    const std::int64_t pos = TopPos() + (std::int64_t(y) - m_nLaidTop) / lineH;
    return pos < ShownCount() ? ShownAt(static_cast<int>(pos)) : -1;
}

int CSheetFile::ColumnFromPoint(int x, int y) const {
    const int nc = m_Columns.GetSize();
    for (int j = 0; j < nc; ++j)
        if (m_Columns[j]->HitTest(x, y))
            return j;
    return -1;
}

int CSheetFile::LineFromPoint(int x, int y) const {
    const int n = GetSize();
    const int nameWidth = ClampPixelSize(m_nLineNameWidthPx);
    auto hits = [&](int i) {
        CRect rc = RowRect(i);
        rc.right = ClampCoord(std::int64_t(rc.left) + nameWidth);
        return rc.PtInRect(CPoint(x, y));
    };
    if (m_bOpenOnly) {
        const int row = ShownRowAt(y);
        return row >= 0 && hits(row) ? row : -1;
    }
    const int lineH = m_nLaidId ? m_Laid.nLineHeight : 0;
    const int rangeTo = m_nLaidId ? std::min(m_nLaidEnd, n) : 0;
    const int rangeFrom = m_nLaidId ? std::min(m_nLaidFirst, rangeTo) : 0;
    for (int i = 0; i < rangeFrom; ++i)
        if (hits(i))
            return i;
    if (lineH > 0) {
        if (y >= m_nLaidTop) {
            const std::int64_t c = m_nLaidFirst + (std::int64_t(y) - m_nLaidTop) / lineH;
            if (c >= rangeFrom && c < rangeTo && hits(static_cast<int>(c)))
                return static_cast<int>(c);
        }
    } else {
        for (int i = rangeFrom; i < rangeTo; ++i)
            if (hits(i))
                return i;
    }
    for (int i = rangeTo; i < n; ++i)
        if (hits(i))
            return i;
    return -1;
}

CSize CSheetFile::GetExtent() const {
    if (GetSize() == 0)
        return CSize(0, 0);
    auto clampInt = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return CSize(clampInt(std::int64_t(m_Lines.Slot(0).pLine->GetSize()) * m_nColumnWidthPx +
                          m_nLineNameWidthPx + 1),
                 clampInt(std::int64_t(ShownCount()) * m_nLineHeight + m_nColumnHeight + 1));
}

void CSheetFile::Draw(CDC* pDC) const {
    const CDisplaySettings& look = Look();
    const CRect& g = m_rcGrid;
    const int n = ShownCount();
    for (int pos = std::max(TopPos(), 0); pos < n; ++pos) {
        const CLineData* line = GetAt(ShownAt(pos));
        if (line->m_rect.top > g.bottom)
            break;
        // Rows outside the area being painted cost nothing.
        if (pDC->RectVisible(CRect(line->m_rect.left, line->m_rect.top, line->m_rect.right,
                                   ClampCoord(std::int64_t(line->m_rect.bottom) + 1))))
            line->Draw(pDC, look, m_nLineNameWidthPx, m_nLeftColumn, g.right, m_nCurColumn);
    }
    const int nameRight = ClampCoord(std::int64_t(g.left) + ClampPixelSize(m_nLineNameWidthPx));
    const int headBottom = ClampCoord(std::int64_t(g.top) + ClampPixelSize(m_nColumnHeight));
    const CPen* old = pDC->SelectObject(&look.m_penWaku);
    pDC->MoveTo(nameRight, g.top);
    pDC->LineTo(nameRight, g.bottom);
    pDC->MoveTo(g.left, headBottom);
    pDC->LineTo(g.right, headBottom);
    const int nc = m_Columns.GetSize();
    for (int j = std::max(m_nLeftColumn, 0); j < nc; ++j) {
        const CColumnData* c = m_Columns[j];
        if (c->m_rect.left > g.right)
            break;
        if (pDC->RectVisible(c->m_rect))
            c->Draw(pDC, look);
        pDC->MoveTo(c->m_rect.right, g.top);
        pDC->LineTo(c->m_rect.right, g.bottom);
    }
    pDC->SelectObject(old);
}

void CSheetFile::DrawLine(CDC* pDC, int index) const {
    const CLineData* line = GetAt(index);
    line->Draw(pDC, Look(), m_nLineNameWidthPx, m_nLeftColumn, m_rcGrid.right, m_nCurColumn);
    const CPen* old = pDC->SelectObject(&Look().m_penWaku);
    line->DrawGrid(pDC, m_nLineNameWidthPx, m_nLeftColumn, m_rcGrid.right);
    pDC->SelectObject(old);
}

void CSheetFile::DrawCurLine(CDC* pDC) const {
    if (GetCurLine())
        DrawLine(pDC, m_nCurLine);
}

void CSheetFile::ClearSelection(CDC* pDC) {
    UnselectLines(pDC);
    UnselectColumns(pDC);
}

void CSheetFile::DrawSelection(CDC* pDC) {
    ClearSelection(pDC);
    if (m_nCurLine >= 0 && m_nCurLine < GetSize()) {
        OwnLine(m_nCurLine)->Select();
        RememberSelectedLine(m_nCurLine);
        DrawLine(pDC, m_nCurLine);
    }
    if (GetCurColumn())
        SelectColumn(m_nCurColumn, pDC);
}
