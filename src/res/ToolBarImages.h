#pragma once
// The tool bar's button images, 16 x 15 pixels each, drawn in the 16 colours
// of the platform's standard 16-colour bitmaps, each found by its command's
// id, and the program's own icon.
#include <QIcon>
#include <QImage>

#include "res/CommandIds.h"

enum : int {
    kToolBarImageWidth = 16,
    kToolBarImageHeight = 15,
    // Screens up to this device pixel ratio get an image of their own.
    kToolBarImageMaxScale = 3,
};

// The button image of command id, enlarged scale times (each pixel a
// scale x scale block), on a transparent background; a null image for a
// command without one.
QImage ToolBarImage(UINT id, int scale = 1);

// The button icon of command id, with its image at every whole scale up to
// kToolBarImageMaxScale; a null icon for a command without an image.
QIcon ToolBarIcon(UINT id);

// The program's icon: a small check sheet with a tick, 32 x 32 and 16 x 16.
QIcon AppIcon();
