#pragma once
// The editor's command edge (fw/CommandRoute.h): a command that failed, for
// want of memory or on an input beyond the memory budget, leaves the
// document as it was before the command, and the view shows it so; then the
// user is told.
#include "document/SheetDocument.h"
#include "fw/CommandRoute.h"

class CTavrelView;

class CViewCommandGuard : public CCommandGuard {
public:
    explicit CViewCommandGuard(CTavrelView* pView) : m_pView(pView) {}
    void Begin() override;
    void Restore() override;
    void Tell(const std::string& message) override;

private:
    CTavrelView* m_pView;
    CSheetDocument::CCommandMark m_mark;
};
