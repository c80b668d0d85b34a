#pragma once
// The document's text commands: CSV export, HTML export (with its dialog,
// the names kept in the sheet and the preview) and CSV import. The document
// owns one and forwards these commands to it.
#include "fw/CmdTarget.h"

class CTavrelDoc;

class CDocCommands : public CCmdTarget {
public:
    explicit CDocCommands(CTavrelDoc* pDoc) : m_pDoc(pDoc) {}

    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;

    void OnCsvExport();
    void OnCsvImport();
    void OnHtmlExport();

private:
    CTavrelDoc* m_pDoc;
};
