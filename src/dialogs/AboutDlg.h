#pragma once
// The version dialog (template 100, "ﾊﾞｰｼﾞｮﾝ情報"): the program's icon, name
// and version, and two links, 207 to the home page and 206 to the support
// address (opened as "mailto:"). Centred over its owner.
#include <QDialog>

class CStaticLink;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 100 };
    enum : int { IDC_MAIL = 206, IDC_WEB = 207 };

    explicit CAboutDlg(QWidget* pParent = nullptr);

    int DoModal();

    CStaticLink* m_linkWeb = nullptr;
    CStaticLink* m_linkMail = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
};
