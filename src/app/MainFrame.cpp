#include "app/MainFrame.h"

#include <span>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "dialogs/AccessibleNames.h"
#include "fw/CommandRoute.h"
#include "res/CommandTable.h"
#include "view/CheckCountsText.h"
#include "view/CommandActions.h"
#include "app/HelpWindow.h"
#include "app/KeyLockState.h"
#include "app/RecentFileList.h"
#include "app/TavrelDoc.h"
#include "res/ToolBarImages.h"
#include "view/TavrelView.h"
#include "view/ViewCommandGuard.h"

namespace {

const char* const kReady = "ﾚﾃﾞｨ";
const char* const kFiltering = "絞り込み中";

struct Indicator {
    UINT id;
    const char* text;
    int lockBit;      // KeyLockState bit, or 0 when the state cannot be read
    const char* name; // what a screen reader says, the text being empty while off
};
const Indicator kIndicators[] = {
    {ID_INDICATOR_KANA, "ｶﾅ", 0, "かな"},
    {ID_INDICATOR_CAPS, "CAP", kCapsLockBit, "Caps Lock"},
    {ID_INDICATOR_NUM, "NUM", kNumLockBit, "Num Lock"},
    {ID_INDICATOR_SCRL, "SCRL", kScrollLockBit, "Scroll Lock"},
};

} // namespace

CMainFrame::CMainFrame(CTavrelDoc* pDoc, CCmdTarget* pApp, CRecentFileList* pRecent)
    : m_pDoc(pDoc), m_pApp(pApp), m_pRecent(pRecent) {
    setObjectName(QString::number(IDR_MAINFRAME));
    m_pView = new CTavrelView(pDoc, this);
    setCentralWidget(m_pView);
    SetCommandChain({m_pView, m_pDoc, this, m_pApp});
    CreateMenuBar();
    CreateToolBar();
    CreateStatusBar();
    CreateAccelerators();
    setWindowIcon(AppIcon());
    SetCommandRoute(this);
    m_pGuard = std::make_unique<CViewCommandGuard>(m_pView);
    SetCommandGuard(m_pGuard.get());
    m_pDoc->SetOwner(this);
    connect(m_pDoc, &CTavrelDoc::InitialUpdate, m_pView, &CTavrelView::OnInitialUpdate);
    connect(m_pDoc, &CTavrelDoc::UpdateViews, m_pView, &CTavrelView::OnUpdate);
    connect(m_pDoc, &CTavrelDoc::TitleChanged, this, [this] { OnUpdateFrameTitle(); });
    OnUpdateFrameTitle();
    // The tool bar follows the enable rules whenever the program goes idle.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            UpdateToolBar();
            UpdateCounts();
        });
    // Asking the display for the lock keys costs a round trip: twice a second is enough.
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { UpdateIndicators(); });
    timer->start(500);
    qApp->installEventFilter(this);
    InstallAccessibleNaming();
    m_pView->setFocus();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    if (CommandRoute() == this) {
        SetCommandRoute(nullptr);
        SetCommandGuard(nullptr);
    }
}

void CMainFrame::OnUpdateFrameTitle() {
    setWindowTitle(m_pDoc->GetTitle() + QStringLiteral(" - Tavreler"));
}

void CMainFrame::CreateMenuBar() {
    QMenuBar* bar = menuBar();
    bar->setAccessibleName(QStringLiteral("メニュー バー"));
    for (const CMenuPopup& popup : MenuBarTable()) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(popup.title));
        for (const CMenuItem& item : popup.items) {
            if (item.id == ID_SEPARATOR) {
                menu->addSeparator();
                continue;
            }
            QAction* action = CreateCommandAction(item.id, MenuItemText(item.text), menu);
            if (item.id == ID_VIEW_TOOLBAR || item.id == ID_VIEW_STATUS_BAR)
                action->setCheckable(true);
            if (item.id == ID_FILE_MRU_FILE1)
                m_pRecentPlaceholder = action;
            menu->addAction(action);
        }
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            if (m_pRecentPlaceholder && m_pRecentPlaceholder->parent() == menu)
                FillRecentFiles(menu);
            UpdateMenuActions(menu);
        });
    }
}

