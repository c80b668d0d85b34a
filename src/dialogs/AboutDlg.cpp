#include "dialogs/AboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "dialogs/CenterWindow.h"
#include "dialogs/DialogUnits.h"
#include "dialogs/StaticLink.h"
#include "res/AppInfo.h"
#include "res/ToolBarImages.h"

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent ? pParent : QApplication::activeWindow()) {
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(CDialogUnits::DialogFont());
    CDialogUnits du(font());
    setFixedSize(du.Size(235, 74));

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon().pixmap(32, 32));
    icon->setGeometry(QRect(du.X(11), du.Y(10), 32, 32));

    auto* name = new QLabel(
        QStringLiteral("%1 Version %2")
            .arg(QString::fromUtf8(appinfo::Name()), QString::fromUtf8(appinfo::Version())),
        this);
    name->setGeometry(du.Rect(40, 10, 130, 8));
    auto* what = new QLabel(QStringLiteral("チェックシート エディタ"), this);
    what->setGeometry(du.Rect(40, 22, 130, 8));

    m_linkWeb = new CStaticLink(QString(), this);
    m_linkWeb->setObjectName(QString::number(IDC_WEB));
    m_linkWeb->setText(QString::fromUtf8(appinfo::HomePage()));
    m_linkWeb->setGeometry(du.Rect(40, 40, 185, 9));
    m_linkMail = new CStaticLink(QString(), this);
    m_linkMail->setObjectName(QString::number(IDC_MAIL));
    m_linkMail->setText(QString::fromUtf8(appinfo::SupportAddress()));
    m_linkMail->setGeometry(du.Rect(40, 54, 185, 9));
    // The web link opens its own text; the mail link its address as mail.
    m_linkMail->m_strLink =
        QStringLiteral("mailto:") + QString::fromUtf8(appinfo::SupportAddress());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(du.Rect(178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);
}

int CAboutDlg::DoModal() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

void CAboutDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Once the frame exists, so that the whole window is centred.
    if (!e->spontaneous())
        CenterWindow(this, frameGeometry().size());
}
