#include "view/TavrelView.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <utility>

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

#include "document/SheetDocument.h"
#include "fw/CommandRoute.h"
#include "model/CheckItem.h"
#include "model/DisplaySettings.h"
#include "model/PixelMath.h"
#include "model/SheetFile.h"
#include "qt/QtDC.h"
#include "res/CommandIds.h"
#include "res/CommandTable.h"
#include "view/ClipboardCommands.h"
#include "view/CommandActions.h"
#include "view/EditStep.h"
#include "view/FindCommands.h"
#include "view/FontLinkCommands.h"
#include "view/GridAccessible.h"
#include "view/InvalidatingDC.h"
#include "view/SettingsCommand.h"
#include "view/SheetCommands.h"
#include "view/ViewDocument.h"

CTavrelView::CTavrelView(CViewDocument* pDoc, QWidget* parent)
    : QWidget(parent), m_pDoc(pDoc), m_pCommands(std::make_unique<CSheetCommands>(this)),
      m_pClipboardCommands(std::make_unique<CClipboardCommands>(this)),
      m_pFontLinkCommands(std::make_unique<CFontLinkCommands>(this)),
      m_pSettings(std::make_unique<CSettingsCommand>(this)),
      m_pFind(std::make_unique<CFindCommands>(this)) {
    SetCommandChain({this, m_pCommands.get(), m_pClipboardCommands.get(), m_pFontLinkCommands.get(),
                     m_pSettings.get(), m_pFind.get()});
    setFocusPolicy(Qt::StrongFocus);
    // The window colour behind the grid, like any document window.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // The view draws the document's sheet: the look and the scroll bars are its.
    if (m_pDoc) {
        Sheet().SetLook(LoadDisplaySettings());
        Sheet().SetScrollBarExtents(ScrollBarExtent(), ScrollBarExtent());
    }

    m_wndHScroll = new QScrollBar(Qt::Horizontal, this);
    m_wndHScroll->setObjectName(QString::number(IDC_HSCROLL));
    m_wndHScroll->setProperty("id", int(IDC_HSCROLL));
    m_wndVScroll = new QScrollBar(Qt::Vertical, this);
    m_wndVScroll->setObjectName(QString::number(IDC_VSCROLL));
    m_wndVScroll->setProperty("id", int(IDC_VSCROLL));
    for (QScrollBar* bar : {m_wndHScroll, m_wndVScroll}) {
        bar->setGeometry(0, 0, 100, 100);
        bar->setFocusPolicy(Qt::NoFocus);
        // The view keeps the bar's position itself: the step sizes are its own.
        bar->setSingleStep(1);
    }
    connect(m_wndHScroll, &QScrollBar::actionTriggered, this, [this](int a) { OnScroll(true, a); });
    connect(m_wndVScroll, &QScrollBar::actionTriggered, this,
            [this](int a) { OnScroll(false, a); });
    InstallGridAccessible();
    new CGridAccessibleTracker(this);
}

CTavrelView::~CTavrelView() = default;

CSheetFile& CTavrelView::Sheet() const {
    return m_pDoc->SheetDocument().m_Sheet;
}

CSheetDocument* CTavrelView::GetDocument() {
    return m_pDoc ? &m_pDoc->SheetDocument() : nullptr;
}

std::string CTavrelView::DocumentPath() {
    return m_pDoc ? m_pDoc->PathName() : std::string();
}

void CTavrelView::UpdateAllViews() {
    if (m_pDoc)
        m_pDoc->UpdateAllViews();
}

int CTavrelView::ScrollBarExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

CRect CTavrelView::GridRect() const {
    const int cx = ScrollBarExtent();
    return CRect(0, 0, width() - cx, height() - cx);
}

void CTavrelView::ClipToGrid(CDC* pDC) const {
    pDC->SelectClipRect(GridRect());
}

std::unique_ptr<CDC> CTavrelView::ClientDC() {
    return std::make_unique<CInvalidatingDC>(
        [this](const CRect& rc) { update(QRect(rc.left, rc.top, rc.Width(), rc.Height())); });
}

void CTavrelView::OnInitialUpdate() {
    CSheetFile& s = Sheet();
    s.SetOpenOnly(m_bOpenOnly);
    const CRect rc = GridRect();
    s.Layout(rc.left, rc.top, rc.right, rc.bottom);
    {
        // Measuring needs only the fonts, not the screen.
        QImage image(1, 1, QImage::Format_RGB32);
        QPainter painter(&image);
        CQtDC dc(painter);
        s.CalcMetrics(&dc);
    }
    PlaceScrollBars();
    UpdateScrollRanges();
    m_wndVScroll->setValue(s.TopPos());
    m_wndHScroll->setValue(s.m_nLeftColumn);
    update();
}

