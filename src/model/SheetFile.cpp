#include "model/SheetFile.h"

#include "model/DisplaySettings.h"
#include "model/Settings.h"

#include <algorithm>

IMPLEMENT_SERIAL(CSheetFile, nullptr, 1)

int CSheetFile::s_nHScrollHeight = 16;
int CSheetFile::s_nVScrollWidth = 16;

CSheetFile::CSheetFile() : m_dLineHeightRate(ReadLineHeightRate()) {}

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

void CSheetFile::Copy(const CSheetFile& src) {
    if (&src == this)
        return;
    Clear();
    Reserve(static_cast<std::size_t>(src.GetSize()));
    for (CLineData* p : src)
        Add(new CLineData(*p));
    m_Columns.Reserve(static_cast<std::size_t>(src.m_Columns.GetSize()));
    for (CColumnData* p : src.m_Columns)
        m_Columns.Add(new CColumnData(*p));
    m_strTitle = src.m_strTitle;
    m_nColumnHeight = src.m_nColumnHeight;
    m_nLineHeight = src.m_nLineHeight;
    m_nTopLine = src.m_nTopLine;
    m_nLeftColumn = src.m_nLeftColumn;
    m_rcGrid = src.m_rcGrid;
    m_nCurColumn = src.m_nCurColumn;
    m_nCurLine = src.m_nCurLine;
    m_nLineNameWidth = src.m_nLineNameWidth;
    m_nColumnWidth = src.m_nColumnWidth;
    m_dLineHeightRate = src.m_dLineHeightRate;
    m_nCsvMark = src.m_nCsvMark;
    m_nHtmlMark = src.m_nHtmlMark;
    m_strHtmlCss = src.m_strHtmlCss;
    m_strHtmlFile = src.m_strHtmlFile;
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
        for (CColumnData* p : m_Columns)
            ar.WriteObject(p);
        ar.WriteCount(static_cast<std::size_t>(GetSize()));
        for (CLineData* p : *this)
            ar.WriteObject(p);
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
    m_Columns.Reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        m_Columns.Add(static_cast<CColumnData*>(ar.ReadObject(RUNTIME_CLASS(CColumnData))));
    n = ar.ReadCount();
    Reserve(n);
    const int nColumns = m_Columns.GetSize();
    for (std::size_t i = 0; i < n; ++i) {
        CLineData* p = static_cast<CLineData*>(ar.ReadObject(RUNTIME_CLASS(CLineData)));
        Add(p);
        // Every row must hold one cell per column.
        if (p->GetSize() != nColumns)
            CArchive::ThrowBadFormat();
    }
}

void CSheetFile::CalcMetrics(CDC* pDC) {
    TEXTMETRIC tm;
    const CFont* old = pDC->SelectObject(&g_Display.m_fontColumn);
    pDC->GetTextMetrics(&tm);
    m_nColumnHeight = static_cast<int>(tm.tmHeight * m_dLineHeightRate);
    g_nColumnWidthPx = m_nColumnWidth * tm.tmAveCharWidth;
    pDC->SelectObject(&g_Display.m_fontLine);
    pDC->GetTextMetrics(&tm);
    m_nLineHeight = static_cast<int>(tm.tmHeight * m_dLineHeightRate);
    g_nLineNameWidthPx = m_nLineNameWidth * tm.tmAveCharWidth;
    pDC->SelectObject(old);
    Layout();
}

void CSheetFile::Layout(int l, int t, int r, int b) {
    m_rcGrid.SetRect(l, t, r, b);
    Layout();
}

