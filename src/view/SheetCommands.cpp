#include "view/SheetCommands.h"

#include <memory>
#include <span>
#include <utility>

#include <QWidget>

#include "document/SheetDocument.h"
#include "dialogs/ColumnEditDlg.h"
#include "dialogs/LineEditDlg.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "res/CommandIds.h"
#include "view/EditStep.h"
#include "view/ViewHost.h"

enum class CSheetCommands::Needs { Line, LineAbove, LineBelow, Column, ColumnLeft, ColumnRight };

namespace {

using Needs = CSheetCommands::Needs;

const char kNoPosition[] = "挿入位置を指定してください";

template <Needs needs> bool Satisfied(const CSheetFile& sheet) {
    const bool hasLine = sheet.GetCurLine() != nullptr;
    const bool hasColumn = sheet.GetCurColumn() != nullptr;
    switch (needs) {
    case Needs::Line:
        return hasLine;
    // A move past hidden neighbours would surprise: off while only open
    // rows are shown.
    case Needs::LineAbove:
        return hasLine && sheet.m_nCurLine > 0 && !sheet.IsOpenOnly();
    case Needs::LineBelow:
        return hasLine && sheet.m_nCurLine < sheet.GetSize() - 1 && !sheet.IsOpenOnly();
    case Needs::Column:
        return hasColumn;
    case Needs::ColumnLeft:
        return hasColumn && sheet.m_nCurColumn > 0;
    case Needs::ColumnRight:
        return hasColumn && sheet.m_nCurColumn < sheet.m_Columns.GetSize() - 1;
    }
    return false;
}

template <CheckScope scope, bool bCheck> void RunCheck(CSheetCommands& c) {
    static constexpr const char* kQuestions[3][2] = {
        {"全てのチェックを消去します。よろしいですか？",
         "全てにチェックをします。よろしいですか？"},
        {"この行全てのチェックを消去します。よろしいですか？",
         "この行全てにチェックをします。よろしいですか？"},
        {"この列全てのチェックを消去します。よろしいですか？",
         "この列全てにチェックをします。よろしいですか？"},
    };
    c.OnCheck(kQuestions[int(scope)][bCheck], scope, bCheck);
}

} // namespace

template <Needs needs> bool CSheetCommands::Has(CSheetCommands& c) {
    return Satisfied<needs>(c.Sheet());
}

std::span<const CSheetCommands::Command> CSheetCommands::Commands() {
    using C = CSheetCommands;
    static const Command kCommands[] = {
        {ID_LINE_ADD, [](C& c) { c.OnLineAdd(); }},
        {ID_LINE_INSERT, [](C& c) { c.OnLineInsert(); }, Has<Needs::Line>},
        {ID_LINE_EDIT, [](C& c) { c.OnLineEdit(); }, Has<Needs::Line>},
        {ID_LINE_DELETE, [](C& c) { c.OnLineDelete(); }, Has<Needs::Line>},
        {ID_LINE_UP, [](C& c) { c.OnLineMove(-1); }, Has<Needs::LineAbove>},
        {ID_LINE_DOWN, [](C& c) { c.OnLineMove(+1); }, Has<Needs::LineBelow>},
        {ID_LINE_CHECK, RunCheck<CheckScope::Line, true>, Has<Needs::Line>},
        {ID_LINE_UNCHECK, RunCheck<CheckScope::Line, false>, Has<Needs::Line>},
        {ID_COLUMN_ADD, [](C& c) { c.OnColumnAdd(); }},
        {ID_COLUMN_INSERT, [](C& c) { c.OnColumnInsert(); }, Has<Needs::Column>},
        {ID_COLUMN_EDIT, [](C& c) { c.OnColumnEdit(); }, Has<Needs::Column>},
        {ID_COLUMN_DELETE, [](C& c) { c.OnColumnDelete(); }, Has<Needs::Column>},
        {ID_COLUMN_LEFT, [](C& c) { c.OnColumnMove(-1); }, Has<Needs::ColumnLeft>},
        {ID_COLUMN_RIGHT, [](C& c) { c.OnColumnMove(+1); }, Has<Needs::ColumnRight>},
        {ID_COLUMN_CHECK, RunCheck<CheckScope::Column, true>, Has<Needs::Column>},
        {ID_COLUMN_UNCHECK, RunCheck<CheckScope::Column, false>, Has<Needs::Column>},
        {ID_EDIT_ALL_CHECK, RunCheck<CheckScope::Sheet, true>},
        {ID_EDIT_CLEAR_ALL, RunCheck<CheckScope::Sheet, false>},
    };
    return kCommands;
}

CSheetDocument* CSheetCommands::Doc() const {
    return m_pHost->GetDocument();
}
CSheetFile& CSheetCommands::Sheet() const {
    return Doc()->m_Sheet;
}

QWidget* CSheetCommands::Owner() const {
    QWidget* w = m_pHost->Widget();
    return w ? w->window() : nullptr;
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

std::unique_ptr<CLineData> NewLine(const CLineEditDlg& dlg, const CSheetFile& sheet) {
    auto pLine = std::make_unique<CLineData>(dlg.m_strName, sheet.m_Columns.GetSize());
    FromDialog(dlg, *pLine);
    return pLine;
}

std::unique_ptr<CColumnData> NewColumn(const CColumnEditDlg& dlg) {
    auto pColumn = std::make_unique<CColumnData>(dlg.m_strName);
    FromDialog(dlg, *pColumn);
    return pColumn;
}
} // namespace

