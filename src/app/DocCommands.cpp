#include "app/DocCommands.h"

#include <span>

#include <QApplication>
#include <QWidget>

#include "app/TavrelDoc.h"
#include "dialogs/FileChooser.h"
#include "dialogs/HtmlDlg.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "res/CommandIds.h"

std::span<const CDocCommands::Command> CDocCommands::Commands() {
    static const Command kCommands[] = {
        {ID_CSV_EXPORT, [](CDocCommands& c) { c.OnCsvExport(); }},
        {ID_CSV_IMPORT, [](CDocCommands& c) { c.OnCsvImport(); }},
        {ID_HTML_EXPORT, [](CDocCommands& c) { c.OnHtmlExport(); }},
    };
    return kCommands;
}

void CDocCommands::OnCsvExport() {
    auto path = CFileChooser::CsvExport(QApplication::activeWindow());
    if (!path)
        return;
    // The export shows its own error; the sheet and the modified flag stay as they are.
    m_pDoc->m_Sheet.ExportCsv(path->toStdString().c_str());
}

void CDocCommands::OnCsvImport() {
    auto path = CFileChooser::CsvImport(QApplication::activeWindow());
    if (!path)
        return;
    m_pDoc->SaveUndo();
    CSheetFile& sheet = m_pDoc->m_Sheet;
    const int lines = sheet.GetSize();
    const int columns = sheet.m_Columns.GetSize();
    sheet.ImportCsv(path->toStdString().c_str());
    // Rows or columns came in: closing must ask before they are lost.
    if (sheet.GetSize() != lines || sheet.m_Columns.GetSize() != columns)
        m_pDoc->SetModifiedFlag(true);
    m_pDoc->UpdateAllViews();
}

void CDocCommands::OnHtmlExport() {
    CSheetFile& sheet = m_pDoc->m_Sheet;
    CHtmlDlg dlg;
    dlg.m_strCss = sheet.m_strHtmlCss;
    dlg.m_strFile = sheet.m_strHtmlFile;
    if (dlg.DoModal() != IDOK)
        return;
    // The names travel in the sheet file; a change is a change of the document
    // (no undo step is recorded for it).
    if (dlg.m_strCss != sheet.m_strHtmlCss || dlg.m_strFile != sheet.m_strHtmlFile) {
        sheet.m_strHtmlCss = dlg.m_strCss;
        sheet.m_strHtmlFile = dlg.m_strFile;
        m_pDoc->SetModifiedFlag(true);
    }
    sheet.ExportHtml(dlg.m_bToFile);
    // The preview depends on the check box alone, so it follows the copy button too.
    // An empty name names nothing to open.
    if (dlg.m_bPreview && !dlg.m_strFile.empty())
        AfxGetUserInterface().ShellOpen(cp932::ToUtf8(dlg.m_strFile));
}
