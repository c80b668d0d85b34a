#pragma once
// The document's text commands: CSV export, HTML export (with its dialog,
// the names kept in the sheet and the preview) and CSV import. The document
// owns one and forwards these commands to it.
#include <span>

#include "fw/CmdTarget.h"

class CTavrelDoc;

class CDocCommands : public CCommandTable<CDocCommands> {
public:
    explicit CDocCommands(CTavrelDoc* pDoc) : m_pDoc(pDoc) {}

    // All always enabled.
    static std::span<const Command> Commands();

    void OnCsvExport();
    void OnCsvImport();
    void OnHtmlExport();

private:
    CTavrelDoc* m_pDoc;
};