void CSheetFile::Layout() {
    const CRect& g = m_rcGrid;
    int y = g.top + m_nColumnHeight;
    const int n = GetSize();
    for (int i = std::max(m_nTopLine, 0); i < n; ++i) {
        GetAt(i)->SetRect(g.left, y, g.right, y + m_nLineHeight, m_nLeftColumn);
        y += m_nLineHeight;
    }
    int x = g.left + g_nLineNameWidthPx;
    const int nc = m_Columns.GetSize();
    for (int j = 0; j < nc; ++j) {
        if (j < m_nLeftColumn) {
            m_Columns[j]->SetRect(0, 0, 0, 0);
        } else {
            m_Columns[j]->SetRect(x, g.top, x + g_nColumnWidthPx, g.top + m_nColumnHeight);
            x += g_nColumnWidthPx;
        }
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
    Add(new CLineData(name, m_Columns.GetSize()));
    Layout();
}

void CSheetFile::AddLine(CLineData* pLine) {
    Add(pLine);
    Layout();
}

void CSheetFile::InsertLine(CLineData* pLine) { InsertLine(m_nCurLine, pLine); }

void CSheetFile::InsertLine(int index, CLineData* pLine) {
    InsertAt(index, pLine);
    Layout();
}

void CSheetFile::DeleteLine() { DeleteLine(m_nCurLine); }

void CSheetFile::DeleteLine(int index) {
    RemoveAt(index);
    m_nCurLine = std::min(m_nCurLine, GetSize() - 1);
    Layout();
}

void CSheetFile::MoveLine(int a, int b) {
    Swap(a, b);
    if (m_nCurLine == a)
        m_nCurLine = b;
    else if (m_nCurLine == b)
        m_nCurLine = a;
    Layout();
}

void CSheetFile::AddColumn(LPCTSTR name, int type) { AddColumn(new CColumnData(name), type); }

void CSheetFile::AddColumn(CColumnData* pColumn, int type) {
    m_Columns.Add(pColumn);
    for (CLineData* p : *this)
        p->Add(CreateItem(type));
    Layout();
}

void CSheetFile::InsertColumn(CColumnData* pColumn, int type) {
    InsertColumn(m_nCurColumn, pColumn, type);
}

void CSheetFile::InsertColumn(int index, CColumnData* pColumn, int type) {
    m_Columns.InsertAt(index, pColumn);
    for (CLineData* p : *this)
        p->InsertAt(index, CreateItem(type));
    Layout();
}

void CSheetFile::DeleteColumn() { DeleteColumn(m_nCurColumn); }

void CSheetFile::DeleteColumn(int index) {
    m_Columns.RemoveAt(index);
    for (CLineData* p : *this)
        p->RemoveAt(index);
    m_nCurColumn = std::min(m_nCurColumn, m_Columns.GetSize() - 1);
    Layout();
}

void CSheetFile::MoveColumn(int a, int b) {
    m_Columns.Swap(a, b);
    for (CLineData* p : *this)
        p->Swap(a, b);
    if (m_nCurColumn == a)
        m_nCurColumn = b;
    else if (m_nCurColumn == b)
        m_nCurColumn = a;
    Layout();
}

namespace {
void SetCheck(CDataItem* p, BOOL b) {
    if (CCheckItem* c = AsCheckItem(p))
        c->m_bCheck = b;
}
} // namespace

void CSheetFile::SetAllCheck(BOOL b) {
    for (CLineData* line : *this)
        for (CDataItem* p : *line)
            SetCheck(p, b);
}

void CSheetFile::SetLineCheck(BOOL b) {
    if (CLineData* line = GetCurLine())
        for (CDataItem* p : *line)
            SetCheck(p, b);
}

void CSheetFile::SetColumnCheck(BOOL b) {
    if (m_nCurColumn < 0)
        return;
    for (CLineData* line : *this)
        if (m_nCurColumn < line->GetSize())
            SetCheck(line->GetAt(m_nCurColumn), b);
}

void CSheetFile::ToggleCur(CDC* pDC) {
    CLineData* line = GetCurLine();
    if (!line || m_nCurColumn < 0 || m_nCurColumn >= line->GetSize())
        return;
    CDataItem* p = line->GetAt(m_nCurColumn);
    p->Toggle();
    if (pDC)
        p->Draw(pDC);
}

CLineData* CSheetFile::GetCurLine() const {
    return m_nCurLine >= 0 && m_nCurLine < GetSize() ? GetAt(m_nCurLine) : nullptr;
}

CColumnData* CSheetFile::GetCurColumn() const {
    return m_nCurColumn >= 0 && m_nCurColumn < m_Columns.GetSize() ? m_Columns[m_nCurColumn]
                                                                  : nullptr;
}

void CSheetFile::SetCur(int column, int line, CDC* pDC) {
    if (column != -1 && column != m_nCurColumn) {
        for (CColumnData* c : m_Columns)
            if (c->m_bSelected) {
                c->m_bSelected = 0;
                c->Draw(pDC);
            }
        m_nCurColumn = column;
        m_Columns[column]->Select(pDC);
        if ((line == -1 || line == m_nCurLine) && GetCurLine())
            DrawCurLine(pDC);
    }
    if (line != -1 && line != m_nCurLine) {
        UnselectLines(pDC);
        m_nCurLine = line;
        GetAt(line)->Select();
        RememberSelectedLine(line);
        DrawLine(pDC, line);
    }
}

void CSheetFile::UnselectLines(CDC* pDC) {
    const bool known = m_bSelKnown && m_nSelVersion == GetVersion();
    if (known) {
        if (m_pSelLine && m_pSelLine->m_bSelected) {
            GetAt(m_nSelIndex)->m_bSelected = 0;
            DrawLine(pDC, m_nSelIndex);
        }
    } else {
        const int n = GetSize();
        for (int i = 0; i < n; ++i)
            if (GetAt(i)->m_bSelected) {
                GetAt(i)->m_bSelected = 0;
                DrawLine(pDC, i);
            }
    }
    m_pSelLine = nullptr;
    m_nSelIndex = -1;
    m_nSelVersion = GetVersion();
    m_bSelKnown = true;
}

void CSheetFile::RememberSelectedLine(int index) {
    m_pSelLine = GetAt(index);
    m_nSelIndex = index;
    m_nSelVersion = GetVersion();
    m_bSelKnown = true;
}

BOOL CSheetFile::MoveUp(int n) {
    if (GetSize() == 0)
        return FALSE;
    m_nCurLine = std::max(m_nCurLine - n, 0);
    if (m_nCurLine >= m_nTopLine)
        return FALSE;
    m_nTopLine = std::max(m_nTopLine - n, 0);
    Layout();
    return TRUE;
}

BOOL CSheetFile::MoveDown(int n) {
    if (GetSize() == 0)
        return FALSE;
    m_nCurLine = std::min(m_nCurLine + n, GetSize() - 1);
    // Compared as unsigned numbers: a row above the first visible one counts as not visible.
    const unsigned offset =
        static_cast<unsigned>(m_nColumnHeight + (m_nCurLine - m_nTopLine) * m_nLineHeight);
    const unsigned limit = static_cast<unsigned>(m_rcGrid.bottom - s_nHScrollHeight);
    if (offset < limit)
        return FALSE;
    m_nTopLine = std::min(GetSize() - 1, m_nTopLine + n);
    Layout();
    return TRUE;
}

BOOL CSheetFile::MoveRight() {
    const int nc = m_Columns.GetSize();
    if (nc == 0 || m_nCurColumn == nc - 1)
        return FALSE;
    m_nCurColumn += 1;
    const unsigned x = static_cast<unsigned>(g_nLineNameWidthPx + (m_nCurColumn + 1) * g_nColumnWidthPx);
    const unsigned limit = static_cast<unsigned>(m_rcGrid.right - s_nVScrollWidth);
    if (x < limit)
        return FALSE;
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

CDataItem* CSheetFile::HitTest(int x, int y, CDC* pDC) {
    const int n = GetSize();
    for (int i = std::max(m_nTopLine, 0); i < n; ++i) {
        CLineData* line = GetAt(i);
        const int item = line->ItemFromPoint(x, y);
        if (item >= 0) {
            SetCur(item, i, pDC);
            return line->GetAt(item);
        }
        if (line->HitTest(x, y)) {
            SetCur(-1, i, pDC);
            return nullptr;
        }
    }
    const int nc = m_Columns.GetSize();
    for (int j = std::max(m_nLeftColumn, 0); j < nc; ++j) {
        if (m_Columns[j]->HorzHitTest(x)) {
            SetCur(j, -1, pDC);
            return nullptr;
        }
    }
    return nullptr;
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
    for (int i = 0; i < n; ++i)
        if (GetAt(i)->NameHitTest(x, y))
            return i;
    return -1;
}

CSize CSheetFile::GetExtent() const {
    if (GetSize() == 0)
        return CSize(0, 0);
    return CSize(GetAt(0)->GetSize() * g_nColumnWidthPx + g_nLineNameWidthPx + 1,
                 GetSize() * m_nLineHeight + m_nColumnHeight + 1);
}

void CSheetFile::Draw(CDC* pDC) const {
    const CRect& g = m_rcGrid;
    const int n = GetSize();
    for (int i = std::max(m_nTopLine, 0); i < n; ++i) {
        const CLineData* line = GetAt(i);
        if (line->m_rect.top > g.bottom)
            break;
        // Rows outside the area being painted cost nothing.
        if (pDC->RectVisible(CRect(line->m_rect.left, line->m_rect.top, line->m_rect.right,
                                   line->m_rect.bottom + 1)))
            line->Draw(pDC, m_nLeftColumn, g.right, m_nCurColumn);
    }
    const CPen* old = pDC->SelectObject(&g_Display.m_penWaku);
    pDC->MoveTo(g.left + g_nLineNameWidthPx, g.top);
    pDC->LineTo(g.left + g_nLineNameWidthPx, g.bottom);
    pDC->MoveTo(g.left, g.top + m_nColumnHeight);
    pDC->LineTo(g.right, g.top + m_nColumnHeight);
    const int nc = m_Columns.GetSize();
    for (int j = std::max(m_nLeftColumn, 0); j < nc; ++j) {
        const CColumnData* c = m_Columns[j];
        if (c->m_rect.left > g.right)
            break;
        if (pDC->RectVisible(c->m_rect))
            c->Draw(pDC);
        pDC->MoveTo(c->m_rect.right, g.top);
        pDC->LineTo(c->m_rect.right, g.bottom);
    }
    pDC->SelectObject(old);
}

void CSheetFile::DrawLine(CDC* pDC, int index) const {
    const CLineData* line = GetAt(index);
    line->Draw(pDC, m_nLeftColumn, m_rcGrid.right, m_nCurColumn);
    const CPen* old = pDC->SelectObject(&g_Display.m_penWaku);
    line->DrawGrid(pDC, m_nLeftColumn, m_rcGrid.right);
    pDC->SelectObject(old);
}

void CSheetFile::DrawCurLine(CDC* pDC) const {
    if (GetCurLine())
        DrawLine(pDC, m_nCurLine);
}

void CSheetFile::ClearSelection(CDC* pDC) {
    UnselectLines(pDC);
    for (CColumnData* c : m_Columns)
        if (c->m_bSelected) {
            c->m_bSelected = 0;
            c->Draw(pDC);
        }
}

void CSheetFile::DrawSelection(CDC* pDC) {
    ClearSelection(pDC);
    if (CLineData* line = GetCurLine()) {
        line->Select();
        RememberSelectedLine(m_nCurLine);
        DrawLine(pDC, m_nCurLine);
    }
    if (CColumnData* c = GetCurColumn())
        c->Select(pDC);
}
