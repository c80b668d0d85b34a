#include "view/SettingsCommand.h"

#include <QWidget>

#include "dialogs/SetDlg.h"
#include "document/SheetDocument.h"
#include "fw/UserInterface.h"
#include "model/Settings.h"
#include "res/CommandIds.h"
#include "view/EditStep.h"
#include "view/ViewHost.h"

std::span<const CSettingsCommand::Command> CSettingsCommand::Commands() {
    static const Command kCommands[] = {
        {ID_VIEW_SETTINGS, [](CSettingsCommand& c) { c.OnViewSettings(); }},
    };
    return kCommands;
}

void CSettingsCommand::OnViewSettings() {
    CSheetFile& sheet = m_pHost->GetDocument()->m_Sheet;
    QWidget* owner = m_pHost->Widget() ? m_pHost->Widget()->window() : nullptr;

    CSetDlg dlg(owner);
    dlg.m_nColumnWidth = static_cast<UINT>(sheet.m_nColumnWidth);
    dlg.m_nLineNameWidth = static_cast<UINT>(sheet.m_nLineNameWidth);
    dlg.m_nCsvMark = sheet.m_nCsvMark;
    dlg.m_dLineHeightRate = sheet.m_dLineHeightRate;
    dlg.m_bOpenLastFile = ReadSettingInt(settings::InitFile);
    dlg.m_look = sheet.Look();
    const int answer = dlg.DoModal();
    // Colours are not the sheet's content: stored even when the dialog was
    // cancelled after all, and no step of the undo history.
    if (dlg.ColorsStored())
        sheet.SetLook(dlg.m_look);
    if (answer != IDOK)
        return;

    EditStep(*m_pHost, kEditCells, [&](CSheetFile& s) {
        s.m_nColumnWidth = static_cast<int>(dlg.m_nColumnWidth);
        s.m_nLineNameWidth = static_cast<int>(dlg.m_nLineNameWidth);
        WriteSettingInt(settings::InitFile, dlg.m_bOpenLastFile);
        s.m_nCsvMark = dlg.m_nCsvMark;
        s.m_dLineHeightRate = dlg.m_dLineHeightRate;
        // Sheets made later, in this run or the next, start with this factor.
        WriteSettingString(settings::LineHeight, FormatLineHeightRate(dlg.m_dLineHeightRate));
        m_pHost->CalcMetricsAndLayout();
    });
}
