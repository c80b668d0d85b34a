#include "view/SheetCommands.h"

#include <QWidget>

#include "app/TavrelDoc.h"
#include "dialogs/ColumnEditDlg.h"
#include "dialogs/LineEditDlg.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "view/ViewHost.h"

namespace {

const char kNoPosition[] = "挿入位置を指定してください";

struct CheckCommand {
    UINT id;
    const char* question;
    int what; // 0 sheet, 1 current row, 2 current column
    bool bCheck;
};

const CheckCommand kCheckCommands[] = {
    {CSheetCommands::kAllCheck, "全てにチェックをします。よろしいですか？", 0, true},
    {CSheetCommands::kAllUncheck, "全てのチェックを消去します。よろしいですか？", 0, false},
    {CSheetCommands::kLineCheck, "この行全てにチェックをします。よろしいですか？", 1, true},
    {CSheetCommands::kLineUncheck, "この行全てのチェックを消去します。よろしいですか？", 1, false},
    {CSheetCommands::kColumnCheck, "この列全てにチェックをします。よろしいですか？", 2, true},
    {CSheetCommands::kColumnUncheck, "この列全てのチェックを消去します。よろしいですか？", 2,
     false},
};

} // namespace

CTavrelDoc* CSheetCommands::Doc() const {
    return m_pHost->GetDocument();
}
CSheetFile& CSheetCommands::Sheet() const {
    return Doc()->m_Sheet;
}

QWidget* CSheetCommands::Owner() const {
    QWidget* w = m_pHost->Widget();
    return w ? w->window() : nullptr;
}

bool CSheetCommands::Handles(UINT id) {
    switch (id) {
    case kLineAdd:
    case kLineInsert:
    case kLineEdit:
    case kLineDelete:
    case kLineUp:
    case kLineDown:
    case kLineCheck:
    case kLineUncheck:
    case kColumnAdd:
    case kColumnInsert:
    case kColumnEdit:
    case kColumnDelete:
    case kColumnLeft:
    case kColumnRight:
    case kColumnCheck:
    case kColumnUncheck:
    case kAllCheck:
    case kAllUncheck:
        return true;
    default:
        return false;
    }
}

bool CSheetCommands::IsEnabled(UINT id) const {
    const CSheetFile& sheet = Sheet();
    const bool hasLine = sheet.GetCurLine() != nullptr;
    const bool hasColumn = sheet.GetCurColumn() != nullptr;
    switch (id) {
    case kLineAdd:
    case kColumnAdd:
    case kAllCheck:
    case kAllUncheck:
        return true;
    case kLineInsert:
    case kLineEdit:
    case kLineDelete:
    case kLineCheck:
    case kLineUncheck:
        return hasLine;
    case kLineUp:
        return hasLine && sheet.m_nCurLine > 0;
    case kLineDown:
        return hasLine && sheet.m_nCurLine < sheet.GetSize() - 1;
    case kColumnInsert:
    case kColumnEdit:
    case kColumnDelete:
    case kColumnCheck:
    case kColumnUncheck:
        return hasColumn;
    case kColumnLeft:
        return hasColumn && sheet.m_nCurColumn > 0;
    case kColumnRight:
        return hasColumn && sheet.m_nCurColumn < sheet.m_Columns.GetSize() - 1;
    default:
        return false;
    }
}

bool CSheetCommands::OnUpdateCmdUI(CCmdUI& cmdUI) {
    if (!Handles(cmdUI.m_nID))
        return false;
    cmdUI.Enable(IsEnabled(cmdUI.m_nID));
    return true;
}

bool CSheetCommands::OnCmdMsg(UINT id) {
    if (!Handles(id))
        return false;
    if (!IsEnabled(id))
        return true;
    switch (id) {
    case kLineAdd:
        OnLineAdd();
        break;
    case kLineInsert:
        OnLineInsert();
        break;
    case kLineEdit:
        OnLineEdit();
        break;
    case kLineDelete:
        OnLineDelete();
        break;
    case kLineUp:
        OnLineMove(-1);
        break;
    case kLineDown:
        OnLineMove(+1);
        break;
    case kColumnAdd:
        OnColumnAdd();
        break;
    case kColumnInsert:
        OnColumnInsert();
        break;
    case kColumnEdit:
        OnColumnEdit();
        break;
    case kColumnDelete:
        OnColumnDelete();
        break;
    case kColumnLeft:
        OnColumnMove(-1);
        break;
    case kColumnRight:
        OnColumnMove(+1);
        break;
    default:
        for (const CheckCommand& c : kCheckCommands) {
            if (c.id == id)
                OnCheck(c.question, c.what, c.bCheck);
        }
        break;
    }
    return true;
}

void CSheetCommands::Changed(bool bCountsChanged) {
    Doc()->SetModifiedFlag(true);
    if (bCountsChanged)
        m_pHost->UpdateScrollRanges();
}

// Rows.

namespace {
template <class Dlg, class Item> void ToDialog(Dlg& dlg, const Item& item) {
    dlg.m_strName = item.m_strName;
    dlg.m_strDetail = item.m_strDetail;
    dlg.m_strLinkFile = item.m_strLinkFile;
}
template <class Dlg, class Item> void FromDialog(const Dlg& dlg, Item& item) {
    item.m_strName = dlg.m_strName;
    item.m_strDetail = dlg.m_strDetail;
    item.m_strLinkFile = dlg.m_strLinkFile;
}

CLineData* NewLine(const CLineEditDlg& dlg, const CSheetFile& sheet) {
    auto* pLine = new CLineData(dlg.m_strName, sheet.m_Columns.GetSize());
    FromDialog(dlg, *pLine);
    return pLine;
}

CColumnData* NewColumn(const CColumnEditDlg& dlg) {
    auto* pColumn = new CColumnData(dlg.m_strName);
    FromDialog(dlg, *pColumn);
    return pColumn;
}
} // namespace

