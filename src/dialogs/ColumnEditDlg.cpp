#include "dialogs/ColumnEditDlg.h"

std::function<int(CColumnEditDlg&)> CColumnEditDlg::s_hook;

namespace {
const CItemEditDlg::Template kColumnTemplate{"列", 187, 174, 116};
}

CColumnEditDlg::CColumnEditDlg(QWidget* pParent) : CItemEditDlg(kColumnTemplate, pParent) {}

int CColumnEditDlg::RunHook() {
    return s_hook ? s_hook(*this) : -1;
}

void CColumnEditDlg::PlaceDialog() {
    // Not centred: it opens at the owner's top left corner, where an
    // uncentred dialog template places itself.
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().topLeft());
}
