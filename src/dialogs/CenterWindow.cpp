#include "dialogs/CenterWindow.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

void CenterWindow(QWidget* dialog, const QSize& size) {
    QRect area;
    if (QWidget* owner = dialog->parentWidget())
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = dialog->screen())
        area = screen->availableGeometry();
    if (!area.isValid())
        return;
    QRect rc(QPoint(0, 0), size);
    rc.moveCenter(area.center());
    dialog->move(rc.topLeft());
}
