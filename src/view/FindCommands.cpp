#include "view/FindCommands.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolButton>

#include "document/SheetDocument.h"
#include "fw/Cp932.h"
#include "fw/UserInterface.h"
#include "res/CommandIds.h"
#include "view/ViewHost.h"

namespace {

constexpr char kNotFound[] = "見つかりません";
constexpr char kNoneLeft[] = "未チェックはありません";

QString U(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

CFindBar::CFindBar(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("FindBar"));
    setAccessibleName(U("検索"));
    setMovable(false);
    setFloatable(false);
    auto* label = new QLabel(U("検索:"), this);
    addWidget(label);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setAccessibleName(U("検索する文字列"));
    m_pEdit->setMinimumWidth(200);
    m_pEdit->installEventFilter(this);
    label->setBuddy(m_pEdit);
    addWidget(m_pEdit);
    QAction* prev = addAction(U("前へ"));
    prev->setToolTip(U("前を検索 (Shift+F3)"));
    QAction* next = addAction(U("次へ"));
    next->setToolTip(U("次を検索 (F3)"));
    m_pResult = new QLabel(this);
    m_pResult->setAccessibleName(U("検索の結果"));
    m_pResult->setMinimumWidth(100);
    m_pResult->setContentsMargins(8, 0, 8, 0);
    addWidget(m_pResult);
    QAction* close = addAction(U("閉じる"));
    close->setToolTip(U("検索バーを閉じる (Esc)"));
    connect(prev, &QAction::triggered, this, [this] { emit findNext(-1); });
    connect(next, &QAction::triggered, this, [this] { emit findNext(+1); });
    connect(close, &QAction::triggered, this, [this] {
        hide();
        emit closed();
    });
    connect(m_pEdit, &QLineEdit::textEdited, this, [this] { emit textEdited(); });
    // Not listed in the frame's menu of bars: the find command opens it.
    toggleViewAction()->setVisible(false);
}

void CFindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        emit closed();
        event->accept();
        return;
    }
    QToolBar::keyPressEvent(event);
}

