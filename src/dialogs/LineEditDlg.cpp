#include "dialogs/LineEditDlg.h"

#include "dialogs/CenterWindow.h"

namespace {
const CItemEditDlg::Template kLineTemplate{"行", 187, 173, 118};
}

CLineEditDlg::CLineEditDlg(QWidget* pParent) : CItemEditDlg(kLineTemplate, pParent) {
    setObjectName(QString::number(IDD));
}

void CLineEditDlg::PlaceDialog() {
    // Centred over the owner (or the screen without one).
    CenterWindow(this, size());
}
