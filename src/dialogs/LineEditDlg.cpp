#include "dialogs/LineEditDlg.h"

#include <QScreen>

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
    QRect area;
    if (QWidget* owner = parentWidget())
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = this->screen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect rc(QPoint(0, 0), size());
        rc.moveCenter(area.center());
        move(rc.topLeft());
    }
}
