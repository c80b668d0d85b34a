#pragma once
// Screen readers name a control by its accessible name. The dialogs place a
// static label beside or above each control, as their templates do, without
// tying the two: these give every unnamed control the text of its label.
#include <QString>

#include "fw/ColorRef.h"

class QWidget;

// Names the controls of root: a button by its own text, any other control
// by the label that is its buddy, or else the nearest label on its left on
// the same line, or else the nearest label just above it. "&" marks go.
void NameControlsFromLabels(QWidget* root);
// Names the controls of every dialog as it is first shown; combo boxes are
// named by their labels (not by their value), colour buttons add their
// colour to their name, and tool-bar separators read as separators.
void InstallAccessibleNaming();
// A colour as a screen reader says it: in words, then as #RRGGBB ("濃い青 #000080").
QString ColorInWords(COLORREF color);
