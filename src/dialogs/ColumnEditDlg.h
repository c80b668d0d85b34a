#pragma once
// The column dialog (template 131, "列"): name, detail and link file of a
// column. Unlike the row dialog it does not centre itself.
#include "dialogs/ItemEditDlg.h"

class CColumnEditDlg : public CItemEditDlg {
    Q_OBJECT
public:
    enum { IDD = 131 };
    explicit CColumnEditDlg(QWidget* pParent = nullptr);

protected:
    void PlaceDialog() override;
};
