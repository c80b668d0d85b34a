#include "dialogs/LineEditDlg.h"

#include "dialogs/CenterWindow.h"

std::function<int(CLineEditDlg&)> CLineEditDlg::s_hook;

namespace {
const CItemEditDlg::Template kLineTemplate{"行", 187, 173, 118};
}

CLineEditDlg::CLineEditDlg(QWidget* pParent) : CItemEditDlg(kLineTemplate, pParent) {}

int CLineEditDlg::RunHook() {
    return s_hook ? s_hook(*this) : -1;
}

void CLineEditDlg::PlaceDialog() {
    // Centred over the owner (or the screen without one).
    CenterWindow(this, size());
}