void CTavrelView::OnUpdate() {
    // A change may have hidden or shown rows: the rows place themselves by
    // their place among the shown ones, only the bar needs its new range.
    if (m_bOpenOnly) {
        CSheetFile& s = Sheet();
        s.SettleShown();
        if (s.ShownCount() != m_wndVScroll->maximum() + m_wndVScroll->pageStep()) {
            UpdateScrollRanges();
            m_wndVScroll->setValue(s.TopPos());
        }
    }
    update();
}

void CTavrelView::CalcMetricsAndLayout() {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    CQtDC dc(painter);
    Sheet().CalcMetrics(&dc);
    update();
}

void CTavrelView::Relayout() {
    CSheetFile& s = Sheet();
    const CRect rc = GridRect();
    s.Layout(rc.left, rc.top, rc.right, rc.bottom);
    UpdateScrollRanges();
    m_wndVScroll->setValue(s.TopPos());
    m_wndHScroll->setValue(s.m_nLeftColumn);
}

void CTavrelView::PlaceScrollBars() {
    const int cx = ScrollBarExtent(), cy = cx;
    const int w = width(), h = height();
    const int colHeight = m_pDoc ? ClampPixelSize(Sheet().m_nColumnHeight) : 0;
    const int nameWidth = m_pDoc ? Sheet().LineNameWidthPx() : 100;
    m_wndHScroll->setGeometry(nameWidth, h - cy, std::max(0, w - cx - nameWidth), cy);
    m_wndVScroll->setGeometry(w - cx, colHeight, cx, std::max(0, h - cy - colHeight));
}

namespace {
// Range 0..count-1 with a page, as the platform keeps it: the thumb's last
// position is count - page, and a bar that cannot scroll is disabled.
// setValue, unlike setSliderPosition, does not come back as a scroll action
// (which would move the grid to where the bar's thumb can go).
void SetScrollInfo(QScrollBar* bar, int count, int page) {
    const int pos = bar->sliderPosition();
    const bool canScroll = count > 0 && page >= 0 && page < count;
    const int step = std::max(page, 1);
    bar->setRange(0, std::max(0, count - step));
    bar->setPageStep(step);
    bar->setValue(pos);
    bar->setEnabled(canScroll);
}
} // namespace

void CTavrelView::UpdateScrollRanges() {
    const CSheetFile& s = Sheet();
    // Sizes read from a file may be any number: bounded first, so nothing overflows.
    const int colWidth = ClampPixelSize(s.ColumnWidthPx()) ? ClampPixelSize(s.ColumnWidthPx()) : 1;
    const int lineHeight = ClampPixelSize(s.m_nLineHeight) ? ClampPixelSize(s.m_nLineHeight) : 1;
    SetScrollInfo(m_wndHScroll, s.m_Columns.GetSize(),
                  (width() - ClampPixelSize(s.LineNameWidthPx())) / colWidth);
    SetScrollInfo(m_wndVScroll, s.ShownCount(),
                  (height() - ClampPixelSize(s.m_nColumnHeight)) / lineHeight);
}

void CTavrelView::OnScroll(bool bHorz, int action, std::int64_t lines) {
    CSheetFile& s = Sheet();
    QScrollBar* bar = bHorz ? m_wndHScroll : m_wndVScroll;
    const int n = bHorz ? s.m_Columns.GetSize() : s.ShownCount();
    // In 64 bits: a position read from a file may sit at either end of int.
    const std::int64_t old = bHorz ? s.m_nLeftColumn : s.TopPos();
    std::int64_t p = old;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        p = old - lines;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        p = old + lines;
        break;
    case QAbstractSlider::SliderPageStepSub:
        p = old - 5;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        p = old + 5;
        break;
    case QAbstractSlider::SliderMove:
        p = bar->sliderPosition();
        break;
    case QAbstractSlider::SliderToMinimum:
        p = 0;
        break;
    case QAbstractSlider::SliderToMaximum:
        p = n - 1;
        break;
    default:
        break;
    }
    if (p < 0 || n - 1 < 0)
        p = 0;
    else
        p = std::min<std::int64_t>(p, n - 1);
    if (p != old) {
        if (bHorz)
            s.SetLeftColumn(static_cast<int>(p));
        else
            s.SetTopPos(static_cast<int>(p));
        if (m_pDoc)
            m_pDoc->UpdateAllViews();
    }
    // The bar shows where the grid is, not where its own step would go.
    bar->setSliderPosition(static_cast<int>(p));
}

