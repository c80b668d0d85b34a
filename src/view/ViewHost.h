#pragma once
// What the editing commands need from the grid view that shows the sheet.
#include <string>

class CSheetDocument;
class QWidget;

class CViewHost {
public:
    virtual ~CViewHost() = default;
    // The sheet with its undo history and modified flag.
    virtual CSheetDocument* GetDocument() = 0;
    // Repaint every view of the document.
    virtual void UpdateAllViews() = 0;
    // Re-range both scroll bars (after the row or column count changed).
    virtual void UpdateScrollRanges() = 0;
    // Redraw the highlights of the current row and column (DrawSelection).
    virtual void RedrawSelection() = 0;
    // Measure the fonts again and lay out (after settings or font changes).
    virtual void CalcMetricsAndLayout() = 0;
    // Moves the cursor to a row (-1: keeps the row) and a column (-1: keeps
    // the column), scrolling it into view.
    virtual void GoToCell(int line, int column) = 0;
    // Parent window for dialogs and message boxes.
    virtual QWidget* Widget() = 0;
    // The file the sheet was read from or saved to (UTF-8); empty until then.
    virtual std::string DocumentPath() { return {}; }
};
