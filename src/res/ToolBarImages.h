#pragma once
// The tool bar's button images, 16 x 15 pixels each, drawn in the 16 colours
// of the platform's standard 16-colour bitmaps on a silver background, in the
// order of the tool bar's buttons (separators have no image), and the
// program's own icon.
#include <QIcon>
#include <QImage>

enum : int {
    kToolBarImageWidth = 16,
    kToolBarImageHeight = 15,
    kToolBarImageCount = 21,
};

// Image indices, in button order.
enum ToolBarImage : int {
    TBI_NEWFILE,
    TBI_OPEN,
    TBI_SAVE,
    TBI_UNDO,
    TBI_REDO,
    TBI_ADDROW,
    TBI_ADDCOLUMN,
    TBI_INSERTROW,
    TBI_INSERTCOLUMN,
    TBI_DELETEROW,
    TBI_DELETECOLUMN,
    TBI_ROWLINK,
    TBI_COLUMNLINK,
    TBI_ROWUP,
    TBI_ROWDOWN,
    TBI_COLUMNLEFT,
    TBI_COLUMNRIGHT,
    TBI_CSVEXPORT,
    TBI_HTMLEXPORT,
    TBI_COPYBITMAP,
    TBI_HELP,
};

// All images side by side, 336 x 15, silver (0xC0C0C0) where nothing is drawn.
QImage ToolBarStrip();

// One button image with a transparent background; a null icon outside 0..20.
QIcon ToolBarIcon(int index);

// The program's icon: a small check sheet with a tick, 32 x 32 and 16 x 16.
QIcon AppIcon();