void CMainFrame::FillRecentFiles(QMenu* fileMenu) {
    for (QAction* action : m_recentActions)
        delete action;
    m_recentActions.clear();
    const int n = m_pRecent ? m_pRecent->GetSize() : 0;
    // With no files the greyed placeholder stays; otherwise the entries take its place.
    m_pRecentPlaceholder->setVisible(n == 0);
    for (int i = 0; i < n; ++i) {
        QAction* action =
            CreateCommandAction(ID_FILE_MRU_FILE1 + i, m_pRecent->MenuText(i), fileMenu);
        fileMenu->insertAction(m_pRecentPlaceholder, action);
        m_recentActions.push_back(action);
    }
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QString::number(ID_VIEW_TOOLBAR));
    m_wndToolBar->setWindowTitle(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"));
    m_wndToolBar->setIconSize(QSize(16, 15));
    m_wndToolBar->setMovable(true);
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Flat buttons hugging their 16 x 15 images, so all 22 fit a 600 pixel window.
    m_wndToolBar->setStyleSheet(QStringLiteral("QToolButton { padding: 1px; margin: 0px; }"));
    m_wndToolBar->setContentsMargins(0, 0, 0, 0);
    for (UINT id : ToolBarTable()) {
        if (id == ID_SEPARATOR) {
            m_wndToolBar->addSeparator();
            continue;
        }
        const CCommandInfo* info = FindCommand(id);
        QAction* action = CreateCommandAction(
            id, QString::fromUtf8(info && info->tip ? info->tip : ""), m_wndToolBar);
        action->setIcon(ToolBarIcon(id));
        m_wndToolBar->addAction(action);
        // A screen reader says the tip and, asked for more, the prompt.
        if (QWidget* button = m_wndToolBar->widgetForAction(action); button && info) {
            button->setAccessibleName(QString::fromUtf8(info->tip ? info->tip : info->prompt));
            button->setAccessibleDescription(QString::fromUtf8(info->prompt));
        }
        m_toolActions.push_back(action);
    }
    // The button that lists the buttons a narrow window has no room for.
    for (auto* more :
         m_wndToolBar->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("その他のボタン"));
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new QStatusBar(this);
    m_wndStatusBar->setObjectName(QString::number(ID_VIEW_STATUS_BAR));
    setStatusBar(m_wndStatusBar);
    m_pMessage = new QLabel(QString::fromUtf8(kReady), m_wndStatusBar);
    m_pMessage->setObjectName(QStringLiteral("0"));
    m_wndStatusBar->addWidget(m_pMessage, 1);
    // The counts stay beside the prompts, left of the lock indicators.
    m_pCounts = new QLabel(m_wndStatusBar);
    m_pCounts->setObjectName(QStringLiteral("counts"));
    m_pCounts->setFrameShape(QFrame::Panel);
    m_pCounts->setFrameShadow(QFrame::Sunken);
    m_wndStatusBar->addPermanentWidget(m_pCounts);
    // Says that rows are hidden, for as long as only open rows are shown.
    m_pFilterPane = new QLabel(QString::fromUtf8(kFiltering), m_wndStatusBar);
    m_pFilterPane->setObjectName(QStringLiteral("filter"));
    m_pFilterPane->setFrameShape(QFrame::Panel);
    m_pFilterPane->setFrameShadow(QFrame::Sunken);
    m_pFilterPane->setVisible(false);
    m_wndStatusBar->addPermanentWidget(m_pFilterPane);
    UpdateCounts();
    for (const Indicator& ind : kIndicators) {
        auto* label = new QLabel(QString::fromUtf8(ind.text), m_wndStatusBar);
        label->setObjectName(QString::number(ind.id));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        // Sized for its text, which shows only while the lock is on.
        label->setMinimumWidth(label->sizeHint().width() + 6);
        m_wndStatusBar->addPermanentWidget(label);
        m_indicators.push_back(label);
    }
    // Prompts of menus and buttons replace the message; when they go, "ﾚﾃﾞｨ" returns.
    connect(m_wndStatusBar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        m_pMessage->setText(message.isEmpty() ? QString::fromUtf8(kReady) : message);
    });
    m_wndStatusBar->setSizeGripEnabled(true);
    m_wndStatusBar->setAccessibleName(QStringLiteral("ステータス バー"));
    for (auto* grip : m_wndStatusBar->findChildren<QSizeGrip*>())
        grip->setAccessibleName(QStringLiteral("ウィンドウの大きさを変えるつまみ"));
    UpdateIndicators();
}

void CMainFrame::UpdateCounts() {
    const bool filtering = UpdateCommand(ID_VIEW_OPEN_ONLY).m_nCheck != 0;
    if (m_pFilterPane->isVisibleTo(m_wndStatusBar) != filtering)
        m_pFilterPane->setVisible(filtering);
    // Every change ends before the program goes idle; the sheet keeps its
    // counts, so this costs one walk of the current row.
    const QString text = CheckCountsText(m_pDoc->SheetDocument().m_Sheet);
    if (m_pCounts->text() != text)
        m_pCounts->setText(text);
}

