#include "dialogs/ColorBtnDlg.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <qdrawutil.h>

#include "dialogs/ColorBtn.h"
#include "dialogs/DialogUnits.h"
#include "fw/UserInterface.h"
#include "qt/QtDC.h"

namespace {

// One palette slot: the whole button in the slot's colour, with no sign of
// focus or press, as the palette has always looked.
class CSwatch : public QPushButton {
public:
    CSwatch(int k, QWidget* parent) : QPushButton(parent), m_k(k) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        CQtDC dc(painter);
        dc.FillSolidRect(CRect(0, 0, width(), height()), CColorBtnDlg::Palette().Color(m_k));
    }

private:
    int m_k;
};

// A template rectangle by its edges, so neighbours keep their one-unit gaps.
QRect EdgeRect(const CDialogUnits& du, int x, int y, int w, int h) {
    const int l = du.X(x), t = du.Y(y);
    return QRect(l + CColorBtnDlg::FRAME, t + CColorBtnDlg::FRAME, du.X(x + w) - l,
                 du.Y(y + h) - t);
}

} // namespace

CColorPalette& CColorBtnDlg::Palette() {
    static CColorPalette s_palette;
    return s_palette;
}

CColorBtnDlg::CColorBtnDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    // "MS Sans Serif" 8 points: the desktop's own sans face at that size.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    setFont(font);
    CDialogUnits du(font);
    setFixedSize(du.X(49) + 2 * FRAME, du.Y(73) + 2 * FRAME);

    for (int k = 0; k < CColorPalette::SLOTS; ++k) {
        auto* swatch = new CSwatch(k, this);
        swatch->setObjectName(QStringLiteral("idc%1").arg(IDC_SWATCH_FIRST + k));
        swatch->setGeometry(EdgeRect(du, 1 + 12 * (k % 4), k < 4 ? 1 : 12 * (k / 4), 11, 10));
        // Enter picks the focused swatch, as Space does.
        swatch->setAutoDefault(true);
        connect(swatch, &QPushButton::clicked, this, [this, k] { OnPick(k); });
        m_pSwatches[k] = swatch;
    }
    m_pOther = new QPushButton(QStringLiteral("Other..."), this);
    m_pOther->setObjectName(QStringLiteral("idc%1").arg(IDC_OTHER));
    m_pOther->setGeometry(EdgeRect(du, 1, 60, 47, 11));
    m_pOther->setAutoDefault(true);
    connect(m_pOther, &QPushButton::clicked, this, &CColorBtnDlg::OnOther);
}

CColorBtnDlg::~CColorBtnDlg() = default;

QRect CColorBtnDlg::PlacePopup(const QRect& button, const QSize& popup, const QRect& screen) {
    // Edges as the platform counts them: right and bottom just outside.
    QRect rc(QPoint(button.left(), button.top() + button.height()), popup);
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    if (rc.top() + rc.height() > screenBottom)
        rc.translate(0, -(rc.top() + rc.height() - button.top()));
    if (rc.left() + rc.width() > screenRight)
        rc.translate(-(rc.left() + rc.width() - screenRight), 0);
    return rc;
}

void CColorBtnDlg::Place() {
    if (!m_pButton)
        return;
    const QRect button(m_pButton->mapToGlobal(QPoint(0, 0)), m_pButton->size());
    QScreen* screen = m_pButton->screen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 0x7FFF, 0x7FFF);
    move(PlacePopup(button, size(), area).topLeft());
}

int CColorBtnDlg::DoModal() {
    m_nColorIndex = -1;
    m_pPressed = nullptr;
    Place();
    // Kept above the window that holds the button by any window manager.
    if (m_pButton) {
        winId();
        if (QWindow* owner = m_pButton->window()->windowHandle())
            windowHandle()->setTransientParent(owner);
    }
    m_pSwatches[0]->setFocus();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CColorBtnDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    grabMouse();
    // The desktop holds the mouse only for a window it already shows: ask
    // again once the window is on screen.
    if (QWindow* window = windowHandle())
        window->installEventFilter(this);
}

