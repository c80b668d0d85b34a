#include "app/TavrelDoc.h"

#include <QDir>
#include <QFileInfo>

#include "dialogs/NewFileDlg.h"
#include "dialogs/FileChooser.h"
#include "fw/UserInterface.h"
#include "model/SheetIo.h"
#include "res/CommandIds.h"

namespace {

void ReportFileError(FileError error, const QString& path) {
    AfxGetUserInterface().MessageBox(FileErrorMessage(error, path.toStdString()),
                                     MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

CTavrelDoc::CTavrelDoc() {
    SetCommandChain({this, &m_docCommands});
    SetDefaultTitle();
}

CTavrelDoc::~CTavrelDoc() = default;

void CTavrelDoc::SetDefaultTitle() {
    m_strPathName.clear();
    m_strTitle = QStringLiteral("Sheet1");
    emit TitleChanged(m_strTitle);
}

void CTavrelDoc::SetPathName(const QString& path) {
    m_strPathName = QFileInfo(path).absoluteFilePath();
    m_strTitle = QFileInfo(path).fileName();
    emit TitleChanged(m_strTitle);
}

bool CTavrelDoc::OnNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    SetDefaultTitle();
    CNewFileDlg dlg;
    if (dlg.DoModal() == IDOK)
        BuildNewSheet(m_Sheet, dlg.LinesCp932());
    SetModifiedFlag(false);
    emit InitialUpdate();
    return true;
}

bool CTavrelDoc::OnOpenDocument(const QString& path) {
    // The sheet is emptied and the history dropped before reading, so a
    // failed read leaves nothing of the old sheet behind.
    if (auto err = Open(path.toStdString())) {
        ReportFileError(*err, path);
        SetModifiedFlag(true);
        return false;
    }
    SetPathName(path);
    emit InitialUpdate();
    emit FileUsed(m_strPathName);
    return true;
}

bool CTavrelDoc::OnOpenRecovered(const QString& copyPath, const QString& originalPath) {
    if (auto err = Open(copyPath.toStdString())) {
        ReportFileError(*err, copyPath);
        return false;
    }
    if (originalPath.isEmpty())
        SetDefaultTitle();
    else
        SetPathName(originalPath);
    SetModifiedFlag(true);
    emit InitialUpdate();
    return true;
}

bool CTavrelDoc::OnSaveDocument(const QString& path) {
    if (auto err = Save(path.toStdString())) {
        ReportFileError(*err, path);
        return false;
    }
    return true;
}

bool CTavrelDoc::DoSaveAs() {
    const QString initial = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    auto path = CFileChooser::SheetSaveAs(initial, m_pOwner);
    if (!path)
        return false;
    if (!OnSaveDocument(*path))
        return false;
    SetPathName(*path);
    emit FileUsed(m_strPathName);
    return true;
}

bool CTavrelDoc::DoFileSave() {
    if (m_strPathName.isEmpty() || !QFileInfo(m_strPathName).dir().exists())
        return DoSaveAs();
    if (!OnSaveDocument(m_strPathName))
        return false;
    emit FileUsed(m_strPathName);
    return true;
}

bool CTavrelDoc::SaveModified() {
    if (!IsModified())
        return true;
    const QString name = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    const std::string question = name.toStdString() + " への変更を保存しますか?";
    switch (AfxGetUserInterface().MessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        emit ChangesDiscarded();
        return true;
    default:
        return false;
    }
}

std::span<const CTavrelDoc::Command> CTavrelDoc::Commands() {
    static const Command kCommands[] = {
        {ID_FILE_SAVE, [](CTavrelDoc& d) { d.DoFileSave(); }},
        {ID_FILE_SAVE_AS, [](CTavrelDoc& d) { d.DoSaveAs(); }},
    };
    return kCommands;
}
