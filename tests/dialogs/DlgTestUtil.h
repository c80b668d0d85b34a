#pragma once
// Helpers for driving a real modal dialog: the driver runs once the dialog
// is showing; whatever happens, the dialog is closed afterwards so a failed
// expectation never leaves the test waiting.
#include <QDialog>
#include <QTimer>
#include <functional>

inline void DriveNextModal(QDialog& dlg, std::function<void()> drive) {
    QTimer::singleShot(0, &dlg, [&dlg, drive] {
        drive();
        if (dlg.isVisible())
            dlg.reject();
    });
}
