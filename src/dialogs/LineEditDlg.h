#pragma once
// The row dialog (template 130, "行"): name, detail and link file of a row.
// It centres itself over its owner.
#include <functional>

#include "dialogs/ItemEditDlg.h"

class CLineEditDlg : public CItemEditDlg {
    Q_OBJECT
public:
    enum { IDD = 130 };
    explicit CLineEditDlg(QWidget* pParent = nullptr);

    // When set, DoModal() calls this instead of showing the dialog: tests
    // answer for the user by filling the members and returning IDOK/IDCANCEL.
    static std::function<int(CLineEditDlg&)> s_hook;

protected:
    int RunHook() override;
    void PlaceDialog() override;
};
