#include "fw/CommandRoute.h"

#include <cstdint>
#include <string>

#include "fw/MemoryBudget.h"

namespace {
CCmdTarget* g_pRoute = nullptr;
CCommandGuard* g_pGuard = nullptr;
int g_nDepth = 0; // commands running, the outer one included

struct DepthCount {
    DepthCount() { ++g_nDepth; }
    ~DepthCount() { --g_nDepth; }
};
} // namespace

bool CCmdTarget::Dispatch(CCmdUI& cmdUI, bool run) {
    if (m_chain.empty())
        return DispatchOwn(cmdUI, run);
    for (CCmdTarget* target : m_chain) {
        if (target == this) {
            if (DispatchOwn(cmdUI, run))
                return true;
        } else if (target && (run ? target->OnCmdMsg(cmdUI.m_nID) : target->OnUpdateCmdUI(cmdUI))) {
            return true;
        }
    }
    return false;
}

bool CCmdTarget::OnCmdMsg(UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    return Dispatch(ui, true);
}

bool CCmdTarget::OnUpdateCmdUI(CCmdUI& cmdUI) {
    return Dispatch(cmdUI, false);
}

bool CCmdTarget::IsEnabled(UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    return OnUpdateCmdUI(ui) && ui.m_bEnabled;
}

void SetCommandRoute(CCmdTarget* pRoot) {
    g_pRoute = pRoot;
}

CCmdTarget* CommandRoute() {
    return g_pRoute;
}

CCmdUI UpdateCommand(UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    if (!g_pRoute || !g_pRoute->OnUpdateCmdUI(ui))
        ui.m_bEnabled = false;
    return ui;
}

void SetCommandGuard(CCommandGuard* pGuard) {
    g_pGuard = pGuard;
}

bool GuardCommand(const std::function<void()>& body) {
    if (g_nDepth > 0) {
        body();
        return true;
    }
    bool bFailed = false;
    bool bTooLarge = false; // an input beyond the budget, of this many cells:
    std::uint64_t nCells = 0;
    {
        DepthCount depth;
        try {
            if (g_pGuard)
                g_pGuard->Begin();
            body();
        } catch (const CTooLargeError& e) {
            bFailed = true;
            bTooLarge = true;
            nCells = e.m_nCells;
        } catch (...) {
            bFailed = true;
        }
    }
    if (!bFailed)
        return true;
    if (!g_pGuard)
        return false;
    // The document is put back first: that frees what the command built, and
    // the message needs memory of its own.
    try {
        g_pGuard->Restore();
        g_pGuard->Tell(bTooLarge ? TooLargeMessage(nCells) : std::string(kOutOfMemoryMessage));
    } catch (...) {
        // Nothing more can be done here; the program goes on.
    }
    return false;
}

bool RunCommand(UINT id) {
    CCmdTarget* pRoute = g_pRoute;
    if (!pRoute || !UpdateCommand(id).m_bEnabled)
        return false;
    bool handled = true; // a command that failed did run
    GuardCommand([&] { handled = pRoute->OnCmdMsg(id); });
    return handled;
}