bool CColorBtnDlg::eventFilter(QObject* watched, QEvent* event) {
    QWindow* window = windowHandle();
    if (watched == window && event->type() == QEvent::Expose && window->isExposed() &&
        QWidget::mouseGrabber() == this)
        window->setMouseGrabEnabled(true);
    return QDialog::eventFilter(watched, event);
}

void CColorBtnDlg::hideEvent(QHideEvent* event) {
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    QDialog::hideEvent(event);
}

void CColorBtnDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void CColorBtnDlg::OnPick(int k) {
    m_nColorIndex = k;
    Palette().Pick(k);
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    accept();
}

namespace {

// Qt keeps the colour dialog's custom colours in a settings file that every
// Qt program shares, and reads them back at the next start. Ours are for the
// run only: what that file held goes back once the dialog is gone, and the
// run starts with white ones, as the platform's dialog does.
class CCustomColorsForTheRun {
public:
    CCustomColorsForTheRun()
        : m_store(QSettings::UserScope, QStringLiteral("QtProject")),
          m_bExisted(QFileInfo::exists(m_store.fileName())) {
        static bool started = false;
        if (!started) {
            started = true;
            for (int i = 0; i < QColorDialog::customCount(); ++i)
                QColorDialog::setCustomColor(i, QColor(Qt::white));
        }
        m_store.beginGroup(kGroup);
        for (const QString& key : m_store.allKeys())
            m_saved.insert(key, m_store.value(key));
        m_store.endGroup();
    }
    ~CCustomColorsForTheRun() {
        m_store.remove(kGroup);
        m_store.beginGroup(kGroup);
        for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it)
            m_store.setValue(it.key(), it.value());
        m_store.endGroup();
        m_store.sync();
        if (!m_bExisted && m_store.allKeys().isEmpty())
            QFile::remove(m_store.fileName());
    }
    CCustomColorsForTheRun(const CCustomColorsForTheRun&) = delete;
    CCustomColorsForTheRun& operator=(const CCustomColorsForTheRun&) = delete;

private:
    static constexpr QLatin1StringView kGroup{"Qt/customColors"};
    QSettings m_store;
    bool m_bExisted;
    QMap<QString, QVariant> m_saved;
};

} // namespace

void CColorBtnDlg::OnOther() {
    // The colour dialog needs the mouse for itself.
    releaseMouse();
    // Outlives the dialog, which writes the colours when it goes.
    CCustomColorsForTheRun runOnly;
    QColorDialog dlg(this);
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    if (dlg.exec() != QDialog::Accepted) {
        grabMouse();
        return;
    }
    OnPick(Palette().Place(ArgbToColorRef(dlg.selectedColor().rgb())));
}

void CColorBtnDlg::Forward(QWidget* child, QMouseEvent* event) {
    const QPointF global = event->globalPosition();
    QMouseEvent copy(event->type(), child->mapFromGlobal(global), global, event->button(),
                     event->buttons(), event->modifiers());
    m_bForwarding = true;
    QCoreApplication::sendEvent(child, &copy);
    m_bForwarding = false;
}

void CColorBtnDlg::mousePressEvent(QMouseEvent* event) {
    // A child that ignores a forwarded press passes it back up: not again.
    if (m_bForwarding || event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    if (!frameGeometry().contains(event->globalPosition().toPoint())) {
        releaseMouse();
        reject();
        return;
    }
    QWidget* child = childAt(event->position().toPoint());
    if (child && child != this) {
        m_pPressed = child;
        Forward(child, event);
    }
}

void CColorBtnDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (m_bForwarding || event->button() != Qt::LeftButton) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    // The child the button went down on gets the release, wherever it is,
    // so it clicks only when released over itself.
    QWidget* child = m_pPressed;
    m_pPressed = nullptr;
    if (child)
        Forward(child, event);
}

void CColorBtnDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_bForwarding || !m_pPressed) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    Forward(m_pPressed, event);
}
