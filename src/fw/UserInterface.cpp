#include "fw/UserInterface.h"

#include <cstdio>

namespace {
CScriptedUserInterface& DefaultUi() {
    static CScriptedUserInterface ui;
    return ui;
}
CUserInterface* g_pUi = nullptr;
} // namespace

CUserInterface& AfxGetUserInterface() {
    return g_pUi ? *g_pUi : DefaultUi();
}

void AfxSetUserInterface(CUserInterface* pUi) {
    g_pUi = pUi;
}

int CScriptedUserInterface::DoModal(CModalDialog& dlg) {
    const auto it = m_dialogAnswers.find(std::type_index(typeid(dlg)));
    return it != m_dialogAnswers.end() ? it->second(dlg) : dlg.ShowModal();
}

int CScriptedUserInterface::MessageBox(const std::string& text, UINT type) {
    m_shown.push_back({text, type});
    if (m_bEcho)
        std::fprintf(stderr, "%s\n", text.c_str());
    if (!m_answers.empty()) {
        int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return IDYES;
    default:
        return IDOK;
    }
}

bool CScriptedUserInterface::SetClipboardText(const std::string& text) {
    m_clipboard = text;
    return true;
}

std::optional<std::string> CScriptedUserInterface::GetClipboardText() {
    return m_clipboard;
}

bool CScriptedUserInterface::ShellOpen(const std::string& target) {
    m_opened.push_back(target);
    return m_bShellResult;
}
