#pragma once
// Places a dialog of the given outer size centred over its owner's window,
// or over the screen when it has no owner.
#include <QSize>

class QWidget;

void CenterWindow(QWidget* dialog, const QSize& size);
