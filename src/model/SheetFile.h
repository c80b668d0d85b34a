#pragma once
// The whole content of a document: the rows (element i is row i), the
// columns, the sheet's own view state (scroll position, cursor, grid
// rectangle, pixel heights) and its per-sheet settings. Copies are deep.
#include <cstdint>
#include <string>
#include <vector>

#include "fw/Archive.h"
#include "fw/DC.h"
#include "fw/Geometry.h"
#include "fw/Object.h"
#include "fw/TypedPtrArray.h"
#include "model/CheckItem.h"
#include "model/ColumnData.h"
#include "model/LineData.h"

class CTextFile;

class CSheetFile : public CObject, public CTypedPtrArray<CLineData> {
    DECLARE_SERIAL(CSheetFile)
public:
    CSheetFile(); // reads the row height factor from the profile
    CSheetFile(const CSheetFile&) = delete;
    CSheetFile& operator=(const CSheetFile&) = delete;

    void Clear();
    void Copy(const CSheetFile& src);
    void Serialize(CArchive& ar) override;

    void CalcMetrics(CDC* pDC);
    void Layout();
    void Layout(int l, int t, int r, int b);
    static CDataItem* CreateItem(int type);

    // Rows.
    void AddLine(LPCTSTR name);
    void AddLine(const std::string& name) { AddLine(name.c_str()); }
    void AddLine(CLineData* pLine);
    void InsertLine(CLineData* pLine);
    void InsertLine(int index, CLineData* pLine);
    void DeleteLine();
    void DeleteLine(int index);
    void MoveLine(int a, int b);

    // Columns.
    void AddColumn(LPCTSTR name, int type);
    void AddColumn(const std::string& name, int type) { AddColumn(name.c_str(), type); }
    void AddColumn(CColumnData* pColumn, int type);
    void InsertColumn(CColumnData* pColumn, int type);
    void InsertColumn(int index, CColumnData* pColumn, int type);
    void DeleteColumn();
    void DeleteColumn(int index);
    void MoveColumn(int a, int b);

    // Checks.
    void SetAllCheck(BOOL b);
    void SetLineCheck(BOOL b);
    void SetColumnCheck(BOOL b);
    void ToggleCur(CDC* pDC);

    // Cursor, scrolling and hit tests.
    CLineData* GetCurLine() const;
    CColumnData* GetCurColumn() const;
    void SetCur(int column, int line, CDC* pDC);
    BOOL MoveUp(int n);
    BOOL MoveDown(int n);
    BOOL MoveLeft();
    BOOL MoveRight();
    void SetTopLine(int n);
    void SetLeftColumn(int n);
    CDataItem* HitTest(int x, int y, CDC* pDC);
    int ColumnFromPoint(int x, int y) const;
    int LineFromPoint(int x, int y) const;
    CSize GetExtent() const;

    // Drawing.
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
    static void SplitString(const std::string& text, const std::string& separator, std::vector<std::string>& array);
    std::string HtmlMarkText(BOOL bCheck) const;
    std::string MakeHtmlTable() const;
    std::string MakeHtmlPage() const;
    BOOL ExportHtml(BOOL bToFile) const; // the page goes to m_strHtmlFile
    BOOL ExportHtmlFile(const std::string& path) const;
    BOOL ExportHtmlFile(CTextFile& file) const; // on an open file, which it closes

    // The platform's scroll bar thickness, which the cursor moves keep clear
    // of (the view sets it from its style; 16 until then).
    static int s_nHScrollHeight; // SM_CYHSCROLL
    static int s_nVScrollWidth;  // SM_CXVSCROLL

    std::string m_strTitle;
    CTypedPtrArray<CColumnData> m_Columns;
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
    void RememberSelectedLine(int index);

    const CLineData* m_pSelLine = nullptr;
    int m_nSelIndex = -1;
    std::uint64_t m_nSelVersion = 0;
    bool m_bSelKnown = false;
};
