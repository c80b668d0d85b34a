#include "dialogs/ColumnEditDlg.h"

namespace {
const CItemEditDlg::Template kColumnTemplate{"列", 187, 174, 116};
}

CColumnEditDlg::CColumnEditDlg(QWidget* pParent) : CItemEditDlg(kColumnTemplate, pParent) {
    setObjectName(QString::number(IDD));
}

void CColumnEditDlg::PlaceDialog() {
    // Not centred: it opens at the owner's top left corner, where an
    // uncentred dialog template places itself.
    if (QWidget* owner = parentWidget())
        move(owner->window()->geometry().topLeft());
}
