#include "fw/CommandRoute.h"

namespace {
CCmdTarget* g_pRoute = nullptr;
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

bool RunCommand(UINT id) {
    if (!UpdateCommand(id).m_bEnabled)
        return false;
    return g_pRoute->OnCmdMsg(id);
}
