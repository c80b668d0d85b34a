#pragma once
// What the row and the column dialogs share: three boxes for the name, the
// detail (several lines, Enter breaks the line) and the link file, a "..."
// button that browses for the link file, OK and Cancel. The caller fills the
// three members (code page 932, as the sheet keeps them), runs DoModal() and
// reads them back after IDOK. Text that code page 932 cannot hold is refused
// with a notice naming the characters, and the dialog stays open.
#include <QDialog>
#include <string>

#include "fw/UserInterface.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class CItemEditDlg : public QDialog, public CModalDialog {
    Q_OBJECT
public:
    enum : int { IDC_NAME = 1000, IDC_DETAIL = 1001, IDC_LINKFILE = 1003, IDC_BROWSE = 1013 };

    std::string m_strName;
    std::string m_strDetail; // line breaks as CR LF pairs
    std::string m_strLinkFile;

    // IDOK or IDCANCEL, through the user-interaction interface.
    int DoModal();
    int ShowModal() override;

    // Data exchange: members into the controls (and remembered, so untouched
    // text keeps its bytes), or the controls into the members. Taking fails,
    // members untouched, when a box holds characters code page 932 lacks.
    void MembersToControls();
    bool ControlsToMembers();

    // The link-file browse of button 1013.
    void OnBrowse();

    void accept() override;

    // What differs between the row and the column template.
    struct Template {
        const char* caption; // UTF-8
        int width, height;   // dialog units
        int nameWidth;       // dialog units
    };

protected:
    CItemEditDlg(const Template& t, QWidget* pParent);

    // Placement once the controls are filled.
    virtual void PlaceDialog() = 0;

private:
    QLineEdit* m_pName = nullptr;
    QPlainTextEdit* m_pDetail = nullptr;
    QLineEdit* m_pLinkFile = nullptr;
    QPushButton* m_pBrowse = nullptr;
    // The bytes last put into the controls, so unchanged text stays byte-exact.
    std::string m_shownName, m_shownDetail, m_shownLinkFile;
};
