#pragma once
// A user interface installed for as long as a scope lives. The one before it
// comes back on the way out, also when an ASSERT leaves the test early, so a
// failed test never leaves its script (or the real desktop) to the next one.
#include "fw/UserInterface.h"

// Installs an interface the caller owns (the Qt one, for instance).
class CUiScope {
public:
    explicit CUiScope(CUserInterface& ui) : m_pPrevious(&AfxGetUserInterface()) {
        AfxSetUserInterface(&ui);
    }
    ~CUiScope() { AfxSetUserInterface(m_pPrevious); }
    CUiScope(const CUiScope&) = delete;
    CUiScope& operator=(const CUiScope&) = delete;

private:
    CUserInterface* m_pPrevious;
};

// Scripted answers, installed from construction to destruction: declare it
// where the test keeps its interface and script it as usual.
class CScriptedAnswers : public CScriptedUserInterface {
public:
    CScriptedAnswers() : m_scope(*this) {}

private:
    CUiScope m_scope;
};
