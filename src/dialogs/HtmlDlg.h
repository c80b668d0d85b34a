#pragma once
// The HTML export dialog (template 136, "HTML出力"): the output file, the
// stylesheet name and the preview switch. OK ends it to write the file,
// "コピー(&C)" ends it the same way but with m_bToFile FALSE (the table goes
// to the clipboard). Texts are code page 932; characters code page 932
// cannot hold are refused with a notice and the dialog stays open.
#include <QDialog>
#include <string>

#include "fw/Types.h"
#include "fw/UserInterface.h"

class QCheckBox;
class QLineEdit;

class CHtmlDlg : public QDialog, public CModalDialog {
    Q_OBJECT
public:
    enum { IDD = 136 };
    enum : int {
        IDC_FILE = 1005,
        IDC_COPY = 1006,
        IDC_CSS = 1007,
        IDC_BROWSE = 1010,
        IDC_PREVIEW = 1012
    };

    explicit CHtmlDlg(QWidget* pParent = nullptr);

    std::string m_strFile;
    std::string m_strCss;
    BOOL m_bPreview = FALSE;
    BOOL m_bToFile = TRUE;

    // IDOK (also after the copy button) or IDCANCEL, through the
    // user-interaction interface.
    int DoModal();
    int ShowModal() override;

    void MembersToControls();
    bool ControlsToMembers();
    void OnBrowse();
    void OnCopy();
    void accept() override;

private:
    QLineEdit* m_pFile = nullptr;
    QLineEdit* m_pCss = nullptr;
    QCheckBox* m_pPreview = nullptr;
    std::string m_shownFile, m_shownCss;
};