void CTavrelView::GoToCell(int line, int column) {
    CSheetFile& s = Sheet();
    const int pos = line >= 0 && line < s.GetSize() ? s.ShownPos(line) : -1;
    bool scrolled = pos >= 0 && BringIntoView(false, pos);
    if (column >= 0 && column < s.m_Columns.GetSize())
        scrolled = BringIntoView(true, column) || scrolled;
    if (scrolled) {
        m_wndVScroll->setValue(s.TopPos());
        m_wndHScroll->setValue(s.m_nLeftColumn);
    }
    if (scrolled && m_pDoc)
        m_pDoc->UpdateAllViews();
    auto dc = ClientDC();
    ClipToGrid(dc.get());
    s.SetCur(column, line, dc.get());
    AfterCursorMove();
}

void CTavrelView::AfterCursorMove() {
    if (!Sheet().SettleShown())
        return;
    Relayout();
    update();
}

void CTavrelView::OnViewOpenOnly() {
    m_bOpenOnly = !m_bOpenOnly;
    Sheet().SetOpenOnly(m_bOpenOnly);
    Relayout();
    // The same current row, in view either way.
    if (Sheet().GetCurLine())
        GoToCell(Sheet().m_nCurLine, -1);
    update();
}

void CTavrelView::ToggleCell(int line, int column) {
    GoToCell(line, column);
    RunRouted(ID_EDIT_CHECK);
}

void CTavrelView::RedrawSelection() {
    auto dc = ClientDC();
    ClipToGrid(dc.get());
    Sheet().DrawSelection(dc.get());
}

void CTavrelView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    CQtDC dc(painter);
    dc.SetPaintRegion(event->region());
    ClipToGrid(&dc);
    Sheet().Draw(&dc);
}

void CTavrelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const CRect rc = GridRect();
    Sheet().Layout(rc.left, rc.top, rc.right, rc.bottom);
    PlaceScrollBars();
    UpdateScrollRanges();
}