void CSheetCommands::OnLineAdd() {
    CLineEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    Doc()->SaveUndo();
    CSheetFile& sheet = Sheet();
    sheet.AddLine(NewLine(dlg, sheet));
    Changed(true);
    // The new row becomes current and highlighted; the grid does not scroll to it.
    sheet.m_nCurLine = sheet.GetSize() - 1;
    m_pHost->RedrawSelection();
    Doc()->UpdateAllViews();
}

void CSheetCommands::OnLineInsert() {
    if (Sheet().GetCurLine() == nullptr) {
        AfxGetUserInterface().MessageBox(kNoPosition, MB_OK);
        return;
    }
    CLineEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    Doc()->SaveUndo();
    CSheetFile& sheet = Sheet();
    // The new row takes the current index, so it is the current row now.
    sheet.InsertLine(NewLine(dlg, sheet));
    Changed(true);
    m_pHost->RedrawSelection();
    Doc()->UpdateAllViews();
}

void CSheetCommands::OnLineEdit() {
    CLineData* pLine = Sheet().GetCurLine();
    if (pLine == nullptr)
        return;
    CLineEditDlg dlg(Owner());
    ToDialog(dlg, *pLine);
    if (dlg.DoModal() != IDOK)
        return;
    Doc()->SaveUndo();
    FromDialog(dlg, *pLine);
    Changed(false);
    Doc()->UpdateAllViews();
}

void CSheetCommands::OnLineDelete() {
    CLineData* pLine = Sheet().GetCurLine();
    if (pLine == nullptr)
        return;
    if (AfxGetUserInterface().MessageBox(cp932::ToUtf8(pLine->m_strName) + "の行を削除しますか？",
                                         MB_OKCANCEL) != IDOK)
        return;
    Doc()->SaveUndo();
    Sheet().DeleteLine();
    Changed(true);
    Doc()->UpdateAllViews();
    m_pHost->RedrawSelection();
}

void CSheetCommands::OnLineMove(int step) {
    CSheetFile& sheet = Sheet();
    const int from = sheet.m_nCurLine;
    const int to = from + step;
    if (sheet.GetCurLine() == nullptr || to < 0 || to >= sheet.GetSize())
        return;
    Doc()->SaveUndo();
    sheet.MoveLine(from, to);
    Changed(false);
    Doc()->UpdateAllViews();
}

// Columns.

void CSheetCommands::OnColumnAdd() {
    CColumnEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    Doc()->SaveUndo();
    CSheetFile& sheet = Sheet();
    sheet.AddColumn(NewColumn(dlg), 1);
    Changed(true);
    sheet.m_nCurColumn = sheet.m_Columns.GetSize() - 1;
    m_pHost->RedrawSelection();
    Doc()->UpdateAllViews();
}

void CSheetCommands::OnColumnInsert() {
    if (Sheet().GetCurColumn() == nullptr) {
        AfxGetUserInterface().MessageBox(kNoPosition, MB_OK);
        return;
    }
    CColumnEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    Doc()->SaveUndo();
    Sheet().InsertColumn(NewColumn(dlg), 1);
    Changed(true);
    m_pHost->RedrawSelection();
    Doc()->UpdateAllViews();
}

void CSheetCommands::OnColumnEdit() {
    CColumnData* pColumn = Sheet().GetCurColumn();
    if (pColumn == nullptr)
        return;
    CColumnEditDlg dlg(Owner());
    ToDialog(dlg, *pColumn);
    if (dlg.DoModal() != IDOK)
        return;
    Doc()->SaveUndo();
    FromDialog(dlg, *pColumn);
    Changed(false);
    Doc()->UpdateAllViews();
}

void CSheetCommands::OnColumnDelete() {
    CColumnData* pColumn = Sheet().GetCurColumn();
    if (pColumn == nullptr)
        return;
    if (AfxGetUserInterface().MessageBox(cp932::ToUtf8(pColumn->m_strName) + "の列を削除しますか？",
                                         MB_OKCANCEL) != IDOK)
        return;
    Doc()->SaveUndo();
    Sheet().DeleteColumn();
    Changed(true);
    Doc()->UpdateAllViews();
    m_pHost->RedrawSelection();
}

void CSheetCommands::OnColumnMove(int step) {
    CSheetFile& sheet = Sheet();
    const int from = sheet.m_nCurColumn;
    const int to = from + step;
    if (sheet.GetCurColumn() == nullptr || to < 0 || to >= sheet.m_Columns.GetSize())
        return;
    Doc()->SaveUndo();
    sheet.MoveColumn(from, to);
    Changed(false);
    Doc()->UpdateAllViews();
}

// Checks.

void CSheetCommands::OnCheck(const char* question, int what, bool bCheck) {
    if ((what == 1 && Sheet().GetCurLine() == nullptr) ||
        (what == 2 && Sheet().GetCurColumn() == nullptr))
        return;
    if (AfxGetUserInterface().MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // Recorded even when no cell changes.
    Doc()->SaveUndo();
    CSheetFile& sheet = Sheet();
    const BOOL b = bCheck ? TRUE : FALSE;
    if (what == 0)
        sheet.SetAllCheck(b);
    else if (what == 1)
        sheet.SetLineCheck(b);
    else
        sheet.SetColumnCheck(b);
    Changed(false);
    Doc()->UpdateAllViews();
}
