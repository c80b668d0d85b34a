#pragma once
// Drives whatever modal window opens next, for dialogs that a command or a
// button makes on its own stack. The driver runs once the window is showing;
// a dialog still open afterwards is cancelled, so a failed expectation never
// leaves the test waiting.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>

inline void DriveActiveModal(std::function<void(QWidget*)> drive) {
    QTimer::singleShot(0, qApp, [drive] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        drive(w);
        if (auto* dlg = qobject_cast<QDialog*>(w.data()); dlg && dlg->isVisible())
            dlg->reject();
    });
}
