#include "dialogs/ItemEditDlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "dialogs/Cp932Text.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/FileChooser.h"
#include "fw/UserInterface.h"

CItemEditDlg::CItemEditDlg(const Template& t, QWidget* pParent)
    : QDialog(pParent ? pParent : QApplication::activeWindow()) {
    setWindowTitle(QString::fromUtf8(t.caption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(CDialogUnits::DialogFont());
    CDialogUnits du(font());
    setFixedSize(du.Size(t.width, t.height));

    auto* nameLabel = new QLabel(QStringLiteral("項目名(&N):"), this);
    nameLabel->setGeometry(du.Rect(7, 7, 60, 8));
    m_pName = new QLineEdit(this);
    m_pName->setObjectName(QStringLiteral("idc1000"));
    m_pName->setGeometry(du.Rect(7, 17, t.nameWidth, 12));
    nameLabel->setBuddy(m_pName);

    auto* detailLabel = new QLabel(QStringLiteral("詳細(&M):"), this);
    detailLabel->setGeometry(du.Rect(7, 35, 60, 8));
    m_pDetail = new QPlainTextEdit(this);
    m_pDetail->setObjectName(QStringLiteral("idc1001"));
    m_pDetail->setGeometry(du.Rect(7, 45, 173, 88));
    m_pDetail->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_pDetail->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pDetail->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next box, as in the other boxes.
    m_pDetail->setTabChangesFocus(true);
    detailLabel->setBuddy(m_pDetail);

    auto* linkLabel = new QLabel(QStringLiteral("リンクファイル(&L):"), this);
    linkLabel->setGeometry(du.Rect(7, t.height - 35, 80, 8));
    m_pLinkFile = new QLineEdit(this);
    m_pLinkFile->setObjectName(QStringLiteral("idc1003"));
    m_pLinkFile->setGeometry(du.Rect(7, t.height - 25, 150, 12));
    linkLabel->setBuddy(m_pLinkFile);
    m_pBrowse = new QPushButton(QStringLiteral("..."), this);
    m_pBrowse->setObjectName(QStringLiteral("idc1013"));
    m_pBrowse->setGeometry(du.Rect(160, t.height - 26, 20, 14));
    m_pBrowse->setAutoDefault(false);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("idok"));
    ok->setGeometry(du.Rect(130, 7, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("idcancel"));
    cancel->setGeometry(du.Rect(130, 24, 50, 14));
    cancel->setAutoDefault(false);

    setTabOrder(m_pName, m_pDetail);
    setTabOrder(m_pDetail, m_pLinkFile);
    setTabOrder(m_pLinkFile, m_pBrowse);
    setTabOrder(m_pBrowse, ok);
    setTabOrder(ok, cancel);

    connect(ok, &QPushButton::clicked, this, &CItemEditDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CItemEditDlg::reject);
    connect(m_pBrowse, &QPushButton::clicked, this, &CItemEditDlg::OnBrowse);
}

int CItemEditDlg::DoModal() {
    return AfxGetUserInterface().DoModal(*this);
}

int CItemEditDlg::ShowModal() {
    MembersToControls();
    PlaceDialog();
    m_pName->setFocus();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CItemEditDlg::MembersToControls() {
    m_shownName = m_strName;
    m_shownDetail = m_strDetail;
    m_shownLinkFile = m_strLinkFile;
    m_pName->setText(CCp932Text::Decode(m_strName));
    m_pDetail->setPlainText(CCp932Text::Decode(m_strDetail, true));
    m_pLinkFile->setText(CCp932Text::Decode(m_strLinkFile));
}

bool CItemEditDlg::ControlsToMembers() {
    std::vector<std::string> rejected;
    std::string name, detail, link;
    bool ok = CCp932Text::Encode(m_pName->text(), m_shownName, false, name, rejected);
    ok = CCp932Text::Encode(m_pDetail->toPlainText(), m_shownDetail, true, detail, rejected) && ok;
    ok = CCp932Text::Encode(m_pLinkFile->text(), m_shownLinkFile, false, link, rejected) && ok;
    if (!ok) {
        CCp932Text::ShowRejected(rejected);
        return false;
    }
    m_strName = std::move(name);
    m_strDetail = std::move(detail);
    m_strLinkFile = std::move(link);
    return true;
}

void CItemEditDlg::OnBrowse() {
    // Only the link box changes; the name and detail typed so far stay in
    // their boxes untouched (and are encoded only when OK is pressed).
    if (auto path = CFileChooser::LinkFile(this))
        m_pLinkFile->setText(*path);
}

void CItemEditDlg::accept() {
    if (!ControlsToMembers())
        return; // the notice said which characters; the user corrects them
    QDialog::accept();
}