void CTavrelView::keyPressEvent(QKeyEvent* event) {
    CSheetFile& s = Sheet();
    const int oldColumn = s.m_nCurColumn, oldLine = s.m_nCurLine;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    bool moved = true;
    BOOL scrolled = FALSE;
    QScrollBar* bar = m_wndVScroll;
    // Keys go by key alone: Shift, or Ctrl where no accelerator takes the
    // combination, moves like the plain key. Alt combinations are the menu's.
    UINT accelerator = AcceleratorCommand(event->key(), event->modifiers());
    if (accelerator || (mods & (Qt::AltModifier | Qt::MetaModifier))) {
        moved = false;
    } else {
        switch (event->key()) {
        case Qt::Key_PageUp:
            scrolled = s.MoveUp(5);
            break;
        case Qt::Key_PageDown:
            scrolled = s.MoveDown(5);
            break;
        case Qt::Key_Up:
            scrolled = s.MoveUp(1);
            break;
        case Qt::Key_Down:
            scrolled = s.MoveDown(1);
            break;
        case Qt::Key_Left:
            scrolled = s.MoveLeft();
            bar = m_wndHScroll;
            break;
        case Qt::Key_Right:
            scrolled = s.MoveRight();
            bar = m_wndHScroll;
            break;
        case Qt::Key_Home:
        case Qt::Key_End:
            // Commands, by the key with Ctrl alone: Shift and the keypad
            // miss the frame's shortcuts.
            moved = false;
            accelerator = AcceleratorCommand(event->key(), mods & Qt::ControlModifier);
            break;
        default:
            moved = false;
            break;
        }
    }
    if (moved) {
        ShowMove(bar, scrolled, oldColumn, oldLine);
        event->accept();
        return;
    }
    // The frame's shortcuts take their keys first; a key reaches the view
    // only without a frame, and then runs through the view alone.
    if (const UINT id = accelerator) {
        if (CommandRoute())
            RunCommand(id);
        else
            RunRouted(id);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTavrelView::ShowMove(QScrollBar* bar, BOOL scrolled, int oldColumn, int oldLine) {
    const CSheetFile& s = Sheet();
    if (scrolled) {
        bar->setValue(bar == m_wndHScroll ? s.m_nLeftColumn : s.TopPos());
        if (m_pDoc)
            m_pDoc->UpdateAllViews();
    }
    if (s.m_nCurColumn != oldColumn || s.m_nCurLine != oldLine)
        RedrawSelection();
    AfterCursorMove();
}

void CTavrelView::OnCursorTo(CursorTarget target) {
    CSheetFile& s = Sheet();
    const int oldColumn = s.m_nCurColumn, oldLine = s.m_nCurLine;
    BOOL scrolled = FALSE;
    // The arrow keys' and page keys' moves taken to the end, so the cursor
    // and the grid follow their rules: a column at a time (the grid scrolls
    // as Left and Right scroll it), rows in one step.
    switch (target) {
    case CursorTarget::LineStart:
        if (s.m_nCurColumn < 0)
            scrolled |= s.MoveRight(); // no current column: the first one
        while (s.m_nCurColumn > 0)
            scrolled |= s.MoveLeft();
        break;
    case CursorTarget::LineEnd:
        while (s.m_nCurColumn < s.m_Columns.GetSize() - 1)
            scrolled |= s.MoveRight();
        break;
    case CursorTarget::FirstLine:
        // By enough rows to bring the first row into view as well.
        scrolled = s.MoveUp(std::max({s.ShownPos(s.m_nCurLine), s.TopPos(), 0}));
        break;
    case CursorTarget::LastLine:
        scrolled = s.MoveDown(s.ShownCount() - 1 - std::max(s.ShownPos(s.m_nCurLine), -1));
        break;
    }
    const bool bHorz = target == CursorTarget::LineStart || target == CursorTarget::LineEnd;
    QScrollBar* bar = bHorz ? m_wndHScroll : m_wndVScroll;
    // Those rules keep a cursor where it was on the screen; one the wheel
    // had scrolled away is brought back, to the nearer edge of the grid.
    const int cur = bHorz ? s.m_nCurColumn : s.ShownPos(s.m_nCurLine);
    if (cur >= 0 && BringIntoView(bHorz, cur))
        scrolled = TRUE;
    ShowMove(bar, scrolled, oldColumn, oldLine);
}

bool CTavrelView::BringIntoView(bool bHorz, int place) {
    CSheetFile& s = Sheet();
    const CRect grid = GridRect();
    const int first = bHorz ? s.m_nLeftColumn : s.TopPos();
    const int start = ClampPixelSize(bHorz ? s.LineNameWidthPx() : s.m_nColumnHeight);
    const int step = std::max(ClampPixelSize(bHorz ? s.ColumnWidthPx() : s.m_nLineHeight), 1);
    const int shown = std::max(((bHorz ? grid.right : grid.bottom) - start) / step, 1);
    if (place >= first && std::int64_t(place) - first < shown)
        return false;
    const int to = place < first ? place : place - shown + 1;
    if (bHorz)
        s.SetLeftColumn(to);
    else
        s.SetTopPos(to);
    return true;
}

void CTavrelView::wheelEvent(QWheelEvent* event) {
    QPoint delta = event->angleDelta();
    // Shift turns the wheel sideways where the desktop has not already.
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0)
        delta = QPoint(delta.y(), 0);
    for (const bool bHorz : {false, true}) {
        // A touchpad sends a notch (120) in small parts: they add up.
        int& rest = bHorz ? m_nWheelRestX : m_nWheelRestY;
        rest += bHorz ? delta.x() : delta.y();
        const int notches = rest / kWheelNotch;
        if (notches == 0)
            continue;
        rest -= notches * kWheelNotch;
        // Away from the user (positive) is up, or left.
        const std::int64_t lines =
            std::int64_t(std::abs(notches)) * std::max(QApplication::wheelScrollLines(), 1);
        // As in the bar's own step, the bar's thumb follows without coming
        // back as a move of its own (to where the thumb can go).
        const QSignalBlocker quiet(bHorz ? m_wndHScroll : m_wndVScroll);
        OnScroll(bHorz,
                 notches > 0 ? QAbstractSlider::SliderSingleStepSub
                             : QAbstractSlider::SliderSingleStepAdd,
                 lines);
    }
    event->accept();
}

void CTavrelView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    auto dc = ClientDC();
    ClipToGrid(dc.get());
    if (const CDataItem* item = Sheet().HitTest(p.x(), p.y(), dc.get())) {
        const CCheckItem* check = AsCheckItem(item);
        // Not one EditStep: a hit cell marks the document even where the
        // click toggles nothing.
        if (check && check->CheckRect().PtInRect(CPoint(p.x(), p.y())))
            GuardCommand([&] {
                GetDocument()->SaveUndo();
                // The hit cell is the current one now: toggled through the
                // sheet, which keeps the snapshot's row apart and the counts exact.
                Sheet().ToggleCur(dc.get());
            });
        GetDocument()->SetModifiedFlag(true);
    }
    AfterCursorMove();
    event->accept();
}

