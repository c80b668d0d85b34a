#pragma once
// The row dialog (template 130, "行"): name, detail and link file of a row.
// It centres itself over its owner.
#include "dialogs/ItemEditDlg.h"

class CLineEditDlg : public CItemEditDlg {
    Q_OBJECT
public:
    enum { IDD = 130 };
    explicit CLineEditDlg(QWidget* pParent = nullptr);

protected:
    void PlaceDialog() override;
};