void CSheetCommands::OnLineAdd() {
    CLineEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    EditStep(*m_pHost, kEditCountsAndCursor, [&](CSheetFile& sheet) {
        sheet.AddLine(NewLine(dlg, sheet));
        // The new row becomes current and highlighted; the grid does not scroll to it.
        sheet.m_nCurLine = sheet.GetSize() - 1;
    });
}

void CSheetCommands::OnLineInsert() {
    if (Sheet().GetCurLine() == nullptr) {
        AfxGetUserInterface().MessageBox(kNoPosition, MB_OK);
        return;
    }
    CLineEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    // The new row takes the current index, so it is the current row now.
    EditStep(*m_pHost, kEditCountsAndCursor,
             [&](CSheetFile& sheet) { sheet.InsertLine(NewLine(dlg, sheet)); });
}

void CSheetCommands::OnLineEdit() {
    const CLineData* pLine = Sheet().GetCurLine();
    if (pLine == nullptr)
        return;
    CLineEditDlg dlg(Owner());
    ToDialog(dlg, *pLine);
    // Nothing of the sheet is held across the dialog: timers copy the sheet
    // while it is open.
    pLine = nullptr;
    if (dlg.DoModal() != IDOK)
        return;
    EditStep(*m_pHost, kEditCells, [&](CSheetFile& sheet) {
        sheet.EditLine(sheet.m_nCurLine, [&](CLineData& line) { FromDialog(dlg, line); });
    });
}

void CSheetCommands::OnLineDelete() {
    const CLineData* pLine = Sheet().GetCurLine();
    if (pLine == nullptr)
        return;
    if (AfxGetUserInterface().MessageBox(cp932::ToUtf8(pLine->m_strName) + "の行を削除しますか？",
                                         MB_OKCANCEL) != IDOK)
        return;
    EditStep(*m_pHost, kEditCountsAndCursor, [](CSheetFile& sheet) { sheet.DeleteLine(); });
}

void CSheetCommands::OnLineMove(int step) {
    CSheetFile& sheet = Sheet();
    const int from = sheet.m_nCurLine;
    const int to = from + step;
    if (sheet.GetCurLine() == nullptr || to < 0 || to >= sheet.GetSize())
        return;
    EditStep(*m_pHost, kEditCells, [&](CSheetFile& s) { s.MoveLine(from, to); });
}

// Columns.

void CSheetCommands::OnColumnAdd() {
    CColumnEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    EditStep(*m_pHost, kEditCountsAndCursor, [&](CSheetFile& sheet) {
        sheet.AddColumn(NewColumn(dlg), 1);
        sheet.m_nCurColumn = sheet.m_Columns.GetSize() - 1;
    });
}

void CSheetCommands::OnColumnInsert() {
    if (Sheet().GetCurColumn() == nullptr) {
        AfxGetUserInterface().MessageBox(kNoPosition, MB_OK);
        return;
    }
    CColumnEditDlg dlg(Owner());
    if (dlg.DoModal() != IDOK)
        return;
    EditStep(*m_pHost, kEditCountsAndCursor,
             [&](CSheetFile& sheet) { sheet.InsertColumn(NewColumn(dlg), 1); });
}

void CSheetCommands::OnColumnEdit() {
    const CColumnData* pColumn = Sheet().GetCurColumn();
    if (pColumn == nullptr)
        return;
    CColumnEditDlg dlg(Owner());
    ToDialog(dlg, *pColumn);
    pColumn = nullptr; // not held across the dialog, as for rows
    if (dlg.DoModal() != IDOK)
        return;
    EditStep(*m_pHost, kEditCells, [&](CSheetFile& sheet) {
        sheet.EditColumn(sheet.m_nCurColumn, [&](CColumnData& column) { FromDialog(dlg, column); });
    });
}

void CSheetCommands::OnColumnDelete() {
    const CColumnData* pColumn = Sheet().GetCurColumn();
    if (pColumn == nullptr)
        return;
    if (AfxGetUserInterface().MessageBox(cp932::ToUtf8(pColumn->m_strName) + "の列を削除しますか？",
                                         MB_OKCANCEL) != IDOK)
        return;
    EditStep(*m_pHost, kEditCountsAndCursor, [](CSheetFile& sheet) { sheet.DeleteColumn(); });
}

void CSheetCommands::OnColumnMove(int step) {
    CSheetFile& sheet = Sheet();
    const int from = sheet.m_nCurColumn;
    const int to = from + step;
    if (sheet.GetCurColumn() == nullptr || to < 0 || to >= sheet.m_Columns.GetSize())
        return;
    EditStep(*m_pHost, kEditCells, [&](CSheetFile& s) { s.MoveColumn(from, to); });
}

// Checks.

void CSheetCommands::OnCheck(const char* question, CheckScope scope, bool bCheck) {
    if ((scope == CheckScope::Line && Sheet().GetCurLine() == nullptr) ||
        (scope == CheckScope::Column && Sheet().GetCurColumn() == nullptr))
        return;
    if (AfxGetUserInterface().MessageBox(question, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // Recorded even when no cell changes.
    const BOOL b = bCheck ? TRUE : FALSE;
    EditStep(*m_pHost, kEditCells, [&](CSheetFile& sheet) {
        switch (scope) {
        case CheckScope::Sheet:
            sheet.SetAllCheck(b);
            break;
        case CheckScope::Line:
            sheet.SetLineCheck(b);
            break;
        case CheckScope::Column:
            sheet.SetColumnCheck(b);
            break;
        }
    });
}
