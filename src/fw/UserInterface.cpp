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

bool CScriptedUserInterface::SetClipboardData(const std::string& mimeType,
                                              const std::string& bytes) {
    if (!m_bClipboardResult)
        return false;
    m_clipboard.reset();
    m_unicodeText.reset();
    m_clipboardImage.reset();
    m_clipboardData.clear();
    m_clipboardData[mimeType] = bytes;
    return true;
}

std::optional<std::string> CScriptedUserInterface::GetClipboardData(const std::string& mimeType) {
    auto it = m_clipboardData.find(mimeType);
    if (it == m_clipboardData.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> CScriptedUserInterface::GetClipboardUnicodeText() {
    return m_unicodeText;
}

bool CScriptedUserInterface::SetClipboardImage(int width, int height,
                                               const std::vector<std::uint32_t>& pixels) {
    if (!m_bClipboardResult)
        return false;
    m_clipboard.reset();
    m_unicodeText.reset();
    m_clipboardData.clear();
    m_clipboardImage = Image{width, height, pixels};
    return true;
}

bool CScriptedUserInterface::PrintDialog(const PrintPagesFn& printPages) {
    ++m_nPrintDialogs;
    return m_printAnswer ? m_printAnswer(printPages) : false;
}

void CScriptedUserInterface::PrintPreview(const PrintPagesFn& printPages) {
    ++m_nPrintPreviews;
    if (m_printAnswer)
        m_printAnswer(printPages);
}
