#pragma once
// The one view of the document: paints the sheet as a grid through the
// model's drawing operations, keeps its own two scroll bars beside the cells
// (so the header and the row names stay put), moves the cursor with keys and
// mouse, and handles undo, redo and the check command. The row and column
// commands live in the CSheetCommands it owns; printing is CSheetPrinter's.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include <QWidget>

#include "fw/CmdTarget.h"
#include "fw/Geometry.h"
#include "view/SheetPrinter.h"
#include "view/ViewHost.h"

class CDC;
class CSheetFile;
class CSheetCommands;
class CClipboardCommands;
class CFindCommands;
class CFontLinkCommands;
class CSettingsCommand;
class CSheetDocument;
class CViewDocument;
class QPoint;
class QScrollBar;

class CTavrelView : public QWidget, public CCommandTable<CTavrelView>, public CViewHost {
    Q_OBJECT
public:
    CTavrelView(CViewDocument* pDoc, QWidget* parent = nullptr);
    ~CTavrelView() override;

    // After every New and Open: lay out, measure, place and range the bars.
    void OnInitialUpdate();
    // The document changed what is shown: repaint everything.
    void OnUpdate();

    // The check, undo, redo and print commands; the rest go on to the
    // view's command classes.
    static std::span<const Command> Commands();

    // CViewHost
    CSheetDocument* GetDocument() override;
    void UpdateAllViews() override;
    void UpdateScrollRanges() override;
    void RedrawSelection() override;
    void CalcMetricsAndLayout() override;
    void GoToCell(int line, int column) override;
    // Makes the cell current and toggles it as Space does (one undo step).
    void ToggleCell(int line, int column);
    QWidget* Widget() override { return this; }
    std::string DocumentPath() override;

    void PlaceScrollBars();
    void ClipToGrid(CDC* pDC) const;
    // The grid rectangle: the client area less the two scroll bar strips.
    CRect GridRect() const;
    // Prints the sheet as shown here, at the size it has on this screen.
    CSheetPrinter Printer();

    QScrollBar* HScrollBar() const { return m_wndHScroll; }
    QScrollBar* VScrollBar() const { return m_wndVScroll; }
    CFindCommands* FindCommands() const { return m_pFind.get(); }
    bool IsOpenOnly() const { return m_bOpenOnly; }
    // The platform's scroll bar thickness (both directions).
    int ScrollBarExtent() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Scrolls by the desktop's wheel step, rows or (Shift, or a sideways
    // wheel) columns, as the scroll bars' line steps do.
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    CSheetFile& Sheet() const;
    // Scroll bar action on one axis (line, page, thumb, ends); a line step
    // moves by lines.
    void OnScroll(bool bHorz, int action, std::int64_t lines = 1);
    // After the cursor moved: the bar follows when the grid scrolled, and
    // the highlight when the cursor left its cell.
    void ShowMove(QScrollBar* bar, BOOL scrolled, int oldColumn, int oldLine);
    // Home, End, Ctrl+Home and Ctrl+End.
    enum class CursorTarget { LineStart, LineEnd, FirstLine, LastLine };
    void OnCursorTo(CursorTarget target);
    // Runs a command through the routing when it is enabled.
    void RunRouted(UINT id);
    // Where the keyboard opens the context menu: the current cell.
    QPoint CursorPoint() const;
    // A context that repaints, later, whatever the model draws on it.
    std::unique_ptr<CDC> ClientDC();
    // Fill the grid rectangle and ranges again after the sheet was replaced.
    void Relayout();
    void OnCheck();
    // Only open rows on or off: a view state, no undo step, no change.
    void OnViewOpenOnly();
    // After a cursor move: a finished row the cursor left is hidden now,
    // and the rows below it move up.
    void AfterCursorMove();
    // Scrolls a column (bHorz) or a row's place wholly into view, to the
    // nearer edge; false when it was in view already.
    bool BringIntoView(bool bHorz, int place);
    void OnEditUndo();
    void OnEditRedo();

    CViewDocument* m_pDoc;
    QScrollBar* m_wndHScroll = nullptr;
    QScrollBar* m_wndVScroll = nullptr;
    std::unique_ptr<CSheetCommands> m_pCommands;
    std::unique_ptr<CClipboardCommands> m_pClipboardCommands;
    std::unique_ptr<CFontLinkCommands> m_pFontLinkCommands;
    std::unique_ptr<CSettingsCommand> m_pSettings;
    std::unique_ptr<CFindCommands> m_pFind;
    bool m_bOpenOnly = false; // kept for every sheet this view shows
    // Wheel turns short of a notch, kept for the next event.
    static constexpr int kWheelNotch = 120;
    int m_nWheelRestX = 0;
    int m_nWheelRestY = 0;
};
