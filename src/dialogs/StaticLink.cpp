#include "dialogs/StaticLink.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include "fw/UserInterface.h"

CStaticLink::CStaticLink(const QString& link, QWidget* pParent) : QLabel(pParent), m_strLink(link) {
    // The text is ours to open: no rich text, no links of the label's own.
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setCursor(Qt::PointingHandCursor);
    ApplyLook();
}

bool CStaticLink::OnLButtonDown() {
    if (m_strLink.isEmpty())
        m_strLink = text();
    if (m_strLink.isEmpty())
        return false;
    CUserInterface& ui = AfxGetUserInterface();
    if (!ui.ShellOpen(m_strLink.toStdString())) {
        ui.MessageBeep();
        return false;
    }
    m_crLink = kVisited;
    ApplyLook();
    update();
    return true;
}

void CStaticLink::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        OnLButtonDown();
        e->accept();
        return;
    }
    QLabel::mousePressEvent(e);
}

void CStaticLink::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    // A new font from the dialog keeps the underline.
    if (e->type() == QEvent::FontChange && !font().underline())
        ApplyLook();
}

void CStaticLink::ApplyLook() {
    QFont f = font();
    if (!f.underline()) {
        f.setUnderline(true);
        setFont(f);
    }
    QPalette pal = palette();
    const QColor c(GetRValue(m_crLink), GetGValue(m_crLink), GetBValue(m_crLink));
    pal.setColor(QPalette::Active, QPalette::WindowText, c);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, c);
    setPalette(pal);
}
