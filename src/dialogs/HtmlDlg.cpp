#include "dialogs/HtmlDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/CenterWindow.h"
#include "dialogs/Cp932Text.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/FileChooser.h"
#include "fw/UserInterface.h"

CHtmlDlg::CHtmlDlg(QWidget* pParent) : QDialog(pParent ? pParent : QApplication::activeWindow()) {
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("HTML出力"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(CDialogUnits::DialogFont());
    CDialogUnits du(font());
    setFixedSize(du.Size(253, 100));

    auto* fileLabel = new QLabel(QStringLiteral("出力ファイル名(&F):"), this);
    fileLabel->setGeometry(du.Rect(7, 7, 90, 8));
    m_pFile = new QLineEdit(this);
    m_pFile->setObjectName(QStringLiteral("idc1005"));
    m_pFile->setGeometry(du.Rect(7, 17, 160, 12));
    fileLabel->setBuddy(m_pFile);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("idc1010"));
    browse->setGeometry(du.Rect(170, 16, 20, 14));
    browse->setAutoDefault(false);

    auto* group = new QGroupBox(QStringLiteral("ファイル出力時"), this);
    group->setGeometry(du.Rect(7, 34, 183, 59));
    auto* cssLabel = new QLabel(QStringLiteral("スタイルシート名(&S):"), this);
    cssLabel->setGeometry(du.Rect(14, 46, 90, 8));
    m_pCss = new QLineEdit(this);
    m_pCss->setObjectName(QStringLiteral("idc1007"));
    m_pCss->setGeometry(du.Rect(14, 56, 168, 12));
    cssLabel->setBuddy(m_pCss);
    m_pPreview = new QCheckBox(QStringLiteral("ファイル出力してプレビュー(&P)"), this);
    m_pPreview->setObjectName(QStringLiteral("idc1012"));
    m_pPreview->setGeometry(du.Rect(14, 75, 160, 10));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("idok"));
    ok->setGeometry(du.Rect(196, 7, 50, 14));
    ok->setDefault(true);
    auto* copy = new QPushButton(QStringLiteral("コピー(&C)"), this);
    copy->setObjectName(QStringLiteral("idc1006"));
    copy->setGeometry(du.Rect(196, 24, 50, 14));
    copy->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("idcancel"));
    cancel->setGeometry(du.Rect(196, 41, 50, 14));
    cancel->setAutoDefault(false);

    setTabOrder(m_pFile, browse);
    setTabOrder(browse, m_pCss);
    setTabOrder(m_pCss, m_pPreview);
    setTabOrder(m_pPreview, ok);
    setTabOrder(ok, copy);
    setTabOrder(copy, cancel);

    connect(ok, &QPushButton::clicked, this, &CHtmlDlg::accept);
    connect(copy, &QPushButton::clicked, this, &CHtmlDlg::OnCopy);
    connect(cancel, &QPushButton::clicked, this, &CHtmlDlg::reject);
    connect(browse, &QPushButton::clicked, this, &CHtmlDlg::OnBrowse);
}

int CHtmlDlg::DoModal() {
    return AfxGetUserInterface().DoModal(*this);
}

int CHtmlDlg::ShowModal() {
    MembersToControls();
    // Centred over the owner (or the screen without one).
    CenterWindow(this, size());
    m_pFile->setFocus();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CHtmlDlg::MembersToControls() {
    m_shownFile = m_strFile;
    m_shownCss = m_strCss;
    m_pFile->setText(CCp932Text::Decode(m_strFile));
    m_pCss->setText(CCp932Text::Decode(m_strCss));
    m_pPreview->setChecked(m_bPreview != FALSE);
}

bool CHtmlDlg::ControlsToMembers() {
    std::vector<std::string> rejected;
    std::string file, css;
    bool ok = CCp932Text::Encode(m_pFile->text(), m_shownFile, false, file, rejected);
    ok = CCp932Text::Encode(m_pCss->text(), m_shownCss, false, css, rejected) && ok;
    if (!ok) {
        CCp932Text::ShowRejected(rejected);
        return false;
    }
    m_strFile = std::move(file);
    m_strCss = std::move(css);
    m_bPreview = m_pPreview->isChecked() ? TRUE : FALSE;
    return true;
}

void CHtmlDlg::OnBrowse() {
    // Only the file box changes; what was typed elsewhere stays.
    if (auto path = CFileChooser::HtmlOutput(this))
        m_pFile->setText(*path);
}

void CHtmlDlg::OnCopy() {
    if (!ControlsToMembers())
        return;
    m_bToFile = FALSE;
    QDialog::accept();
}

void CHtmlDlg::accept() {
    if (!ControlsToMembers())
        return;
    m_bToFile = TRUE;
    QDialog::accept();
}
