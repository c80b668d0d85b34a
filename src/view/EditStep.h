#pragma once
// One edit of the sheet, in the order every editing command keeps: the undo
// snapshot, the change, the modified flag, then the views.
#include "document/SheetDocument.h"
#include "view/ViewHost.h"

// What a change does beyond its cells and names, so that the views follow it.
enum EditEffect : unsigned {
    kEditCells = 0,  // repaint only
    kEditCounts = 1, // rows or columns came or went: the scroll ranges too
    kEditCursor = 2, // the cursor moved: the highlight too
    kEditCountsAndCursor = kEditCounts | kEditCursor,
    kEditDrawn = 4, // the change drew what it changed: no repaint of the views
};

template <class Change> void EditStep(CViewHost& host, unsigned effects, Change&& change) {
    CSheetDocument& doc = *host.GetDocument();
    doc.SaveUndo();
    change(doc.m_Sheet);
    doc.SetModifiedFlag(true);
    if (effects & kEditCounts)
        host.UpdateScrollRanges();
    if (effects & kEditCursor)
        host.RedrawSelection();
    if (!(effects & kEditDrawn))
        host.UpdateAllViews();
}