void CTavrelView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (Sheet().LineFromPoint(p.x(), p.y()) >= 0)
        RunRouted(ID_LINE_EDIT);
    else if (Sheet().ColumnFromPoint(p.x(), p.y()) >= 0)
        RunRouted(ID_COLUMN_EDIT);
    event->accept();
}

QPoint CTavrelView::CursorPoint() const {
    const CSheetFile& s = Sheet();
    CRect rc;
    const CLineData* line = s.GetCurLine();
    const CColumnData* column = s.GetCurColumn();
    if (line && column && s.m_nCurColumn < line->GetSize())
        rc = line->GetAt(s.m_nCurColumn)->GetRect();
    if (rc.IsRectEmpty() && line)
        rc = line->m_rect;
    if (rc.IsRectEmpty() && column)
        rc = column->m_rect;
    const CRect grid = GridRect();
    if (rc.IsRectEmpty() || !rc.Intersects(grid))
        return QPoint(0, 0);
    // The middle of the cell's visible part.
    const CRect shown = rc.Intersect(grid);
    return QPoint((shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2);
}

void CTavrelView::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(CursorPoint())
                                                                     : event->globalPos();
    QWidget* owner = window();
    std::unique_ptr<QMenu> menu(BuildPopupMenu(IDR_CONTEXT_MENU, owner));
    if (menu)
        menu->exec(at);
    event->accept();
}

void CTavrelView::RunRouted(UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    if (!OnUpdateCmdUI(ui) || !ui.m_bEnabled)
        return;
    GuardCommand([&] { OnCmdMsg(id); });
}

std::span<const CTavrelView::Command> CTavrelView::Commands() {
    using V = CTavrelView;
    static const Command kCommands[] = {
        {ID_EDIT_CHECK, [](V& v) { v.OnCheck(); },
         [](V& v) {
             return v.Sheet().GetCurLine() != nullptr && v.Sheet().GetCurColumn() != nullptr;
         }},
        {ID_EDIT_UNDO, [](V& v) { v.OnEditUndo(); },
         [](V& v) { return v.GetDocument()->CanUndo(); }},
        {ID_EDIT_REDO, [](V& v) { v.OnEditRedo(); },
         [](V& v) { return v.GetDocument()->CanRedo(); }},
        {ID_CURSOR_LINE_START, [](V& v) { v.OnCursorTo(CursorTarget::LineStart); }},
        {ID_CURSOR_LINE_END, [](V& v) { v.OnCursorTo(CursorTarget::LineEnd); }},
        {ID_CURSOR_FIRST_LINE, [](V& v) { v.OnCursorTo(CursorTarget::FirstLine); }},
        {ID_CURSOR_LAST_LINE, [](V& v) { v.OnCursorTo(CursorTarget::LastLine); }},
        {ID_FILE_PRINT, [](V& v) { v.Printer().PrintWithDialog(); }},
        {ID_FILE_PRINT_DIRECT, [](V& v) { v.Printer().PrintToDefaultPrinter(); }},
        {ID_FILE_PRINT_PREVIEW, [](V& v) { v.Printer().Preview(); }},
        {ID_VIEW_OPEN_ONLY, [](V& v) { v.OnViewOpenOnly(); }, nullptr,
         [](V& v) { return v.m_bOpenOnly ? 1 : 0; }},
    };
    return kCommands;
}

void CTavrelView::OnCheck() {
    auto dc = ClientDC();
    ClipToGrid(dc.get());
    EditStep(*this, kEditDrawn, [&](CSheetFile& sheet) { sheet.ToggleCur(dc.get()); });
}

void CTavrelView::OnEditUndo() {
    GetDocument()->Undo();
    // The sheet no longer matches its file, so leaving it unmarked would let
    // a close skip the save question and lose the undone state.
    GetDocument()->SetModifiedFlag(true);
    // The snapshot's rectangles belong to the window size it was taken at.
    Relayout();
    m_pDoc->UpdateAllViews();
}

void CTavrelView::OnEditRedo() {
    GetDocument()->Redo();
    GetDocument()->SetModifiedFlag(true);
    Relayout();
    m_pDoc->UpdateAllViews();
}

CSheetPrinter CTavrelView::Printer() {
    return CSheetPrinter(Sheet(), logicalDpiX(), DocumentPath());
}
