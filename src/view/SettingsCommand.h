#pragma once
// The view's "設定(&O)..." command: runs the settings dialog with the sheet's
// widths, mark style and row height factor and the reopen switch; on OK it
// records one undo snapshot (even when nothing changed), puts the values
// into the sheet, stores the switch and the factor as the user's settings,
// measures the sheet again (the scroll bars stay as they are), marks the
// document modified and repaints. The colours are the dialog's own business
// and are not part of the undo snapshot.
#include <span>

#include "fw/CmdTarget.h"

class CViewHost;

class CSettingsCommand : public CCommandTable<CSettingsCommand> {
public:
    explicit CSettingsCommand(CViewHost* pHost) : m_pHost(pHost) {}

    static std::span<const Command> Commands();

    void OnViewSettings();

private:
    CViewHost* m_pHost;
};