bool CFindBar::eventFilter(QObject* watched, QEvent* event) {
    // Enter and Esc belong to the bar while its text has the focus, not to
    // the frame's keys (Enter would edit the row).
    if (watched == m_pEdit && event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    if (watched == m_pEdit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findNext(key->modifiers() & Qt::ShiftModifier ? -1 : +1);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

// Commands.

std::span<const CFindCommands::Command> CFindCommands::Commands() {
    using F = CFindCommands;
    static const Command kCommands[] = {
        {ID_EDIT_FIND, [](F& c) { c.OnFind(); }},
        {ID_EDIT_FIND_NEXT, [](F& c) { c.OnFindNext(+1); }},
        {ID_EDIT_FIND_PREV, [](F& c) { c.OnFindNext(-1); }},
        {ID_NEXT_UNCHECKED, [](F& c) { c.OnNextUnchecked(); }},
    };
    return kCommands;
}

CSheetFile& CFindCommands::Sheet() const {
    return m_pHost->GetDocument()->m_Sheet;
}

CFindBar* CFindCommands::EnsureBar() {
    if (m_pBar)
        return m_pBar;
    QWidget* view = m_pHost->Widget();
    QWidget* top = view->window();
    m_pBar = new CFindBar(top);
    if (auto* frame = qobject_cast<QMainWindow*>(top)) {
        frame->addToolBar(Qt::BottomToolBarArea, m_pBar);
    } else {
        // A view without a frame (embedded): the bar is a small window of its own.
        m_pBar->setParent(view, Qt::Tool);
    }
    QObject::connect(m_pBar, &CFindBar::findNext, m_pBar,
                     [this](int direction) { OnFindNext(direction); });
    QObject::connect(m_pBar, &CFindBar::textEdited, m_pBar, [this] {
        const std::vector<CFindMatch> found = Matches();
        ShowResult(0, static_cast<int>(found.size()));
    });
    QObject::connect(m_pBar, &CFindBar::closed, m_pBar,
                     [this] { m_pHost->Widget()->setFocus(Qt::OtherFocusReason); });
    return m_pBar;
}

void CFindCommands::OnFind() {
    CFindBar* bar = EnsureBar();
    bar->show();
    bar->Edit()->setFocus(Qt::ShortcutFocusReason);
    bar->Edit()->selectAll();
}

std::vector<CFindMatch> CFindCommands::Matches() const {
    if (!m_pBar)
        return {};
    const cp932::EncodeResult text = cp932::FromUtf8(m_pBar->Edit()->text().toStdString());
    // A character the sheet cannot hold is in no name either.
    if (!text.ok())
        return {};
    const CSheetFile& s = Sheet();
    if (!s.IsOpenOnly())
        return FindAll(s, FoldForFind(text.text));
    return FindAll(s, FoldForFind(text.text), [&s](int i) { return s.IsShown(i); });
}

void CFindCommands::ShowResult(int n, int m) {
    if (!m_pBar)
        return;
    QString text;
    if (m_pBar->Edit()->text().isEmpty())
        text.clear();
    else if (m == 0)
        text = U(kNotFound);
    else if (n == 0)
        text = U("%1 件").arg(m);
    else
        text = U("%1 / %2 件").arg(n).arg(m);
    m_pBar->Result()->setText(text);
}

void CFindCommands::OnFindNext(int direction) {
    if (!m_pBar || m_pBar->Edit()->text().isEmpty()) {
        OnFind();
        return;
    }
    const std::vector<CFindMatch> found = Matches();
    const int m = static_cast<int>(found.size());
    if (m == 0) {
        ShowResult(0, 0);
        AfxGetUserInterface().MessageBeep();
        return;
    }
    const CSheetFile& s = Sheet();
    auto cursorOn = [&](const CFindMatch& f) {
        return f.bColumn ? f.index == s.m_nCurColumn
                         : s.GetCurLine() != nullptr && f.index == s.m_nCurLine;
    };
    int k;
    const auto last = m_last ? std::find(found.begin(), found.end(), *m_last) : found.end();
    if (last != found.end() && cursorOn(*last)) {
        k = static_cast<int>(last - found.begin()) + direction;
    } else {
        // From the cursor, in the order of the matches: the header's columns
        // before every row.
        const bool onRow = s.GetCurLine() != nullptr;
        auto before = [&](const CFindMatch& f) {
            if (onRow)
                return f.bColumn || f.index < s.m_nCurLine;
            return f.bColumn && f.index < s.m_nCurColumn;
        };
        const int firstNotBefore = static_cast<int>(
            std::partition_point(found.begin(), found.end(), before) - found.begin());
        const bool onMatch = firstNotBefore < m && onRow == !found[firstNotBefore].bColumn &&
                             cursorOn(found[firstNotBefore]);
        if (direction > 0)
            k = onMatch ? firstNotBefore + 1 : firstNotBefore;
        else
            k = firstNotBefore - 1;
    }
    k = ((k % m) + m) % m;
    const CFindMatch& f = found[k];
    if (f.bColumn)
        m_pHost->GoToCell(-1, f.index);
    else
        m_pHost->GoToCell(f.index, -1);
    m_last = f;
    ShowResult(k + 1, m);
}

void CFindCommands::Prompt(const char* text) {
    if (auto* frame = qobject_cast<QMainWindow*>(m_pHost->Widget()->window()))
        frame->statusBar()->showMessage(U(text));
}

void CFindCommands::OnNextUnchecked() {
    const CSheetFile& s = Sheet();
    const int line = s.GetCurLine() ? s.m_nCurLine : -1;
    const std::optional<CCellPos> next = FindNextUnchecked(s, line, s.m_nCurColumn);
    if (!next) {
        AfxGetUserInterface().MessageBeep();
        Prompt(kNoneLeft);
        return;
    }
    m_pHost->GoToCell(next->line, next->column);
}
