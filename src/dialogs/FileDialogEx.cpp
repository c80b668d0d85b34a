#include "dialogs/FileDialogEx.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QShowEvent>
#include <QStringList>

#include "dialogs/CenterWindow.h"
#include "fw/UserInterface.h"

namespace {

bool HasExtension(const QString& path) {
    // Only the last component counts: "dir.d/name" has no extension.
    return QFileInfo(path).fileName().contains(QChar('.'));
}

// Qt's dialog with the program's checks on accepting a name, which ask
// through the user-interaction interface like every other question, and the
// placement over the owner.
class CCheckedFileDialog : public QFileDialog {
public:
    CCheckedFileDialog(QWidget* pOwner, const QString& title, DWORD flags, const QString& defExt)
        : QFileDialog(pOwner, title), m_dwFlags(flags), m_strDefExt(defExt) {}

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QString path = CFileDialogEx::WithDefaultExt(files.front(), m_strDefExt);
            const QFileInfo info(path);
            // A folder typed as the name is opened by the base dialog.
            if (!info.isDir() && !Acceptable(info))
                return;
        }
        QFileDialog::accept();
    }

protected:
    void showEvent(QShowEvent* e) override {
        QFileDialog::showEvent(e);
        if (e->spontaneous())
            return;
        CenterWindow(this, frameGeometry().size());
    }

private:
    bool Acceptable(const QFileInfo& info) const {
        CUserInterface& ui = AfxGetUserInterface();
        const std::string name = info.fileName().toStdString();
        if ((m_dwFlags & OFN_FILEMUSTEXIST) && !info.exists()) {
            ui.MessageBox(
                name + "\nファイルが見つかりません。\nファイル名を確認して再実行してください。",
                MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if ((m_dwFlags & OFN_PATHMUSTEXIST) && !info.absoluteDir().exists()) {
            ui.MessageBox(info.absolutePath().toStdString() +
                              "\nパスが存在しません。\nパスが正しいかどうか確認してください。",
                          MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
        if (acceptMode() == AcceptSave && (m_dwFlags & OFN_OVERWRITEPROMPT) && info.exists()) {
            return ui.MessageBox(name + " は既に存在します。\n上書きしますか?",
                                 MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
        }
        return true;
    }

    DWORD m_dwFlags;
    QString m_strDefExt;
};

} // namespace

CFileDialogEx::CFileDialogEx(bool bOpenFileDialog, const QString& defExt, const QString& fileName,
                             DWORD flags, const QString& filter, QWidget* pParentWnd)
    : m_dwFlags(flags), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(defExt),
      m_strFileName(fileName), m_strFilter(filter), m_pParentWnd(pParentWnd) {}

QString CFileDialogEx::QtFilter(const QString& filter) {
    QStringList parts = filter.split(QChar('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // An empty part ends the list, as "||" does.
        if (parts[i].isEmpty() || parts[i + 1].isEmpty())
            break;
        QString pattern = parts[i + 1];
        // "*.*" means every file, also those without an extension.
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QChar(';'), QChar(' '));
        out << parts[i] + QStringLiteral(" (") + pattern + QStringLiteral(")");
    }
    return out.join(QStringLiteral(";;"));
}

QString CFileDialogEx::WithDefaultExt(const QString& path, const QString& defExt) {
    if (defExt.isEmpty() || defExt == QStringLiteral("*") || path.isEmpty() || HasExtension(path))
        return path;
    return path + QChar('.') + defExt;
}

int CFileDialogEx::DoModal() {
    return AfxGetUserInterface().DoModal(*this);
}

int CFileDialogEx::ShowModal() {
    QWidget* owner = m_pParentWnd ? m_pParentWnd : QApplication::activeWindow();
    // Qt's own dialog everywhere, so the checks, the questions and the
    // placement are the same on every desktop.
    CCheckedFileDialog dialog(owner, m_strTitle, m_dwFlags, m_strDefExt);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question is asked by the dialog's own check.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(m_bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(m_dwFlags & OFN_FILEMUSTEXIST ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
    const QString qtFilter = QtFilter(m_strFilter);
    if (!qtFilter.isEmpty())
        dialog.setNameFilter(qtFilter);
    if (!m_strDefExt.isEmpty() && m_strDefExt != QStringLiteral("*"))
        dialog.setDefaultSuffix(m_strDefExt);
    // A pattern only filters (the filter list already offers it); a plain
    // name is offered in the name box.
    if (!m_strFileName.isEmpty() && !m_strFileName.contains(QChar('*')) &&
        !m_strFileName.contains(QChar('?')))
        dialog.selectFile(m_strFileName);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_strPathName = QDir::cleanPath(
        WithDefaultExt(QFileInfo(dialog.selectedFiles().front()).absoluteFilePath(), m_strDefExt));
    return IDOK;
}
