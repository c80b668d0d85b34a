#include "view/ViewCommandGuard.h"

#include "fw/UserInterface.h"
#include "view/TavrelView.h"

void CViewCommandGuard::Begin() {
    if (CSheetDocument* pDoc = m_pView->GetDocument())
        m_mark = pDoc->MarkCommand();
}

void CViewCommandGuard::Restore() {
    CSheetDocument* pDoc = m_pView->GetDocument();
    if (!pDoc)
        return;
    pDoc->RollBackCommand(m_mark);
    // The snapshot's rectangles belong to the window size it was taken at.
    const CRect rc = m_pView->GridRect();
    pDoc->m_Sheet.Layout(rc.left, rc.top, rc.right, rc.bottom);
    m_pView->UpdateScrollRanges();
    m_pView->UpdateAllViews();
}

void CViewCommandGuard::Tell(const std::string& message) {
    AfxGetUserInterface().MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}
