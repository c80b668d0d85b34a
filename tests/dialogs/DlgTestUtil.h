#pragma once
// Helpers for dialogs in tests: driving a real modal dialog, and answering
// the file questions in the user's place.
#include <QDialog>
#include <QTimer>
#include <functional>
#include <optional>

#include "dialogs/FileChooser.h"
#include "fw/UserInterface.h"

// The driver runs once the dialog is showing; whatever happens, the dialog is
// closed afterwards so a failed expectation never leaves the test waiting.
inline void DriveNextModal(QDialog& dlg, std::function<void()> drive) {
    QTimer::singleShot(0, &dlg, [&dlg, drive] {
        drive();
        if (dlg.isVisible())
            dlg.reject();
    });
}

// Every file question is answered by answer(what was asked): a path, or
// nothing for the user cancelling.
template <class Answer> void AnswerFileQuestions(CScriptedUserInterface& ui, Answer answer) {
    ui.AnswerDialogs<CFileDialogEx>([answer](CFileDialogEx& d) mutable {
        const CFileChooser::Request asked{d.IsOpenDialog(), d.DefExt(),     d.FileName(),
                                          d.m_dwFlags,      d.FilterText(), d.m_strTitle};
        const std::optional<QString> path = answer(asked);
        if (!path)
            return int(IDCANCEL);
        d.SetPathName(*path);
        return int(IDOK);
    });
}
