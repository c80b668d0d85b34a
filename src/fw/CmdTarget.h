#pragma once
// Command routing by command id: each target says whether it handles a
// command and, before a menu opens or when the program is idle, whether the
// command is enabled or checked. A command that no target handles is disabled.
#include "fw/Types.h"

struct CCmdUI {
    UINT m_nID = 0;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    void Enable(bool b = true) { m_bEnabled = b; }
    void SetCheck(int n = 1) { m_nCheck = n; }
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Runs the command; false when this target has no handler for it.
    virtual bool OnCmdMsg(UINT /*id*/) { return false; }
    // Fills the enable and check state; false when this target has no handler.
    virtual bool OnUpdateCmdUI(CCmdUI& /*cmdUI*/) { return false; }
};
