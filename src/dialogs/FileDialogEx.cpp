#include "dialogs/FileDialogEx.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QLineEdit>
#include <QShowEvent>
#include <QStringList>
#include <QTreeView>

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
        // A pattern typed as the name filters the list and keeps the dialog open.
        if (QLineEdit* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            const QString typed = box->text().trimmed();
            if (typed.contains(QChar('*')) || typed.contains(QChar('?'))) {
                SetPatterns(typed.split(QChar(';'), Qt::SkipEmptyParts));
                return;
            }
        }
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

public:
    // Lists the files the patterns let through (Qt would take them from the
    // filter's text, where "*.*" misses names without a dot).
    void SetPatterns(const QStringList& patterns) {
        QStringList cleaned;
        for (const QString& p : patterns)
            cleaned << (p.trimmed() == QStringLiteral("*.*") ? QStringLiteral("*") : p.trimmed());
        if (auto* model = findChild<QFileSystemModel*>(QStringLiteral("qt_filesystem_model")))
            model->setNameFilters(cleaned);
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

// The detail view's columns as wide as what they show (size, type, date),
// the name taking the rest.
void FitColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int i = 1; i < header->count(); ++i)
        header->setSectionResizeMode(i, QHeaderView::ResizeToContents);
}

} // namespace

CFileDialogEx::CFileDialogEx(bool bOpenFileDialog, const QString& defExt, const QString& fileName,
                             DWORD flags, const QString& filter, QWidget* pParentWnd)
    : m_dwFlags(flags), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(defExt),
      m_strFileName(fileName), m_strFilter(filter), m_pParentWnd(pParentWnd) {}

QList<CFileDialogEx::Filter> CFileDialogEx::Filters(const QString& filter) {
    const QStringList parts = filter.split(QChar('|'));
    QList<Filter> out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // An empty part ends the list, as "||" does.
        if (parts[i].isEmpty() || parts[i + 1].isEmpty())
            break;
        Filter f;
        // The stored descriptions carry their pattern already ("CSVﾌｧｲﾙ(*.csv) "):
        // shown as they are, less the space after them.
        f.text = parts[i].trimmed();
        for (QString pattern : parts[i + 1].split(QChar(';'), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            // "*.*" means every file, also those without an extension.
            f.patterns << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
        }
        // Qt takes a filter's patterns from the bracket that ends its text; a
        // description without one gets the patterns added.
        if (!f.text.endsWith(QChar(')')))
            f.text += QStringLiteral(" (") + f.patterns.join(QChar(' ')) + QChar(')');
        out << f;
    }
    return out;
}

QString CFileDialogEx::QtFilter(const QString& filter) {
    QStringList texts;
    for (const Filter& f : Filters(filter))
        texts << f.text;
    return texts.join(QStringLiteral(";;"));
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
    const QList<Filter> filters = Filters(m_strFilter);
    if (!filters.isEmpty()) {
        QStringList texts;
        for (const Filter& f : filters)
            texts << f.text;
        dialog.setNameFilters(texts);
        // After Qt has applied the filter's own reading of its text.
        auto usePatterns = [&dialog, filters](const QString& text) {
            for (const Filter& f : filters)
                if (f.text == text)
                    dialog.SetPatterns(f.patterns);
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, usePatterns,
                         Qt::QueuedConnection);
        usePatterns(texts.front());
    }
    if (!m_strDefExt.isEmpty() && m_strDefExt != QStringLiteral("*"))
        dialog.setDefaultSuffix(m_strDefExt);
    // The initial name goes into the name box, a pattern ("*.CSV") too: typed
    // back with Enter it filters the list, as the name box does with any pattern.
    if (!m_strFileName.isEmpty()) {
        dialog.selectFile(m_strFileName);
        if (QLineEdit* box = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            if (box->text() != m_strFileName)
                box->setText(m_strFileName);
    }

    // Without a folder of its own the dialog starts where the same kind of
    // dialog was last used in this run (the process's working folder the first time).
    static QHash<QString, QString> s_lastFolder;
    const QString kind =
        (m_bOpenFileDialog ? QStringLiteral("open:") : QStringLiteral("save:")) + m_strTitle;
    // (Qt's own memory is one folder for every dialog of every run.)
    if (QFileInfo(m_strFileName).path() == QStringLiteral("."))
        dialog.setDirectory(s_lastFolder.value(kind, QDir::currentPath()));
    FitColumns(dialog);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return IDCANCEL;
    m_strPathName = QDir::cleanPath(
        WithDefaultExt(QFileInfo(dialog.selectedFiles().front()).absoluteFilePath(), m_strDefExt));
    s_lastFolder.insert(kind, QFileInfo(m_strPathName).absolutePath());
    return IDOK;
}
