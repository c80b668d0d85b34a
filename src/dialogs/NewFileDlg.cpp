#include "dialogs/NewFileDlg.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include "dialogs/CenterWindow.h"
#include "dialogs/Cp932Text.h"
#include "dialogs/DialogUnits.h"
#include "fw/UserInterface.h"

namespace {

QString ToCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(0x2029), QChar('\n'));
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

QString ToLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

CNewFileDlg::CNewFileDlg(QWidget* pParent)
    : QDialog(pParent ? pParent : QApplication::activeWindow()) {
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("新規ファイル作成"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(CDialogUnits::DialogFont());
    CDialogUnits du(font());
    setFixedSize(du.Size(194, 153));

    auto* label = new QLabel(QStringLiteral("行の入力(&R):\u3000一行が一項目"), this);
    label->setGeometry(du.Rect(7, 7, 180, 8));

    m_pLines = new QPlainTextEdit(this);
    m_pLines->setObjectName(QStringLiteral("1021"));
    m_pLines->setGeometry(du.Rect(7, 18, 180, 106));
    // A row name is one line whatever its length: no wrapping, and both
    // scroll bars stay, as on the platform's scrolling multi-line box.
    m_pLines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pLines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pLines->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves on to the buttons, as in a dialog's multi-line box.
    m_pLines->setTabChangesFocus(true);
    label->setBuddy(m_pLines);

    auto* ok = new QPushButton(QStringLiteral("作成"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setGeometry(du.Rect(83, 131, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("データ無し"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setGeometry(du.Rect(137, 131, 50, 14));
    cancel->setAutoDefault(false);

    setTabOrder(m_pLines, ok);
    setTabOrder(ok, cancel);

    connect(ok, &QPushButton::clicked, this, &CNewFileDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CNewFileDlg::reject);
}

int CNewFileDlg::DoModal() {
    m_bTaken = false;
    const int result = AfxGetUserInterface().DoModal(*this);
    if (result == IDOK && !m_bTaken && !TakeLines(m_strLines))
        return IDCANCEL;
    return result;
}

int CNewFileDlg::ShowModal() {
    m_pLines->setPlainText(ToLf(m_strLines));
    m_pLines->setFocus();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

bool CNewFileDlg::TakeLines(const QString& text) {
    const QString lines = ToCrLf(text);
    std::vector<std::string> rejected;
    std::string bytes;
    if (!CCp932Text::Encode(lines, std::string(), false, bytes, rejected)) {
        CCp932Text::ShowRejected(rejected);
        return false;
    }
    m_strLines = lines;
    m_strLinesCp932 = std::move(bytes);
    m_bTaken = true;
    return true;
}

void CNewFileDlg::accept() {
    if (!TakeLines(m_pLines->toPlainText()))
        return; // the notice said which characters; the user corrects them
    QDialog::accept();
}

void CNewFileDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Placed once the frame exists, so the whole window, title bar included,
    // is centred.
    if (!e->spontaneous())
        PlaceDialog();
}

void CNewFileDlg::PlaceDialog() {
    // Centred over the owner (or the screen without one).
    CenterWindow(this, frameGeometry().size());
}