void CMainFrame::UpdateIndicators() {
    ShowLockState(KeyLockState());
}

void CMainFrame::ShowLockState(int state) {
    for (std::size_t i = 0; i < m_indicators.size(); ++i) {
        const bool on = kIndicators[i].lockBit && (state & kIndicators[i].lockBit);
        const QString text = on ? QString::fromUtf8(kIndicators[i].text) : QString();
        if (m_indicators[i]->text() != text || m_indicators[i]->accessibleName().isEmpty()) {
            m_indicators[i]->setText(text);
            QString name = QString::fromUtf8(kIndicators[i].name);
            if (kIndicators[i].lockBit)
                name += on ? QStringLiteral(" オン") : QStringLiteral(" オフ");
            m_indicators[i]->setAccessibleName(name);
        }
    }
}

void CMainFrame::CreateAccelerators() {
    for (const CAccelerator& accel : AcceleratorTable()) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(QKeyCombination(accel.mods, Qt::Key(accel.key))));
        action->setShortcutContext(Qt::WindowShortcut);
        const UINT id = accel.id;
        connect(action, &QAction::triggered, this, [id] { RunCommand(id); });
        addAction(action);
    }
}

void CMainFrame::UpdateToolBar() {
    for (QAction* action : m_toolActions) {
        const CCmdUI ui = UpdateCommand(action->data().toUInt());
        if (action->isEnabled() != ui.m_bEnabled)
            action->setEnabled(ui.m_bEnabled);
        // A switch (only open rows) shows pressed while it is on.
        if (action->isChecked() != (ui.m_nCheck != 0)) {
            action->setCheckable(true);
            action->setChecked(ui.m_nCheck != 0);
        }
    }
}

std::span<const CMainFrame::Command> CMainFrame::Commands() {
    using F = CMainFrame;
    static const Command kCommands[] = {
        {ID_VIEW_TOOLBAR, [](F& f) { f.m_wndToolBar->setVisible(f.m_wndToolBar->isHidden()); },
         nullptr, [](F& f) { return int(!f.m_wndToolBar->isHidden()); }},
        {ID_VIEW_STATUS_BAR,
         [](F& f) { f.m_wndStatusBar->setVisible(f.m_wndStatusBar->isHidden()); }, nullptr,
         [](F& f) { return int(!f.m_wndStatusBar->isHidden()); }},
        {ID_APP_EXIT, [](F& f) { f.close(); }},
        {ID_HELP_FINDER, [](F& f) { f.WinHelp(0, HELP_FINDER); }},
        {ID_DEFAULT_HELP, [](F& f) { f.WinHelp(0, HELP_FINDER); }},
        {ID_HELP_SEARCH, [](F& f) { f.OnHelpSearch(); }},
        {ID_HELP_HOMEPAGE, [](F& f) { f.OnHomePage(); }},
        {ID_HELP, [](F& f) { f.OnContextHelp(); }},
    };
    return kCommands;
}

void CMainFrame::showEvent(QShowEvent* event) {
    CContFrameWnd::showEvent(event);
    // The grid has the keyboard when the window first shows, whatever a
    // question before it (recovery, the new-file step) left behind.
    if (!m_bShown && !event->spontaneous()) {
        m_bShown = true;
        m_pView->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_pDoc->SaveModified()) {
        event->ignore();
        return;
    }
    SavePlacement();
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // When one of our modal windows closes, the keyboard goes back to the
    // window beneath it (the dialog still open, else the main window), even
    // without a window manager to hand it back.
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && w != this && w->isModal() && isVisible())
            QTimer::singleShot(0, this, [this] {
                if (!isVisible() || QApplication::activePopupWidget())
                    return;
                QWidget* beneath = QApplication::activeModalWidget();
                if (!beneath)
                    beneath = this;
                // Qt may still count it active while the display gave the
                // keyboard to the root window: ask all the same.
                if (beneath->isVisible())
                    beneath->activateWindow();
            });
    }
    if (event->type() == QEvent::Polish)
        PrepareMenu(watched);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && OnHelpKey(watched))
        return true;
    // Lock keys change the indicators at once, not only at the next idle.
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            UpdateIndicators();
    }
    return CContFrameWnd::eventFilter(watched, event);
}
